#pragma once

#include <memory>
#include <vector>

#include "kernel/curve_object.h"
#include "scene/scene.h"
#include "scene_fixture.h"

// A front view of ten pixels per unit: model (x, y) is pixel (100 + 10 x, 100 - 10 y).
class CurveTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    ShowTenPixelsPerUnit(view);
  }

  // A curve in the scene in the given state, drawn through its points, with no undo record.
  CCurveObject* AddCurve(std::vector<Vector3> points, int state = kStateSelected, int closed = 0) {
    auto curve = std::make_unique<CCurveObject>();
    const int count = static_cast<int>(points.size());
    curve->SetPoints(count, std::move(points));
    curve->closed = closed;
    curve->stepsPerSpan = 0;
    CCurveObject* added = AddObject(curve, 1);
    added->ObjectState = state;
    document.Clear();
    return added;
  }

  static int PixelX(float x) { return static_cast<int>(100 + 10 * x); }
  static int PixelY(float y) { return static_cast<int>(100 - 10 * y); }

  // A left click (press and release) at the model point.
  void ClickAt(float x, float y, int flags = 0) {
    view.OnLButtonDown(flags | kMouseLeftButton, PixelX(x), PixelY(y));
    view.OnLButtonUp(flags, PixelX(x), PixelY(y));
  }

  // The objects of the scene in list order, with their states.
  std::vector<CGeomObject*> Objects() const {
    std::vector<CGeomObject*> objects;
    for (CGeomObject* object = TheScene.head; object != nullptr; object = object->next) objects.push_back(object);
    return objects;
  }

  // Undo steps holding records.
  int UndoSteps() const {
    int steps = 0;
    for (const auto& step : document.ring) steps += step.empty() ? 0 : 1;
    return steps;
  }

  // The curves in the given state, in list order.
  std::vector<CCurveObject*> CurvesIn(int state) const {
    std::vector<CCurveObject*> curves;
    for (CGeomObject* object : Objects()) {
      if (object->ObjectState == state && object->GetKind() == kKindCurve) {
        curves.push_back(static_cast<CCurveObject*>(object));
      }
    }
    return curves;
  }
};

inline void ExpectNear(Vector3 actual, Vector3 expected, float tolerance = 1e-5f) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}
