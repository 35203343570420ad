#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "scene/view_tiling.h"
#include "scene_fixture.h"

namespace {

class ViewTilingTest : public LumidrexTest {
 protected:
  // Views of the given types, listed by the document in that order.
  void MakeViews(const std::vector<int>& types) {
    for (std::size_t i = 0; i < types.size(); ++i) {
      views[i].viewType = types[i];
      document.views.push_back(&views[i]);
    }
  }

  TestDocument document;
  std::array<CViewport, 6> views;
};

TEST_F(ViewTilingTest, ViewsOfTheWantedTypesKeepTheirSlotsAndSurplusViewsStayOut) {
  MakeViews({kViewFront, kViewRight, kViewTop, kViewTop, kView3D, kViewBack});
  const TileAssignment tiles = AssignTileSlots(*TilingOfCommand(3300), &views[1], &document);
  EXPECT_EQ(tiles.views, (std::array<CViewport*, 4>{&views[0], &views[1], &views[2], &views[4]}));
  EXPECT_EQ(tiles.retyped, (std::array<bool, 4>{}));
}

TEST_F(ViewTilingTest, OtherViewsFillTheEmptySlotsAndAreRetyped) {
  MakeViews({kView3D, kViewTop, kViewRight});
  const TileAssignment tiles = AssignTileSlots(*TilingOfCommand(3310), &views[1], &document);
  EXPECT_EQ(tiles.views, (std::array<CViewport*, 4>{&views[0], &views[2], nullptr, nullptr}));
  EXPECT_EQ(tiles.retyped, (std::array<bool, 4>{true, false, false, false}));

  // A lone view leaves the other slots empty for new views.
  TestDocument single;
  single.views = {&views[1]};
  const TileAssignment alone = AssignTileSlots(*TilingOfCommand(3301), &views[1], &single);
  EXPECT_EQ(alone.views, (std::array<CViewport*, 4>{&views[1], nullptr, nullptr, nullptr}));
  EXPECT_TRUE(alone.retyped[0]);
}

TEST_F(ViewTilingTest, SlotsAreLaidOutInTheClientAndTheCommandsTypeIsActivated) {
  const Tiling& four = *TilingOfCommand(3300);
  EXPECT_EQ(TileSlotRect(four, 0, 801, 601), (TileRect{0, 300, 400, 300}));
  EXPECT_EQ(TileSlotRect(four, 1, 801, 601), (TileRect{400, 300, 400, 300}));
  EXPECT_EQ(TileSlotRect(four, 2, 801, 601), (TileRect{0, 0, 400, 300}));
  EXPECT_EQ(TileSlotRect(four, 3, 801, 601), (TileRect{400, 0, 400, 300}));
  const Tiling& two = *TilingOfCommand(3311);
  EXPECT_EQ(TileSlotRect(two, 0, 801, 601), (TileRect{0, 0, 400, 601}));
  EXPECT_EQ(TileSlotRect(two, 1, 801, 601), (TileRect{400, 0, 400, 601}));

  EXPECT_EQ(ActivatedTileSlot(four, kView3D), 3);
  EXPECT_EQ(ActivatedTileSlot(*TilingOfCommand(3301), kViewLeft), 1);
  EXPECT_EQ(ActivatedTileSlot(two, kViewRight), 0);
  EXPECT_EQ(TilingOfCommand(3302), nullptr);
}

}  // namespace
