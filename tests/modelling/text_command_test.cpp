#include "modelling/text_command.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "curve_fixture.h"
#include "modelling/block_dialog.h"
#include "modelling/curve_drawing_commands.h"
#include "scene/pick_tool.h"
#include "scene/tool_framework.h"

namespace {

using TextCommandTest = CurveTest;

const FontChoice kSerif = {"Liberation Serif", 20, false, false};

void AnswerText(const std::string& text, int createBlock, int button) {
  Headless().AnswerDialog(CTextDlg::kName, [=](DialogModel& model) {
    auto& dialog = static_cast<CTextDlg&>(model);
    dialog.text = text;
    dialog.createBlock = createBlock;
    return button;
  });
}

TEST_F(TextCommandTest, ACancelledDialogEndsTheCommandWithoutChange) {
  struct Case {
    const char* name;
    int textButton;
    int createBlock;
    std::optional<FontChoice> font;
    bool pickToolReset;
  };
  const std::vector<Case> cases = {
      {"text dialog", kAnswerCancel, 0, kSerif, false},
      {"font dialog on first use", kAnswerOk, 0, std::nullopt, true},
      {"font dialog without a family", kAnswerOk, 0, FontChoice{}, true},
      {"block dialog", kAnswerOk, 1, kSerif, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResetProgramState();
    SetUp();
    DoCurveSimple();
    const int tool = GetCurrentToolCursorId();
    ASSERT_NE(tool, kPickCommand);
    AnswerText("Ag", c.createBlock, c.textButton);
    if (c.textButton == kAnswerOk) Headless().fontAnswers.push_back(c.font);
    if (c.createBlock != 0) Headless().AnswerDialog(CBlockFromCurvesDlg::kName, [](DialogModel&) { return kAnswerCancel; });
    OnText();
    EXPECT_TRUE(Objects().empty());
    EXPECT_EQ(GetCurrentToolCursorId(), c.pickToolReset ? kPickCommand : tool);
  }
}

TEST_F(TextCommandTest, ASecondRunUsesTheChosenFontAndTheDialogKeepsItsValues) {
  AnswerText("o", 0, kAnswerOk);
  Headless().fontAnswers.push_back(kSerif);
  OnText();
  EXPECT_EQ(TextFont, kSerif);
  EXPECT_EQ(Headless().fontRequests.size(), 1u);
  EXPECT_EQ(CurvesIn(kStateSelected).size(), 2u);

  // No font answer is scripted: asking again would fail the test.
  Headless().AnswerDialog(CTextDlg::kName, [](DialogModel& model) {
    auto& dialog = static_cast<CTextDlg&>(model);
    EXPECT_EQ(dialog.text, "o");
    EXPECT_EQ(dialog.createBlock, 0);
    dialog.text = "oo";
    return kAnswerOk;
  });
  OnText();
  EXPECT_EQ(CurvesIn(kStateSelected).size(), 6u);
  EXPECT_EQ(Headless().fontRequests.size(), 1u);
}

TEST_F(TextCommandTest, ChoosingAFontStartsFromTheLastChoice) {
  TextFont = kSerif;
  Headless().fontAnswers.push_back(std::nullopt);
  EXPECT_TRUE(ChooseTextFont());
  EXPECT_EQ(Headless().fontRequests.back(), kSerif);
  EXPECT_EQ(TextFont, kSerif);
  Headless().fontAnswers.push_back(FontChoice{"DejaVu Sans", 30, true, false});
  EXPECT_TRUE(ChooseTextFont());
  EXPECT_EQ(TextFont.family, "DejaVu Sans");
}

}  // namespace
