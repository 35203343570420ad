#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "kernel/axis_line_object.h"
#include "kernel/boolean_object.h"
#include "kernel/geom_object.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "program_state.h"
#include "scene/scene.h"
#include "scene/tool_framework.h"
#include "scene/undo_history.h"
#include "scene/viewport.h"
#include "services/snap_step.h"

// A document whose views are the given viewports; it remembers its modified flag.
class TestDocument : public CUndoHistory {
 public:
  CViewport* NextView() override {
    if (walk_ < views.size()) return views[walk_++];
    walk_ = 0;
    return nullptr;
  }
  void SetModified(int flag) override { modified = flag; }

  std::vector<CViewport*> views;
  int modified = 0;

 private:
  std::size_t walk_ = 0;
};

// A union of axis lines; member i lies on layer i.
inline std::unique_ptr<CBooleanObject> AxisLineUnion(int memberCount) {
  auto group = std::make_unique<CBooleanObject>();
  group->SetOperation(kBooleanUnion);
  for (int i = 0; i < memberCount; ++i) {
    auto member = std::make_unique<CAxisLineObject>();
    member->axisIndex = i % 3;
    member->layer = i;
    group->members.Append(std::move(member));
  }
  return group;
}

// A 201-pixel front pane of ten pixels per unit: model (x, y) is pixel (100 + 10 x, 100 - 10 y);
// grid unit 1, coarse snapping, status texts recorded.
inline void ShowTenPixelsPerUnit(CViewport& view) {
  Headless().hasMainWindow = true;
  view.SetSize(201, 201);
  view.SetAxes(0, 1, 2, 1, 1, 1);
  view.viewExtent = 10;
  view.gridUnit = 1;
  SnapFactor = 1;
}

// A scene with one active viewport showing a test document.
class SceneTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    view.documentHistory = &document;
    document.views = {&view};
    SetActiveView(&view);
  }

  // Links objects of the given states at the head of the list, as a reader hands them over, and
  // lets the viewport find the tail.
  std::vector<CGeomObject*> LinkObjects(const std::vector<int>& states) {
    SetActiveView(nullptr);
    std::vector<CGeomObject*> objects;
    CGeomObject** link = &TheScene.head;
    while (*link != nullptr) link = &(*link)->next;
    for (const int state : states) {
      auto object = std::make_unique<CGeomObject>();
      object->ObjectState = state;
      objects.push_back(object.get());
      *link = object.release();
      link = &(*link)->next;
    }
    SetActiveView(&view);
    return objects;
  }

  // Appends the object at the tail as a reader would; call while no viewport is active, so
  // the next activation finds the tail.
  template <class T>
  T* Link(std::unique_ptr<T> object) {
    T* linked = object.get();
    *TheScene.tailLink = object.release();
    TheScene.tailLink = &linked->next;
    return linked;
  }

  TestDocument document;
  CViewport view;
};

// The active viewport as a top view of ten pixels per unit (see ShowTenPixelsPerUnit), its
// projection applied, with the pick tool current.
class TopViewTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    ShowTenPixelsPerUnit(view);
    view.ApplyProjection();
    ResetToPickTool();
  }
};
