#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "modelling/copy_tool.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "scene/design_file.h"
#include "scene/render_view.h"
#include "surface_fixture.h"

namespace {

const std::vector<Vector3> kShape = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}};

// A front view of ten pixels per unit, grid unit 0.1, with one selected curve lifted into a copy
// tool by Cut&Paste.
class CopyToolTest : public SurfaceTest {
 protected:
  void SetUp() override {
    SurfaceTest::SetUp();
    view.gridUnit = 0.1f;
    source = AddCurve(kShape);
  }

  void CutAndPaste() {
    ResetToPickTool();
    DoCutAndPaste();
  }

  CCopyTool* Tool() { return dynamic_cast<CCopyTool*>(GetTool(1)); }

  // A drag from one model point to another, pressed with the given button and flags; released
  // with the left button, which commits.
  void Drag(Vector3 from, Vector3 to, int button, int flags) {
    if (button == kMouseLeftButton) {
      view.OnLButtonDown(button | flags, PixelX(from.x), PixelY(from.y));
    } else {
      view.OnRButtonDown(button | flags, PixelX(from.x), PixelY(from.y));
    }
    const Vector3 half = VecScale(VecAdd(from, to), 0.5f);
    view.OnMouseMove(button | flags, PixelX(half.x), PixelY(half.y));
    view.OnMouseMove(button | flags, PixelX(to.x), PixelY(to.y));
    view.OnLButtonUp(flags, PixelX(to.x), PixelY(to.y));
  }

  // The shape as placed by M (row vectors).
  static std::vector<Vector3> Placed(const Matrix4& M) {
    std::vector<Vector3> placed;
    for (const Vector3 p : kShape) placed.push_back(TransformPoint(p, M));
    return placed;
  }

  static Matrix4 Translation(float x, float y) {
    Matrix4 m = kIdentityMatrix;
    m.at(3, 0) = x;
    m.at(3, 1) = y;
    return m;
  }

  static void ExpectPoints(const std::vector<Vector3>& actual, const std::vector<Vector3>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) ExpectNear(actual[i], expected[i], 1e-5f);
  }

  CCurveObject* source = nullptr;
};

TEST_F(CopyToolTest, NothingSelectedLeavesEveryStateAndLevel) {
  source->ObjectState = kStateShown;
  CCurveObject* deleted = AddCurve(kShape, -1);
  ResetToPickTool();
  DoCutAndPaste();
  ASSERT_FALSE(Headless().messages.empty());
  EXPECT_EQ(Headless().messages.back().text, "No object to copy!!!");
  EXPECT_EQ(Tool(), nullptr);
  EXPECT_EQ(source->ObjectState, kStateShown);
  EXPECT_EQ(deleted->ObjectState, -1);
}

TEST_F(CopyToolTest, EachPlacementIsOneGroupAndOneUndoStep) {
  AddCurve({{5, 5, 0}, {6, 5, 0}});
  CutAndPaste();
  ASSERT_NE(Tool(), nullptr);
  EXPECT_EQ(Headless().statusTexts.back(), "Copying...");
  EXPECT_EQ(GetCurrentToolCursorId(), 4000);
  EXPECT_EQ(source->ObjectState, -1);
  // The chain to place ends at its own last object, not in the scene list.
  ASSERT_NE(Tool()->objectsToPlace.head(), nullptr);
  EXPECT_EQ(Tool()->objectsToPlace.head()->next->next, nullptr);

  ClickAt(3, 2);
  ClickAt(-4, 1);
  const std::vector<CCurveObject*> copies = CurvesIn(kStateSelected);
  ASSERT_EQ(copies.size(), 4u);
  ExpectPoints(copies[0]->points, Placed(Translation(3, 2)));
  ExpectPoints(copies[2]->points, Placed(Translation(-4, 1)));
  EXPECT_EQ(Tool()->placedCopies, copies[2]);
  EXPECT_EQ(Tool()->placedCount, 2);

  UndoWithCurrentTool();
  EXPECT_EQ(CurvesIn(kStateSelected).size(), 2u);
  EXPECT_EQ(Tool()->placedCopies, copies[0]);
  EXPECT_EQ(Tool()->M1, Translation(3, 2));
  UndoWithCurrentTool();
  EXPECT_TRUE(CurvesIn(kStateSelected).empty());
  EXPECT_EQ(Tool()->placedCopies, nullptr);
}

TEST_F(CopyToolTest, ShiftDragsSizeAndRollTheLastPlacementAboutItsOrigin) {
  CutAndPaste();
  ClickAt(3, 2);
  CCurveObject* copy = CurvesIn(kStateSelected)[0];
  // Twenty grid units along x: twice the size, about the placement.
  Drag({-8, -8, 0}, {-6, -8, 0}, kMouseLeftButton, kMouseShift);
  Matrix4 doubled = kIdentityMatrix;
  doubled.at(0, 0) = doubled.at(1, 1) = doubled.at(2, 2) = 2;
  ExpectPoints(copy->points, Placed(MatMultiply(doubled, Translation(3, 2))));
  EXPECT_EQ(Headless().statusTexts.back(), "Sizing... 2");
  EXPECT_EQ(CopyState.placement, doubled);
  EXPECT_EQ(copy->ObjectState, kStateSelected);

  // Minus twenty would give a factor of 0: nothing changes.
  const std::vector<Vector3> before = copy->points;
  view.OnLButtonDown(kMouseLeftButton | kMouseShift, PixelX(-6), PixelY(-8));
  view.OnMouseMove(kMouseLeftButton | kMouseShift, PixelX(-8), PixelY(-8));
  view.OnLButtonUp(kMouseShift, PixelX(-8), PixelY(-8));
  EXPECT_EQ(copy->points, before);
  EXPECT_EQ(CopyState.placement, doubled);

  // 180 grid units rolled: a quarter turn about z through the placement.
  Drag({-9, -8, 0}, {9, -8, 0}, kMouseRightButton, kMouseShift);
  Matrix4 quarter = kIdentityMatrix;
  quarter.at(0, 0) = quarter.at(1, 1) = 0;
  quarter.at(0, 1) = 1;
  quarter.at(1, 0) = -1;
  ExpectPoints(copy->points, Placed(MatMultiply(MatMultiply(doubled, quarter), Translation(3, 2))));
  EXPECT_EQ(Headless().statusTexts.back(), "Rolling... 90");

  // Undo inside the tool takes the roll back, with G.
  UndoWithCurrentTool();
  EXPECT_EQ(copy->points, before);
  EXPECT_EQ(CopyState.placement, doubled);
  EXPECT_EQ(Tool()->M1, Translation(3, 2));
}

TEST_F(CopyToolTest, ShiftPressOnTheCopiesGrabsThemAndRightPressCancels) {
  CutAndPaste();
  ClickAt(3, 2);
  CCurveObject* copy = CurvesIn(kStateSelected)[0];
  view.OnLButtonDown(kMouseLeftButton | kMouseShift, PixelX(4), PixelY(2));
  EXPECT_EQ(Tool()->stage, 1);
  EXPECT_EQ(Tool()->offsetX, -10);
  EXPECT_EQ(Tool()->offsetY, 0);
  EXPECT_EQ(copy->ObjectState, kStateBeingPlaced);
  view.OnRButtonDown(kMouseRightButton | kMouseLeftButton, PixelX(6), PixelY(2));
  EXPECT_EQ(Tool()->stage, 0);
  EXPECT_EQ(copy->ObjectState, kStateSelected);
  view.OnLButtonUp(0, PixelX(6), PixelY(2));
  ExpectPoints(copy->points, Placed(Translation(3, 2)));

  // Grabbed again and moved: the pointer keeps its offset from the placement.
  view.OnLButtonDown(kMouseLeftButton | kMouseShift, PixelX(4), PixelY(2));
  view.OnMouseMove(kMouseLeftButton, PixelX(6), PixelY(2));
  view.OnLButtonUp(0, PixelX(6), PixelY(2));
  ExpectPoints(copy->points, Placed(Translation(5, 2)));
  EXPECT_EQ(Tool()->M1, Translation(5, 2));
  EXPECT_EQ(CurvesIn(kStateSelected).size(), 1u);

  // A tool replaced in the middle of a grab gives the copies back.
  view.OnLButtonDown(kMouseLeftButton | kMouseShift, PixelX(6), PixelY(2));
  ASSERT_EQ(copy->ObjectState, kStateBeingPlaced);
  ResetToPickTool();
  EXPECT_EQ(copy->ObjectState, kStateSelected);
  EXPECT_EQ(DragRedrawFlag, 0);
}

TEST_F(CopyToolTest, OnlyTheCountedCopiesOfAPlacementAreSized) {
  CutAndPaste();
  ClickAt(3, 2);
  CCurveObject* copy = CurvesIn(kStateSelected)[0];
  // A live object right after the placement's copies, as undo and redo across tools can leave.
  BeginUndoStep();
  auto extra = std::make_unique<CCurveObject>();
  extra->SetPoints(2, {{-6, -6, 0}, {-5, -6, 0}});
  CCurveObject* x = AddObject(extra, 1);
  const std::vector<Vector3> xBefore = x->points;
  Drag({-8, -8, 0}, {-6, -8, 0}, kMouseLeftButton, kMouseShift);
  Matrix4 doubled = kIdentityMatrix;
  doubled.at(0, 0) = doubled.at(1, 1) = doubled.at(2, 2) = 2;
  ExpectPoints(copy->points, Placed(MatMultiply(doubled, Translation(3, 2))));
  EXPECT_EQ(x->points, xBefore);
  EXPECT_EQ(x->ObjectState, kStateSelected);
}

TEST_F(CopyToolTest, UndoAndRedoAcrossAnEarlierToolsPlacementsMoveNothingElse) {
  CCurveObject* other = AddCurve({{7, -7, 0}, {8, -7, 0}}, kStateShown);
  CutAndPaste();
  ClickAt(3, 2);
  ClickAt(-4, 1);
  const std::vector<CCurveObject*> placed = CurvesIn(kStateSelected);
  ASSERT_EQ(placed.size(), 2u);
  BeginUndoStep();
  auto extra = std::make_unique<CCurveObject>();
  extra->SetPoints(2, {{-6, -6, 0}, {-5, -6, 0}});
  CCurveObject* x = AddObject(extra, 1);
  other->ObjectState = kStateSelected;
  for (CCurveObject* copy : placed) copy->ObjectState = kStateShown;
  x->ObjectState = kStateShown;
  ResetToPickTool();
  DoCutAndPaste();
  ClickAt(2, -3);

  // Back past the second placement of the earlier tool, then forward to the added object.
  for (int i = 0; i < 10 && placed[1]->ObjectState >= 0; ++i) UndoWithCurrentTool();
  ASSERT_LT(placed[1]->ObjectState, 0);
  for (int i = 0; i < 10 && x->ObjectState < 0; ++i) RedoWithCurrentTool();
  ASSERT_GE(placed[1]->ObjectState, 0);
  // The new tool's state started empty, so redoing the old placement brings back no copies
  // of it to size; above all nothing that merely follows them moves.
  EXPECT_EQ(Tool()->placedCopies, nullptr);
  const std::vector<Vector3> xBefore = x->points;
  Drag({-8, -8, 0}, {-6, -8, 0}, kMouseLeftButton, kMouseShift);
  EXPECT_EQ(x->points, xBefore);
  ExpectPoints(placed[0]->points, Placed(Translation(3, 2)));
  ExpectPoints(placed[1]->points, Placed(Translation(-4, 1)));
}

TEST_F(CopyToolTest, ANewDocumentsToolStartsFromNoCopies) {
  CutAndPaste();
  ClickAt(3, 2);
  NewScene(&document);
  AddCurve(kShape);
  CutAndPaste();
  ClickAt(1, 1);
  UndoWithCurrentTool();
  EXPECT_EQ(Tool()->placedCopies, nullptr);
  // Nothing to size: the press reads no freed copy.
  Drag({-8, -8, 0}, {-6, -8, 0}, kMouseLeftButton, kMouseShift);
  EXPECT_TRUE(CurvesIn(kStateSelected).empty());
}

}  // namespace
