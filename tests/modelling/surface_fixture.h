#pragma once

#include "curve_fixture.h"
#include "kernel/surface_object.h"
#include "platform/command_queue.h"
#include "scene/pick_tool.h"
#include "scene/tool_framework.h"

// A front view with the pick tool current; posted commands run through Dispatch, which knows
// Pick.
class SurfaceTest : public CurveTest {
 protected:
  void SetUp() override {
    CurveTest::SetUp();
    ResetToPickTool();
    ProgramCommandQueue().SetDispatcher([this](int id) { Dispatch(id); });
  }

  virtual void Dispatch(int id) {
    if (id == kPickCommand) ResetToPickTool();
  }

  // The last object of the list when it is a surface.
  CSurfaceObject* LastSurface() const {
    CGeomObject* last = Objects().back();
    return last->GetKind() == kKindSurface ? static_cast<CSurfaceObject*>(last) : nullptr;
  }
};
