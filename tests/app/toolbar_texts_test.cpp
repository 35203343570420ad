#include "app/toolbar_texts.h"

#include <string>

#include "program_state.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

namespace {

class ToolbarTextsTest : public LumidrexTest {
 protected:
  // Gives the key this text in the active string table, as a language file would.
  static void SetLocalized(int key, const std::string& text) {
    int slot = 0;
    while (StringKeys[slot] >= 0 && StringKeys[slot] != key) ++slot;
    if (StringKeys[slot] < 0) StringKeys[slot + 1] = -1;
    StringKeys[slot] = key;
    StringTexts[slot] = text;
  }
};

std::string Repeated(const std::string& piece, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += piece;
  return text;
}

TEST_F(ToolbarTextsTest, TooltipsAndPromptsFollowTheirRules) {
  struct Case {
    int id;
    std::string localized;  // "" leaves the table as it is
    std::string tooltip;
    std::string prompt;
  };
  const Case cases[] = {
      {3400, "", "Pan Up", "Pan Up"},
      {3401, "Move the view down\nPan Down", "Move the view down", "Move the view down"},
      {3402, Repeated("x", 100), Repeated("x", 79), Repeated("x", 100)},
      // Characters, not bytes, and never half a character.
      {3403, Repeated("\xC3\xA9", 100), Repeated("\xC3\xA9", 79), Repeated("\xC3\xA9", 100)},
      {3410, "Cut&&Paste", "Cut&Paste", "Cut&&Paste"},
      {3411, "&Pick && go&", "Pick & go", "&Pick && go&"},
      // A pair cut in two by the limit leaves a lone '&', which is dropped.
      {3412, Repeated("x", 78) + "&&y", Repeated("x", 78), Repeated("x", 78) + "&&y"},
      // Fixed texts stand in where the table has none.
      {57344, "", "Lumidrex 5.1", "Lumidrex 5.1"},
      {128, "", "Lumidrex", "Lumidrex"},
      {129, "", "", ""},
      {61443, "Unbenannt", "Unbenannt", "Unbenannt"},
      {0, "", "", ""},
      {9999, "", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    if (!c.localized.empty()) SetLocalized(c.id, c.localized);
    EXPECT_EQ(TooltipText(c.id), c.tooltip);
    EXPECT_EQ(StatusPrompt(c.id), c.prompt);
  }
}

TEST_F(ToolbarTextsTest, TheIdlePromptIsTheLastStatusText) {
  SetLocalized(57345, "Ready");
  EXPECT_EQ(StatusPrompt(57345), "");
  ShowStatusText("Picking...\nfor real");
  EXPECT_EQ(StatusPrompt(57345), "Picking...\nfor real");
  EXPECT_EQ(TooltipText(57345), "Ready");
}

}  // namespace
