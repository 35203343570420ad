#include "modelling/tool_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "curve_fixture.h"
#include "kernel/bounds_box.h"
#include "platform/command_queue.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "scene/pick_tool.h"
#include "scene/tool_framework.h"
#include "scene/tool_lifetime.h"

namespace {

// A tool dialog that overrides no tool slot; its OK may replace it with the pick tool.
class PlainToolDialog : public CToolDialog {
 public:
  explicit PlainToolDialog(bool resetOnOK) : resetOnOK_(resetOnOK) { OpenWindow(); }
  const char* DialogName() const override { return "Plain"; }

 protected:
  void OnOKButton() override {
    if (resetOnOK_) ResetToPickTool();
    // Still alive here: the button's guard holds it.
    okSeen = DialogName();
  }

 public:
  std::string okSeen;

 private:
  bool resetOnOK_;
};

class ToolDialogTest : public CurveTest {
 protected:
  void SetUp() override {
    CurveTest::SetUp();
    ProgramCommandQueue().SetDispatcher([](int id) {
      if (id == kPickCommand) ResetToPickTool();
    });
  }
};

TEST_F(ToolDialogTest, IsTheDefaultToolWithTheDefaultSlots) {
  auto* dialog = new PlainToolDialog(false);
  EXPECT_EQ(GetTool(0), dialog);
  EXPECT_EQ(Headless().modelessOpened, std::vector<std::string>{"Plain"});
  AddCurve({{0, 0, 0}, {1, 0, 0}});
  const std::size_t objects = Objects().size();
  view.OnRButtonDown(kMouseRightButton, 100, 100);
  view.OnRButtonUp(0, 100, 100);
  EXPECT_EQ(Objects().size(), objects);
  EXPECT_EQ(GetTool(0), dialog);
  Vector3 min;
  Vector3 max;
  dialog->GetBounds(&min, &max);
  EXPECT_EQ(min, (Vector3{1e30f, 1e30f, 1e30f}));
  EXPECT_EQ(max, (Vector3{-1e30f, -1e30f, -1e30f}));
}

TEST_F(ToolDialogTest, CancelLeavesThePickToolAndClosesTheWindow) {
  auto* dialog = new PlainToolDialog(false);
  ASSERT_EQ(Headless().modelessOpen.size(), 1u);
  Headless().modelessOpen[0]->PressCancel();
  EXPECT_EQ(Headless().modelessClosed, std::vector<std::string>{"Plain"});
  EXPECT_EQ(GetTool(0), dialog);
  ProgramCommandQueue().Drain();
  EXPECT_EQ(GetCurrentToolCursorId(), kPickCommand);
  EXPECT_EQ(Headless().modelessClosed.size(), 1u);
  EXPECT_TRUE(Headless().modelessOpen.empty());
}

TEST_F(ToolDialogTest, ReplacingTheToolClosesItsWindow) {
  new PlainToolDialog(false);
  ResetToPickTool();
  EXPECT_EQ(Headless().modelessClosed, std::vector<std::string>{"Plain"});
}

TEST_F(ToolDialogTest, AButtonThatRetiresItsOwnToolFinishesFirst) {
  auto* dialog = new PlainToolDialog(true);
  dialog->PressOK();
  EXPECT_EQ(GetCurrentToolCursorId(), kPickCommand);
  EXPECT_EQ(RetiredToolCount(), 1);
  EXPECT_EQ(dialog->okSeen, "Plain");
  DestroyRetiredTools();
  EXPECT_EQ(RetiredToolCount(), 0);
  EXPECT_EQ(Headless().modelessClosed, std::vector<std::string>{"Plain"});
}

TEST_F(ToolDialogTest, APromptIsTheLocalisedString) {
  ShowPromptString(10093);
  EXPECT_EQ(Headless().statusTexts.back(), "Sketching curves...");
}

}  // namespace
