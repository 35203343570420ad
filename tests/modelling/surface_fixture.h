#pragma once

#include <memory>
#include <utility>
#include <vector>

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

  // Adds a surface straight into the scene, selected, with no undo record.
  CSurfaceObject* AddSurface(int rows, int columns, std::vector<Vector3> points, int state = kStateSelected) {
    auto surface = std::make_unique<CSurfaceObject>();
    EXPECT_TRUE(surface->SetGrid(rows, columns, std::move(points)));
    CSurfaceObject* added = AddObject(surface, 1);
    added->ObjectState = state;
    document.Clear();
    return added;
  }

  // A rows x columns grid of a wavy sheet over x (along rows) and y (along columns); concave in
  // places, so no step of a computation can pass by symmetry.
  static std::vector<Vector3> WavyGrid(int rows, int columns) {
    std::vector<Vector3> points;
    for (int r = 0; r < rows; ++r) {
      for (int c = 0; c < columns; ++c) {
        const float x = static_cast<float>(r) * 1.5f + 0.3f * static_cast<float>(c % 2);
        const float y = static_cast<float>(c) + 0.2f * static_cast<float>(r * r);
        const float z = ((r + 2 * c) % 3 == 0 ? 1.0f : -0.5f) + 0.1f * static_cast<float>(r * c);
        points.push_back({x, y, z});
      }
    }
    return points;
  }
};
