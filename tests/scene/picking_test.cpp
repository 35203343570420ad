#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <vector>

#include "kernel/geom_object.h"
#include "program_state.h"
#include "scene/drawing_context.h"
#include "scene/picking.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

class PickingTest : public LumidrexTest {
 protected:
  // Names the object as the candidate, draws it as one polyline of screen points and ends the
  // pick: whether the object was the one hit.
  bool CandidateHit(const std::vector<ScreenPoint>& polyline) {
    SetPickCandidate(&object);
    DrawMoveTo(polyline[0].x, polyline[0].y);
    for (std::size_t i = 1; i < polyline.size(); ++i) DrawLineTo(polyline[i].x, polyline[i].y);
    return EndPick() == 1 && GetPickHit(0) == &object;
  }
  bool Picks(const std::vector<ScreenPoint>& polyline) {
    BeginPick();
    return CandidateHit(polyline);
  }
  bool LassoPicks(const std::vector<ScreenPoint>& lasso, const std::vector<ScreenPoint>& polyline) {
    BeginLassoPick(lasso);
    return CandidateHit(polyline);
  }
  CGeomObject object;
};

TEST_F(PickingTest, SegmentsAgainstTheRectangle) {
  SetPickRect(10, 10, 20, 20);
  struct Case {
    const char* name;
    float x0, y0, x1, y1;
    bool hit;
  };
  const Case cases[] = {
      {"inside", 12, 12, 18, 18, true},
      {"one end on the edge", 0, 0, 10, 10, true},
      {"far left to far right across the rows", -1e6f, 15, 1e6f, 15, true},
      {"far top to far bottom across the columns", 15, -1e6f, 16, 1e6f, true},
      {"both ends above", -1e6f, 5, 1e6f, 2, false},
      {"both ends right", 25, -100, 30, 100, false},
      {"through the corner diagonal", 0, 0, 30, 30, true},
      {"above-left into the top edge", 0, 5, 25, 15, true},
      {"above-left past the top-right corner", 0, 0, 30, 12, false},
      {"above-left exactly through the top-right corner", 0, 0, 30, 15, true},
      {"below-left past the bottom-right corner", 0, 30, 30, 18, false},
      {"below-left to above-right", 5, 25, 25, 5, true},
      {"left to below, cutting the bottom-left corner", 5, 14, 16, 25, true},
      {"left to below, passing the bottom-left corner", 5, 18, 12, 25, false},
      {"above-right past the top-left corner", 30, 0, 0, 12, false},
      {"above-right through the rectangle", 30, 0, 0, 30, true},
      {"left to above, passing the top-left corner", 0, 15, 15, 0, false},
      {"left, missing above", 0, 9, 30, 5, false},
      {"NaN end", kNaN, 15, 15, 15, false},
      {"NaN start beside an inside end", 15, 15, 15, kNaN, false},
      {"infinite ends across the rows", -kInfinity, 15, kInfinity, 15, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SegmentHitsPickRect(c.x0, c.y0, c.x1, c.y1), c.hit) << c.name;
    EXPECT_EQ(SegmentHitsPickRect(c.x1, c.y1, c.x0, c.y0), c.hit) << c.name << ", reversed";
  }
}

TEST_F(PickingTest, PointsAgainstThePickSquare) {
  SetPickTolerance(3);
  SetPickPoint(10, 20);  // the square 7..13 x 17..23
  struct Case {
    float x, y;
    bool hit;
  };
  const Case cases[] = {{10, 20, true},  {7, 17, true},   {13, 23, true},       {13.01f, 20, false},
                        {10, 16.9f, false}, {kNaN, 20, false}, {10, kInfinity, false}};
  for (const Case& c : cases) EXPECT_EQ(Picks({{c.x, c.y}}), c.hit) << c.x << ", " << c.y;
}

TEST_F(PickingTest, ACandidateIsRecordedOnceAndHitsKeepDrawOrder) {
  SetPickRect(0, 0, 10, 10);
  std::vector<std::unique_ptr<CGeomObject>> objects;
  for (int i = 0; i < 600; ++i) objects.push_back(std::make_unique<CGeomObject>());
  BeginPick();
  CGeomObject missed;
  for (int i = 0; i < 600; ++i) {
    SetPickCandidate(objects[static_cast<std::size_t>(i)].get());
    for (int line = 0; line < 5; ++line) {  // many lines through the area
      DrawMoveTo(-5, static_cast<float>(line));
      DrawLineTo(15, static_cast<float>(line));
    }
    SetPickCandidate(&missed);
    DrawMoveTo(50, 50);
    DrawLineTo(60, 60);
  }
  EXPECT_EQ(EndPick(), 600);
  for (int i = 0; i < 600; ++i) ASSERT_EQ(GetPickHit(i), objects[static_cast<std::size_t>(i)].get()) << i;
  EXPECT_EQ(GetPickHit(600), nullptr);
  EXPECT_EQ(GetPickHit(-1), nullptr);
  EXPECT_FALSE(IsPickMode());

  BeginPick();
  EXPECT_EQ(GetPickHit(0), nullptr);
  EXPECT_EQ(EndPick(), 0);
}

TEST_F(PickingTest, ASkippedTestKeepsThePreviousPosition) {
  SetPickRect(0, 0, 10, 10);
  CGeomObject second;
  BeginPick();
  SetPickCandidate(&object);
  DrawMoveTo(5, 5);      // a hit
  DrawLineTo(100, 100);  // skipped: (5, 5) stays the previous position
  SetPickCandidate(&second);
  DrawLineTo(200, 5);  // from (5, 5), so a hit; from (100, 100) it would miss
  EXPECT_EQ(EndPick(), 2);
  EXPECT_EQ(GetPickHit(1), &second);
}

TEST_F(PickingTest, PickModeTestsInsteadOfDrawing) {
  // Pick mode needs no drawing view, and a label is picked like any line.
  SetViewportTransform(41, 41, 1.0f / 20.0f, 1);
  SetModelMatrix(kIdentityMatrix);
  SetPickPoint(27, 25);  // on the stroke of "1" anchored at pixel (20, 30)
  BeginPick();
  SetPickCandidate(&object);
  DrawNumberLabel({0, 10, 0}, "1");
  EXPECT_EQ(EndPick(), 1);

  SetPickPoint(21, 25);  // between the strokes
  BeginPick();
  SetPickCandidate(&object);
  DrawNumberLabel({0, 10, 0}, "1");
  EXPECT_EQ(EndPick(), 0);
}

const std::vector<ScreenPoint> kTriangle = {{10, 10}, {30, 10}, {10, 30}};

TEST_F(PickingTest, LassoRules) {
  struct PointCase {
    float x, y;
    bool inside;
  };
  for (const PointCase& c : {PointCase{15, 15, true}, PointCase{25, 25, false}, PointCase{5, 15, false},
                             PointCase{kNaN, 15, false}, PointCase{15, kInfinity, false}}) {
    EXPECT_EQ(PointInLasso(kTriangle, c.x, c.y), c.inside) << c.x << ", " << c.y;
  }
  struct SegmentCase {
    const char* name;
    float x0, y0, x1, y1;
    bool crosses;
  };
  const SegmentCase segments[] = {
      {"across with both ends outside", 0, 15, 40, 15, true},
      {"ending on an edge", 20, 0, 20, 10, false},
      {"along an edge", 12, 10, 28, 10, false},
      {"entering through a vertex", 5, 5, 15, 15, false},
      {"wholly inside", 12, 12, 14, 14, false},
      {"NaN end", kNaN, 15, 40, 15, false},
  };
  for (const SegmentCase& c : segments) {
    EXPECT_EQ(SegmentCrossesLasso(kTriangle, c.x0, c.y0, c.x1, c.y1), c.crosses) << c.name;
  }
}

TEST_F(PickingTest, LassoPicks) {
  // A segment through the lasso's box with both ends outside the triangle is a hit only when it
  // crosses the triangle.
  EXPECT_TRUE(LassoPicks(kTriangle, {{0, 15}, {40, 15}}));
  EXPECT_FALSE(LassoPicks(kTriangle, {{21, 29}, {29, 21}}));
  EXPECT_TRUE(LassoPicks(kTriangle, {{29, 21}, {12, 12}}));  // ends inside
  EXPECT_FALSE(LassoPicks(kTriangle, {{25, 25}}));             // point in the box, not the lasso
  EXPECT_TRUE(LassoPicks(kTriangle, {{15, 15}}));

  // A lasso only 2 pixels across is a point pick with the tolerance at its centre (51, 51).
  const std::vector<ScreenPoint> tiny = {{50, 50}, {52, 50}, {52, 52}};
  EXPECT_TRUE(LassoPicks(tiny, {{53, 49}}));  // outside the tiny triangle, inside the square
  EXPECT_FALSE(LassoPicks(tiny, {{54, 51}}));

  // Fewer than 3 points keep the rectangle as it was and use no lasso.
  SetPickRect(0, 0, 5, 5);
  EXPECT_TRUE(LassoPicks({{100, 100}, {200, 200}}, {{3, 3}}));
}

}  // namespace
