#include "modelling/curve_edits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "curve_fixture.h"
#include "kernel/bspline_curve.h"
#include "modelling/curve_drawing_commands.h"
#include "modelling/curve_tool.h"
#include "scene/pick_tool.h"
#include "scene/tool_framework.h"
#include "scene/undo_history.h"

namespace {

using CurveEditsTest = CurveTest;

// The curve's points at `steps` samples per span.
std::vector<Vector3> Shape(const CCurveObject& curve, int steps) {
  const std::vector<Vector3> padded = ExtendCurveEnds(curve.PointCount(), curve.points.data(), curve.startAttribute,
                                                      curve.endAttribute, curve.closed);
  return EvaluateCurvePoints(padded.data(), static_cast<int>(padded.size()), steps);
}

// A concave zigzag of 6 points.
const std::vector<Vector3> kZigzag = {{0, 0, 0}, {2, 3, 0}, {3, 1, 0}, {5, 4, 0}, {4, -2, 0}, {1, -1, 1}};

TEST_F(CurveEditsTest, CloseAndOpenSetTheFlagOfTheSelectedCurvesAsOneUndoStep) {
  CCurveObject* selected = AddCurve(kZigzag);
  CCurveObject* shown = AddCurve(kZigzag, kStateShown);
  DoCurveClose();
  EXPECT_EQ(selected->closed, 1);
  EXPECT_EQ(shown->closed, 0);
  EXPECT_EQ(GetCurrentToolCursorId(), kPickCommand);
  ASSERT_EQ(UndoSteps(), 1);
  EXPECT_EQ(document.ring[document.index].back().type, kUndoChanged);
  UndoCommand();
  EXPECT_EQ(selected->closed, 0);
  RedoCommand();
  DoCurveOpen();
  EXPECT_EQ(selected->closed, 0);
  EXPECT_EQ(UndoSteps(), 2);
}

TEST_F(CurveEditsTest, CloseAndOpenActOnTheDrawingToolsCurveWithoutARecord) {
  CCurveObject* selected = AddCurve(kZigzag);
  DoCurveSimple();
  ClickAt(1, 1);
  ClickAt(3, 1);
  ClickAt(3, 4);
  CCurveObject* drawn = CurveToolWorkingCurve();
  ASSERT_NE(drawn, nullptr);
  const int steps = UndoSteps();
  DoCurveClose();
  EXPECT_EQ(drawn->closed, 1);
  EXPECT_EQ(CurveToolWorkingCurve(), drawn);
  DoCurveOpen();
  EXPECT_EQ(drawn->closed, 0);
  EXPECT_EQ(selected->closed, 0);
  EXPECT_EQ(UndoSteps(), steps);
}

TEST_F(CurveEditsTest, ReverseKeepsTheMarksOnTheirPointsAndSwapsTheEnds) {
  CCurveObject* curve = AddCurve({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}});
  curve->marks = {1, 0, 0};  // filled short: the last point is unmarked
  curve->startAttribute = 1;
  DoCurveReverse();
  EXPECT_EQ(curve->points.front(), (Vector3{3, 0, 0}));
  EXPECT_EQ(curve->marks, (std::vector<std::int32_t>{0, 0, 0, 1}));
  EXPECT_EQ(curve->startAttribute, 0);
  EXPECT_EQ(curve->endAttribute, 1);
  EXPECT_EQ(document.ring[document.index].back().type, kUndoMarksChanged);
  UndoCommand();
  EXPECT_EQ(curve->points.front(), (Vector3{0, 0, 0}));
  EXPECT_EQ(curve->startAttribute, 1);
}

TEST_F(CurveEditsTest, DivideKeepsTheShapeWithMoreSpans) {
  struct Case {
    const char* name;
    std::vector<Vector3> points;
    int attributes;
    int closed;
    int number;
    std::size_t dividedCount;
  };
  const std::vector<Case> cases = {
      {"open, ends reached", {{0, 0, 0}, {1, 2, 0}, {3, 2, 0}, {4, 0, 0}}, 0, 0, 2, 7},
      {"closed concave", kZigzag, 0, 1, 2, 12},
      {"open, ends inside", kZigzag, 1, 0, 3, 12},
      {"number 1 copies", kZigzag, 0, 0, 1, 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResetProgramState();
    SetUp();
    CCurveObject* source = AddCurve(c.points, kStateSelected, c.closed);
    source->startAttribute = source->endAttribute = c.attributes;
    DoCurveDivide(c.number);
    EXPECT_EQ(source->ObjectState, -1);
    const std::vector<CCurveObject*> divided = CurvesIn(kStateSelected);
    ASSERT_EQ(divided.size(), 1u);
    EXPECT_EQ(divided[0]->PointCount(), static_cast<int>(c.dividedCount));
    EXPECT_EQ(divided[0]->closed, c.closed);
    const std::vector<Vector3> before = Shape(*source, 2 * c.number);
    const std::vector<Vector3> after = Shape(*divided[0], 2);
    ASSERT_EQ(before.size(), after.size());
    for (std::size_t i = 0; i < before.size(); ++i) ExpectNear(after[i], before[i], 1e-4f);
    // One undo brings the source back and takes the copy away.
    UndoCommand();
    EXPECT_EQ(source->ObjectState, kStateSelected);
    EXPECT_EQ(CurvesIn(kStateSelected).size(), 1u);
  }
}

TEST_F(CurveEditsTest, DivideLeavesCurvesTooShortToRefine) {
  CCurveObject* single = AddCurve({{1, 1, 0}});
  CCurveObject* pair = AddCurve({{0, 0, 0}, {1, 0, 0}});
  pair->endAttribute = 1;
  DoCurveDivide(2);
  EXPECT_EQ(single->ObjectState, kStateSelected);
  EXPECT_EQ(pair->ObjectState, kStateSelected);
  EXPECT_EQ(Objects().size(), 2u);
  EXPECT_EQ(UndoSteps(), 0);
  EXPECT_TRUE(DivideCurvePoints(*pair, 0).empty());
}

// A square of side 2 about the origin, its side midpoints among its points.
const std::vector<Vector3> kSquare = {{1, 0, 0},  {1, 1, 0},   {0, 1, 0},  {-1, 1, 0},
                                      {-1, 0, 0}, {-1, -1, 0}, {0, -1, 0}, {1, -1, 0}};

TEST_F(CurveEditsTest, OffsetMakesCopiesOnTheAskedSidesAndKeepsTheSource) {
  struct Case {
    int side;
    std::vector<float> midpointReaches;  // |x| of the copies' first point, in order
  };
  const Case cases[] = {{0, {2, 0}}, {1, {2}}, {-1, {0}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.side);
    ResetProgramState();
    SetUp();
    CCurveObject* source = AddCurve(kSquare, kStateSelected, 1);
    AddCurve({{5, 5, 0}});  // too short to offset
    DoOffsetCurve(1.0f, c.side);
    const std::vector<CCurveObject*> curves = CurvesIn(kStateSelected);
    ASSERT_EQ(curves.size(), 2 + c.midpointReaches.size());
    EXPECT_EQ(source->points, kSquare);
    for (std::size_t i = 0; i < c.midpointReaches.size(); ++i) {
      const CCurveObject& copy = *curves[2 + i];
      ASSERT_EQ(copy.PointCount(), 8);
      // Every side midpoint moved by 1 along the square's normal, all the same way.
      for (int k = 0; k < 8; k += 2) {
        const Vector3 p = copy.points[static_cast<std::size_t>(k)];
        EXPECT_NEAR(std::fabs(p.x) + std::fabs(p.y), c.midpointReaches[i], 1e-5f) << k;
      }
    }
  }
}

}  // namespace
