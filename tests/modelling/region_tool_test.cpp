#include "modelling/region_tool.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/command_routing.h"
#include "platform/command_queue.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "scene/pick_tool.h"
#include "scene/tool_framework.h"
#include "scene_fixture.h"

namespace {

constexpr int L = kMouseLeftButton;
constexpr int kAskingCommand = 4711;

// A view of ten pixels per unit whose commands go through the router: 3600 returns to the pick
// tool, the asking command notes what it finds.
class RegionToolTest : public TopViewTest {
 protected:
  void SetUp() override {
    TopViewTest::SetUp();
    holder.AddRow({3600, HandlerKind::kDirect, &ResetToPickTool});
    holder.AddRow({kAskingCommand, HandlerKind::kDirect, [this] {
                     pickToolWhenAsked = dynamic_cast<CPickTool*>(GetTool(0)) != nullptr;
                     boxWhenAsked = {min, max};
                   }});
    ProgramCommandRouter().SetChain([this] { return std::vector<CommandHolder*>{&holder}; });
    ProgramCommandQueue().SetDispatcher([this](int id) {
      ran.push_back(id);
      ProgramCommandRouter().Dispatch(id);
    });
  }

  CRegionTool* Start(int screenBox) {
    StartRegionTool(&min, &max, kAskingCommand, screenBox);
    return dynamic_cast<CRegionTool*>(GetTool(0));
  }

  CommandMap holder;
  Vector3 min{0, 0, 0};
  Vector3 max{4, 4, 1};
  std::vector<int> ran;
  bool pickToolWhenAsked = false;
  std::vector<Vector3> boxWhenAsked;
};

// Model (x, y) of the top view as its pixel.
int Px(float x) { return static_cast<int>(100 + 10 * x); }
int Py(float y) { return static_cast<int>(100 - 10 * y); }

TEST_F(RegionToolTest, DraggingEdges) {
  struct Case {
    const char* what;
    int flags;
    Vector3 press, to;
    Vector3 boxMin, boxMax;  // the ordered corners of slot 12
    const char* status;      // the press's own echo when nothing was grabbed
  };
  const Case cases[] = {
      {"inside, far from every edge", L, {2, 2, 0}, {6, 6, 0}, {0, 0, 0}, {4, 4, 1}, "    X        2    Y        2    Z        0"},
      {"the x minimum", L, {0, 2, 0}, {3, 2, 0}, {3, 0, 0}, {4, 4, 1}, "     X 3"},
      {"the corner", L, {4, 4, 0}, {5, 6, 0}, {0, 0, 0}, {5, 6, 1}, "        X 5    Y 6"},
      {"Shift on the x maximum", L | kMouseShift, {4, 2, 0}, {6, 2, 0}, {2, 0, 0}, {6, 4, 1}, "     X 6"},
      {"the minimum past the maximum", L, {0, 2, 0}, {6, 2, 0}, {4, 0, 0}, {6, 4, 1}, "     X 6"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    min = {0, 0, 0};
    max = {4, 4, 1};
    ran.clear();
    view.buttonBits = 0;
    CRegionTool* tool = Start(0);
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(GetCurrentToolCursorId(), 0);
    Headless().statusTexts.clear();
    view.OnLButtonDown(c.flags, Px(c.press.x), Py(c.press.y));
    view.OnMouseMove(c.flags, Px(c.to.x), Py(c.to.y));
    view.OnLButtonUp(0, Px(c.to.x), Py(c.to.y));
    EXPECT_EQ(Headless().statusTexts.empty() ? "" : Headless().statusTexts.back(), std::string(c.status));
    Vector3 low, high;
    tool->GetBounds(&low, &high);
    EXPECT_EQ(low, c.boxMin);
    EXPECT_EQ(high, c.boxMax);
    // A left double-click, as the view passes it on, does not finish.
    view.OnLButtonDown(L, 0, 0);
    view.OnLButtonUp(0, 0, 0);
    view.OnLButtonDblClk(L, 0, 0);
    view.OnLButtonUp(0, 0, 0);
    ProgramCommandQueue().Drain();
    EXPECT_TRUE(ran.empty());
    EXPECT_EQ(GetTool(0), tool);
    // A right press hands the box back, and the asking command runs once the tool has gone.
    view.OnRButtonDown(kMouseRightButton, 0, 0);
    EXPECT_EQ(min, c.boxMin);
    EXPECT_EQ(max, c.boxMax);
    boxWhenAsked.clear();
    ProgramCommandQueue().Drain();
    EXPECT_EQ(ran, (std::vector<int>{3600, kAskingCommand}));
    EXPECT_TRUE(pickToolWhenAsked);
    EXPECT_EQ(boxWhenAsked, (std::vector<Vector3>{c.boxMin, c.boxMax}));
    view.OnRButtonUp(0, 0, 0);
  }
}

TEST_F(RegionToolTest, AScreenBoxComesBackInScreenAxesInEveryView) {
  struct Case {
    const char* view;
    int axes[3];
    int signs[3];
  };
  const Case cases[] = {
      {"top", {0, 1, 2}, {1, 1, 1}},
      {"front", {0, 2, 1}, {1, 1, -1}},
      {"back", {0, 2, 1}, {-1, 1, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.view);
    view.SetAxes(c.axes[0], c.axes[1], c.axes[2], c.signs[0], c.signs[1], c.signs[2]);
    view.buttonBits = 0;
    min = {0, 0, -3};
    max = {10, 10, 7};
    ASSERT_NE(Start(1), nullptr);
    // The screen-right edge, halfway up, dragged five units further right.
    view.OnLButtonDown(L, 200, 50);
    view.OnMouseMove(L, 250, 50);
    view.OnLButtonUp(0, 250, 50);
    view.OnRButtonDown(kMouseRightButton, 250, 50);
    view.OnRButtonUp(0, 250, 50);
    EXPECT_EQ(min, Vector3(0, 0, -3));
    EXPECT_EQ(max, Vector3(15, 10, 7));
    ProgramCommandQueue().Drain();
  }
}

}  // namespace
