#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <memory>
#include <new>
#include <vector>

#include "curve_fixture.h"
#include "kernel/surface_object.h"
#include "modelling/mapping_items.h"
#include "modelling/uv_mapping.h"
#include "scene/undo_history.h"

namespace {

class UvMappingTest : public CurveTest {
 protected:
  CSurfaceObject* AddFlatSurface(int state) {
    auto surface = std::make_unique<CSurfaceObject>();
    std::vector<Vector3> grid;
    for (int r = 0; r < 4; ++r) {
      for (int c = 0; c < 4; ++c) grid.push_back({3.0f * r, 0.0f, 2.0f * c});
    }
    EXPECT_TRUE(surface->SetGrid(4, 4, grid));
    CSurfaceObject* added = AddObject(surface, 1);
    added->ObjectState = state;
    document.Clear();
    return added;
  }
  void SetOptions(int direction, int uniform) {
    Mapping.uvDirection = direction;
    Mapping.uvUniform = uniform;
    Mapping.x0 = 0;
    Mapping.x1 = 10;
    Mapping.y0 = 0;
    Mapping.y1 = 10;
  }
};

// The flat surface's corner of grid point (r, c), and its unit normal (0, -1, 0).
Vector3 Corner(int r, int c, float offset = 0) { return {3.0f * r, -offset, 2.0f * c}; }

TEST_F(UvMappingTest, LayoutRectangleSpansTheSurfaceInEveryView) {
  struct Case {
    const char* name;
    int axes[3];
    int signs[3];
  };
  const Case cases[] = {
      {"Front", {0, 1, 2}, {1, 1, 1}}, {"Top", {0, 2, 1}, {1, 1, -1}}, {"Back", {0, 1, 2}, {-1, 1, -1}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResetScene();
    SetUp();
    view.SetAxes(c.axes[0], c.axes[1], c.axes[2], c.signs[0], c.signs[1], c.signs[2]);
    const auto world = [&](float h, float v, float d) {
      Vector3 p;
      const float values[3] = {h, v, d};
      for (int i = 0; i < 3; ++i) SetAxisValue(&p, c.axes[i], values[i] * c.signs[i]);
      return p;
    };
    CSurfaceObject* target = AddFlatSurface(kStateShown);
    CCurveObject* item =
        AddCurve({world(0, 0, 0), world(10, 0, 0), world(0, 10, 0), world(10, 10, 1), world(5, 0, 0)});
    SetOptions(0, 1);
    UvMapPicked(target);
    ExpectNear(item->points[0], Corner(0, 0), 1e-4f);
    ExpectNear(item->points[1], Corner(3, 0), 1e-4f);
    ExpectNear(item->points[2], Corner(0, 3), 1e-4f);
    ExpectNear(item->points[3], Corner(3, 3, 1), 1e-4f);
    ExpectNear(item->points[4], Vector3{4.5f, 0, 0}, 1e-4f);
  }
}

TEST_F(UvMappingTest, TallLayoutExchangesTheAxes) {
  CSurfaceObject* target = AddFlatSurface(kStateShown);
  CCurveObject* item = AddCurve({{0, 0, 0}, {2, 0, 0}, {0, 10, 0}, {2, 10, 0}});
  SetOptions(-1, 1);
  UvMapPicked(target);
  ExpectNear(item->points[0], Corner(0, 3), 1e-4f);
  ExpectNear(item->points[1], Corner(0, 0), 1e-4f);
  ExpectNear(item->points[2], Corner(3, 3), 1e-4f);
  ExpectNear(item->points[3], Corner(3, 0), 1e-4f);
}

TEST_F(UvMappingTest, CurveRibbonSpacesByArcLengthOrByParameter) {
  const std::vector<Vector3> control = {{0, 0, 0}, {1, 0, 0}, {5, 0, 0}, {6, 0, 0}, {10, 0, 0}};
  // The B-spline's knots with phantom end points, in double precision.
  std::vector<double> ext = {-1};
  for (const Vector3& p : control) ext.push_back(p.x);
  ext.push_back(14);
  for (const int uniform : {1, 0}) {
    SCOPED_TRACE(uniform ? "uniform" : "by parameter");
    ResetScene();
    SetUp();
    CCurveObject* target = AddCurve(control, kStateShown);
    target->stepsPerSpan = 8;
    CCurveObject* item =
        AddCurve({{0, 0, 0}, {2.5f, 0, 0}, {5, 0, 0}, {7.5f, 0, 0}, {10, 0, 0}, {5, 0, 1}, {5, 0.5f, 0}});
    SetOptions(0, uniform);
    UvMapPicked(target);
    for (int k = 0; k < 5; ++k) {
      const double expected =
          uniform ? 2.5 * k : (ext[k] + 4 * ext[k + 1] + ext[k + 2]) / 6;
      EXPECT_NEAR(item->points[k].x, expected, uniform ? 2e-3 : 1e-4) << k;
    }
    // The ribbon coordinate moves an item that many units across, the third one off the ribbon.
    const Vector3 across = VecSub(item->points[5], item->points[2]);
    const Vector3 off = VecSub(item->points[6], item->points[2]);
    EXPECT_NEAR(std::sqrt(VecDot(across, across)), 1.0f, 1e-3);
    EXPECT_NEAR(std::sqrt(VecDot(off, off)), 0.5f, 1e-3);
    EXPECT_NEAR(across.x, 0.0f, 1e-3);
    EXPECT_NEAR(VecDot(across, off), 0.0f, 1e-3);
  }
}

// Items one unit apart over the whole source interval, mapped evenly onto a closed ring curve of
// uneven control points: each lands on the curve, and the arc from each to the next, the last to
// the first included, is the same, the curve's length over their count.
TEST_F(UvMappingTest, EvenSpacingGoesAllTheWayRoundAClosedCurve) {
  std::vector<Vector3> control;
  const double radii[] = {5.4, 5.0, 5.6, 5.2, 5.5, 5.1, 5.4, 5.3};
  for (int k = 0; k < 8; ++k) {
    const double a = k * std::numbers::pi / 4 + (k % 3) * 0.1;
    control.push_back({static_cast<float>(radii[k] * std::cos(a)), static_cast<float>(radii[k] * std::sin(a)), 0});
  }
  CCurveObject* target = AddCurve(control, kStateShown);
  target->closed = 1;
  target->stepsPerSpan = 8;
  constexpr int kItems = 20;
  std::vector<Vector3> items;
  for (int i = 0; i < kItems; ++i) items.push_back({static_cast<float>(i), 0, 0});
  CCurveObject* item = AddCurve(items);
  SetOptions(0, 1);
  Mapping.x1 = kItems;
  UvMapPicked(target);

  // The curve densely in double, with the arc length at every sample.
  std::vector<std::array<double, 3>> dense;  // x, y, arc
  double arc = 0;
  constexpr int kSteps = 2000;
  for (int span = 0; span < 8; ++span) {
    for (int s = 0; s < kSteps; ++s) {
      const double t = double(s) / kSteps;
      const double w[4] = {(1 - t) * (1 - t) * (1 - t) / 6, (3 * t * t * t - 6 * t * t + 4) / 6,
                           (-3 * t * t * t + 3 * t * t + 3 * t + 1) / 6, t * t * t / 6};
      double x = 0, y = 0;
      for (int k = 0; k < 4; ++k) {
        x += w[k] * control[(span + 7 + k) % 8].x;
        y += w[k] * control[(span + 7 + k) % 8].y;
      }
      if (!dense.empty()) arc += std::hypot(x - dense.back()[0], y - dense.back()[1]);
      dense.push_back({x, y, arc});
    }
  }
  const double length = arc + std::hypot(dense.front()[0] - dense.back()[0], dense.front()[1] - dense.back()[1]);
  std::vector<double> at;
  for (int i = 0; i < kItems; ++i) {
    const Vector3 p = item->points[i];
    const auto nearest = std::min_element(dense.begin(), dense.end(), [&](const auto& a, const auto& b) {
      return std::hypot(a[0] - p.x, a[1] - p.y) < std::hypot(b[0] - p.x, b[1] - p.y);
    });
    EXPECT_LT(std::hypot((*nearest)[0] - p.x, (*nearest)[1] - p.y, double{p.z}), 0.01) << i;
    at.push_back((*nearest)[2]);
  }
  for (int i = 0; i < kItems; ++i) {
    const double step = std::fmod(at[(i + 1) % kItems] - at[i] + length, length);
    EXPECT_NEAR(step, length / kItems, 0.01 * length / kItems) << i;
  }
}

TEST_F(UvMappingTest, AllGivesEveryTargetItsOwnCopy) {
  CSurfaceObject* first = AddFlatSurface(kStateShown);
  CSurfaceObject* second = AddFlatSurface(kStateShown);
  for (Vector3& p : second->points) p.y = 5;
  second->MarkChanged();
  CCurveObject* source = AddCurve({{1, 1, 0}, {4, 2, 0}});
  CCurveObject* other = AddCurve({{0, 0, 9}}, kStateShown);
  other->stepsPerSpan = 8;
  const std::vector<Vector3> before = source->points;
  SetActiveView(&view);
  DoUVMap(0, 1, 1, 0, 10, 0, 10);

  EXPECT_EQ(source->ObjectState, -1);
  std::vector<CGeomObject*> copies;
  for (CGeomObject* object = TheScene.head; object != nullptr; object = object->next) {
    EXPECT_TRUE(object->ObjectState == 0 || object->ObjectState == 1 || object == source);
    if (object->ObjectState == 1) copies.push_back(object);
  }
  // One copy on each surface, one on the shown curve.
  ASSERT_EQ(copies.size(), 3u);
  EXPECT_NEAR(static_cast<CCurveObject*>(copies[0])->points[0].y, 0.0f, 1e-4);
  EXPECT_NEAR(static_cast<CCurveObject*>(copies[1])->points[0].y, 5.0f, 1e-4);
  EXPECT_EQ(first->ObjectState, 0);

  EXPECT_EQ(UndoCommand(), 1);
  EXPECT_EQ(source->ObjectState, 1);
  EXPECT_EQ(source->points, before);
  int remaining = 0;
  for (CGeomObject* object = TheScene.head; object != nullptr; object = object->next) {
    remaining += object->ObjectState >= 0 ? 1 : 0;
  }
  EXPECT_EQ(remaining, 4);
}

}  // namespace

namespace {

// A curve whose clones fail from a chosen call on, as an exhausted heap would.
class FailingCloneCurve : public CCurveObject {
 public:
  std::unique_ptr<CGeomObject> Clone() const override {
    if (++clones == failAt) throw std::bad_alloc();
    return CCurveObject::Clone();
  }
  static inline int clones = 0;
  static inline int failAt = -1;
};

int lastRunClones = 0;

TEST_F(UvMappingTest, AFailureInTheSecondTargetLeavesNoTemporaryStateOrHalfMappedCopy) {
  for (const bool fail : {false, true}) {
    ResetScene();
    SetUp();
    AddFlatSurface(kStateShown);
    CSurfaceObject* second = AddFlatSurface(kStateShown);
    for (Vector3& p : second->points) p.y = 5;
    std::vector<CCurveObject*> sources;
    for (int i = 0; i < 2; ++i) {
      auto curve = std::make_unique<FailingCloneCurve>();
      curve->SetPoints(2, {{1.0f + i, 1, 0}, {4, 2.0f + i, 0}});
      sources.push_back(AddObject(curve, 1));
    }
    document.Clear();
    FailingCloneCurve::clones = 0;
    // The last clone of a full run is made while the second target's copies are collected.
    FailingCloneCurve::failAt = fail ? lastRunClones : -1;
    SetOptions(0, 1);
    if (fail) {
      EXPECT_THROW(UvMapOntoAll(), std::bad_alloc);
    } else {
      UvMapOntoAll();
      lastRunClones = FailingCloneCurve::clones;
    }
    FailingCloneCurve::failAt = -1;
    for (CGeomObject* object = TheScene.head; object != nullptr; object = object->next) {
      EXPECT_TRUE(object->ObjectState == 0 || object->ObjectState == 1 || object->ObjectState == -1);
      if (!fail || object->ObjectState != kStateSelected) continue;
      // A copy is either mapped onto the first surface (y = 0) or untouched, like its source.
      const auto* copy = static_cast<const CCurveObject*>(object);
      const bool onFirst = std::fabs(copy->points[0].y) < 1e-4f && std::fabs(copy->points[1].y) < 1e-4f;
      const bool untouched = copy->points == sources[0]->points || copy->points == sources[1]->points;
      EXPECT_TRUE(onFirst || untouched);
    }
  }
}

}  // namespace
