#include <gtest/gtest.h>

#include <vector>

#include "view_host_fake.h"

namespace {

class VornViewTilingTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    host.Install();
  }

  // Views of the given types, each in its own maximised frame; the first is active.
  void OpenViews(const std::vector<int>& types) {
    for (const int type : types) {
      HostedView& hosted = host.AddView();
      hosted.view.SetViewType(type, 0);
      hosted.window.frame.maximized = true;
    }
    host.views[0]->window.frame.Activate();
  }
  CVornView& View(std::size_t i) { return host.views[i]->view; }
  FakeFrame& Frame(std::size_t i) { return host.views[i]->window.frame; }

  FakeViewHost host;
};

TEST_F(VornViewTilingTest, MissingViewsAreAskedForAndAllFourAreLaidOut) {
  OpenViews({kViewFront});
  View(0).OnSetDisplayMode(3104);
  View(0).OnTileFrontRightTop3D();
  EXPECT_EQ(ProgramCommandQueue().Pending(), 4u);  // three new views, then the command again
  host.Drain();

  ASSERT_EQ(host.views.size(), 4u);
  const struct {
    int type;
    TileRect place;
  } slots[] = {{kViewFront, {0, 300, 400, 300}},
               {kViewRight, {400, 300, 400, 300}},
               {kViewTop, {0, 0, 400, 300}},
               {kView3D, {400, 0, 400, 300}}};
  for (std::size_t i = 0; i < 4; ++i) {
    const auto& slot = slots[i];
    bool found = false;
    for (std::size_t v = 0; v < 4; ++v) {
      if (Frame(v).place != slot.place) continue;
      found = true;
      EXPECT_EQ(View(v).viewType, slot.type) << i;
      EXPECT_EQ(View(v).displayMode, kDisplayShadingInColor) << i;
      EXPECT_FALSE(Frame(v).IsMaximized()) << i;
    }
    EXPECT_TRUE(found) << i;
  }
  EXPECT_EQ(Frame(0).place, slots[0].place);
  EXPECT_EQ(host.mdi.ActiveFrame(), &Frame(0));
  EXPECT_EQ(ProgramCommandQueue().Pending(), 0u);
  EXPECT_EQ(TilingPending, 0);
  EXPECT_EQ(NewWindowSourceView, nullptr);
}

// The new view that lands in the 3-D slot was made with another slot's axes; it shows the
// saved 3-D camera instead, the one a turned 3D view left when it became a fixed view.
TEST_F(VornViewTilingTest, TheThreeDPaneOfAFourViewTilingShowsTheSaved3DCamera) {
  for (const int command : {3300, 3301}) {
    SCOPED_TRACE(command);
    host.document.views.clear();
    host.views.clear();
    ResetProgramState();
    host.Install();
    OpenViews({kView3D});
    View(0).RotateAboutAxis(0, 30.0);
    View(0).RotateAboutAxis(1, 40.0);
    View(0).Translate(1.0f, 2.0f, 3.0f);
    const Matrix4 turned = View(0).viewMatrix;
    View(0).SetViewType(command == 3300 ? kViewFront : kViewBack, 0);
    if (command == 3300) {
      View(0).OnTileFrontRightTop3D();
    } else {
      View(0).OnTileBackLeftBottom3D();
    }
    host.Drain();
    ASSERT_EQ(host.views.size(), 4u);
    int threeD = 0;
    for (std::size_t v = 0; v < 4; ++v) {
      if (View(v).viewType != kView3D) continue;
      ++threeD;
      EXPECT_EQ(Frame(v).place, (TileRect{400, 0, 400, 300}));
      EXPECT_TRUE(View(v).viewMatrix == turned);
    }
    EXPECT_EQ(threeD, 1);
  }
}

TEST_F(VornViewTilingTest, SurplusViewsKeepTheirPlaces) {
  OpenViews({kViewTop, kView3D, kViewFront, kViewTop, kViewRight, kViewBack});
  View(4).OnTileFrontRightTop3D();
  EXPECT_EQ(ProgramCommandQueue().Pending(), 0u);
  EXPECT_EQ(Frame(2).place, (TileRect{0, 300, 400, 300}));
  EXPECT_EQ(Frame(4).place, (TileRect{400, 300, 400, 300}));
  EXPECT_EQ(Frame(0).place, (TileRect{0, 0, 400, 300}));
  EXPECT_EQ(Frame(1).place, (TileRect{400, 0, 400, 300}));
  for (const std::size_t surplus : {3u, 5u}) {
    EXPECT_EQ(Frame(surplus).placements, 0) << surplus;
    EXPECT_TRUE(Frame(surplus).IsMaximized()) << surplus;
  }
  EXPECT_EQ(View(5).viewType, kViewBack);
  EXPECT_EQ(host.mdi.ActiveFrame(), &Frame(4));
}

TEST_F(VornViewTilingTest, ViewsThatCannotBeMadeLeaveTheirSlotsEmpty) {
  OpenViews({kViewTop});
  host.canCreateViews = false;
  View(0).OnTileBackLeftBottom3D();
  host.Drain();
  EXPECT_EQ(ProgramCommandQueue().Pending(), 0u);  // asked once, never again
  EXPECT_EQ(View(0).viewType, kViewBack);
  EXPECT_EQ(Frame(0).place, (TileRect{0, 300, 400, 300}));
  EXPECT_EQ(TilingPending, 0);

  // The command view closes before the command comes back: nothing runs.
  host.canCreateViews = true;
  View(0).OnTileFrontRight();
  host.RemoveView(0);
  host.Drain();
  ASSERT_EQ(host.views.size(), 1u);
  EXPECT_EQ(Frame(0).placements, 0);
  EXPECT_EQ(TilingPending, 0);
}

TEST_F(VornViewTilingTest, TwoViewsTakeFullHeightHalves) {
  OpenViews({kView3D, kViewFront});
  View(0).OnTileFrontRight();
  EXPECT_EQ(Frame(1).place, (TileRect{0, 0, 400, 600}));
  EXPECT_EQ(Frame(0).place, (TileRect{400, 0, 400, 600}));
  // The command's view took the free slot, and with it the slot's type.
  EXPECT_EQ(View(0).viewType, kViewRight);
  EXPECT_EQ(host.mdi.ActiveFrame(), &Frame(0));
}

}  // namespace
