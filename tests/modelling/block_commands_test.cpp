#include "modelling/block_commands.h"

#include <gtest/gtest.h>

#include <vector>

#include "closed_solid_checks.h"
#include "counting_viewport.h"
#include "curve_fixture.h"
#include "kernel/block_solid.h"
#include "kernel/outline_rings.h"
#include "modelling/block_dialog.h"
#include "scene/tool_framework.h"
#include "scene/undo_history.h"

namespace {

using BlockCommandsTest = CurveTest;

std::vector<CBlockObject*> Blocks() {
  std::vector<CBlockObject*> blocks;
  CGeomObject* cursor = nullptr;
  while (CGeomObject* object = NextObject(cursor, -1, kKindBlock)) blocks.push_back(static_cast<CBlockObject*>(object));
  return blocks;
}

const std::vector<Vector3> kFour = {{0, 0, 0}, {2, 0, 0}, {2, 1, 0}, {0, 1, 0}};
const std::vector<Vector3> kFive = {{3, 0, 0}, {5, 0, 0}, {5, 2, 0}, {4, 1, 0}, {3, 2, 0}};

TEST_F(BlockCommandsTest, SelectedCurvesBecomeTheProfilesOfOneBlock) {
  CCurveObject* four = AddCurve(kFour);
  four->stepsPerSpan = 3;
  CCurveObject* two = AddCurve({{0, 0, 0}, {1, 1, 0}});
  CCurveObject* five = AddCurve(kFive);
  five->stepsPerSpan = 6;
  CCurveObject* shown = AddCurve(kFour, kStateShown);
  ResetToPickTool();
  CreateBlockFromCurves(1, 2, 0.25f, 1.5f, 0, 1, 2);
  EXPECT_EQ(four->ObjectState, -1);
  EXPECT_EQ(two->ObjectState, -1);
  EXPECT_EQ(five->ObjectState, -1);
  EXPECT_EQ(shown->ObjectState, kStateShown);
  const std::vector<CBlockObject*> blocks = Blocks();
  ASSERT_EQ(blocks.size(), 1u);
  const CBlockObject& block = *blocks[0];
  EXPECT_EQ(block.ObjectState, kStateSelected);
  EXPECT_EQ(block.profileSizes, (std::vector<std::int32_t>{4, 5}));
  EXPECT_EQ(block.profileSteps, (std::vector<std::int32_t>{3, 6}));
  std::vector<Vector3> points = kFour;
  points.insert(points.end(), kFive.begin(), kFive.end());
  EXPECT_EQ(block.profilePoints, points);
  EXPECT_EQ(block.frontEndType, 1);
  EXPECT_EQ(block.backEndType, 2);
  EXPECT_EQ(block.radius, 0.25f);
  EXPECT_EQ(block.thickness, 1.5f);
  EXPECT_FALSE(block.surfaces.empty());
  UndoCommand();
  EXPECT_EQ(four->ObjectState, kStateSelected);
  EXPECT_LT(block.ObjectState, 0);
}

// An outline and a hole both drawn clockwise, in the top view and in the front view: the block
// turns its outer rings counter-clockwise as the view shows them and the hole the other way, so
// a round end grows the metal (the outline's wall encloses more, the hole's less) and the solid
// closes facing out.
TEST_F(BlockCommandsTest, ProfilesFaceOutWhicheverWayTheyWereDrawn) {
  struct View {
    int first, second, depth;
  };
  for (const View view : {View{0, 1, 2}, View{0, 2, 1}, View{1, 2, 0}}) {
    SCOPED_TRACE(testing::Message() << "depth axis " << view.depth);
    ResetProgramState();
    SetUp();
    const auto inPlane = [&](std::vector<Vector3> ring) {
      for (Vector3& p : ring) {
        float c[3] = {0, 0, 0};
        c[view.first] = p.x;
        c[view.second] = p.y;
        p = {c[0], c[1], c[2]};
      }
      return ring;
    };
    const std::vector<Vector3> outer = inPlane({{0, 0, 0}, {0, 6, 0}, {6, 6, 0}, {6, 0, 0}});
    const std::vector<Vector3> hole = inPlane({{2, 2, 0}, {2, 4, 0}, {4, 4, 0}, {4, 2, 0}});
    AddCurve(outer);
    AddCurve(hole);
    CreateBlockFromCurves(kBlockEndRound, kBlockEndRound, 0.3f, 2.0f, view.first, view.second, view.depth);
    const std::vector<CBlockObject*> blocks = Blocks();
    ASSERT_EQ(blocks.size(), 1u);
    const CBlockObject& block = *blocks[0];
    Vector3 facing{0, 0, 0};
    facing = VecCross(view.first == 0 ? Vector3{1, 0, 0} : Vector3{0, 1, 0},
                      view.second == 1 ? Vector3{0, 1, 0} : Vector3{0, 0, 1});
    const std::vector<Vector3> storedOuter(block.profilePoints.begin(), block.profilePoints.begin() + 4);
    const std::vector<Vector3> storedHole(block.profilePoints.begin() + 4, block.profilePoints.end());
    EXPECT_GT(SignedArea(storedOuter, facing), 0.0f);
    EXPECT_LT(SignedArea(storedHole, facing), 0.0f);
    EXPECT_GT(SignedArea(block.WallProfile(storedOuter), facing), SignedArea(storedOuter, facing));
    EXPECT_GT(SignedArea(block.WallProfile(storedHole), facing), SignedArea(storedHole, facing));
    const BlockSolid solid = TessellateBlock(block);
    EXPECT_EQ(OpenEdges(solid.points, solid.faceIndices), 0);
    EXPECT_GT(SignedVolume(solid.points, solid.faceIndices), 0.0);
  }
}

TEST_F(BlockCommandsTest, OnlyTwoPointCurvesAreDeletedWithoutABlockAndTheViewsRedraw) {
  CCurveObject* earlier = AddCurve(kFour, -1);
  CCurveObject* two = AddCurve({{0, 0, 0}, {1, 1, 0}});
  CountingViewport counting;
  CreateBlockFromCurves(0, 0, 1, 1, 0, 1, 2);
  EXPECT_EQ(two->ObjectState, -1);
  EXPECT_EQ(earlier->ObjectState, -2);
  EXPECT_TRUE(Blocks().empty());
  EXPECT_GT(counting.redraws, 0);
}

TEST_F(BlockCommandsTest, NothingSelectedPushesNoLevel) {
  CCurveObject* earlier = AddCurve(kFour, -1);
  AddCurve(kFive, kStateShown);
  CreateBlockFromCurves(0, 0, 1, 1, 0, 1, 2);
  EXPECT_EQ(earlier->ObjectState, -1);
  EXPECT_TRUE(Blocks().empty());
}

TEST_F(BlockCommandsTest, OutlinesAreStoredCentredAndPlacedBack) {
  struct Case {
    int first;
    int second;
    int depth;
  };
  for (const Case& c : {Case{0, 1, 2}, Case{2, 0, 1}}) {
    std::vector<Vector3> outline = {{10, 0, 0}, {30, 0, 0}, {30, 5, 5}, {10, 5, 5}};
    if (c.first == 2) {
      for (Vector3& p : outline) p = {p.y, p.z, p.x};
    }
    CBlockObject* block = CreateBlockFromOutlines({{outline, 0}}, 0, 0, 0.5f, 2.0f, c.first, c.second, c.depth);
    ASSERT_NE(block, nullptr);
    const auto along = [&](const Vector3& v) { return c.first == 0 ? v.x : v.z; };
    EXPECT_EQ(along(block->profilePoints[0]), -10.0f);
    EXPECT_EQ(along(block->profilePoints[1]), 10.0f);
    EXPECT_EQ(block->placement.m[12 + c.first], 20.0f);
    EXPECT_EQ(block->firstAxis, c.first);
    EXPECT_EQ(block->depthAxis, c.depth);
    EXPECT_EQ(block->profileSteps, (std::vector<std::int32_t>{0}));
    EXPECT_FALSE(block->surfaces.empty());
  }
  EXPECT_EQ(CreateBlockFromOutlines({}, 0, 0, 0.5f, 2.0f, 0, 1, 2), nullptr);
}

TEST_F(BlockCommandsTest, TheBlockDialogKeepsItsValuesOnlyAtOk) {
  EXPECT_EQ(GetBlockFromCurvesParams().radius, 1.0f);
  EXPECT_EQ(GetBlockFromCurvesParams().thickness, 1.0f);
  for (const int button : {kAnswerOk, kAnswerCancel}) {
    Headless().AnswerDialog(CBlockFromCurvesDlg::kName, [button](DialogModel& model) {
      auto& dialog = static_cast<CBlockFromCurvesDlg&>(model);
      EXPECT_EQ(dialog.texts[CBlockFromCurvesDlg::kThicknessEdit], button == kAnswerOk ? "1" : "3");
      dialog.texts[CBlockFromCurvesDlg::kThicknessEdit] = "3";
      dialog.values.frontEndType = button == kAnswerOk ? 2 : 0;
      if (button == kAnswerOk) {
        EXPECT_TRUE(dialog.Validate());
      }
      return button;
    });
    EXPECT_EQ(RunBlockFromCurvesDialogModal(), button);
    EXPECT_EQ(GetBlockFromCurvesParams().thickness, 3.0f);
    EXPECT_EQ(GetBlockFromCurvesParams().frontEndType, 2);
  }
}

}  // namespace
