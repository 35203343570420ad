#include "services/string_table.h"

#include "program_state.h"
#include "services/resource_strings.h"

namespace {

using StringTableTest = LumidrexTest;

TEST_F(StringTableTest, TextsByNumber) {
  EXPECT_EQ(GetLocalizedString(10016), "Invalid file format!");
  EXPECT_EQ(GetLocalizedString(10137), "Are you sure to Cancel?");
  EXPECT_EQ(GetLocalizedString(1), "OK");
  EXPECT_EQ(GetLocalizedString(4000), "Cut&&Paste");
  EXPECT_EQ(GetLocalizedString(30103), "Actual size");
  EXPECT_EQ(GetLocalizedString(99999), "Spare text 99999");
  EXPECT_EQ(GetLocalizedString(34000), "Round Diamond Size");
  EXPECT_EQ(GetLocalizedString(10143), "%s objects could not be read from %s.");
  EXPECT_EQ(GetLocalizedString(10072), "");  // not in the table
  EXPECT_EQ(GetLocalizedString(-1), "");
  EXPECT_EQ(StringKeys[479], -1);
}

TEST_F(StringTableTest, AResultStaysValidThroughLaterLookups) {
  const std::string first = GetLocalizedString(10015);
  for (int i = 0; i < 40; ++i) GetLocalizedString(10016 + i % 3);
  EXPECT_EQ(first, "Cannot write to file!");
}

TEST_F(StringTableTest, FixedTextsNoLanguageReplaces) {
  EXPECT_EQ(ApplicationTitle(), "Lumidrex 5.1");
  EXPECT_EQ(GetResourceString(kUntitledString), "Untitled");
  EXPECT_EQ(GetResourceString(12), "");
  EXPECT_EQ(DesignFileFilter(), "Lumidrex Files (*.lxd)|*.lxd|All Files (*.*)|*.*|");
}

}  // namespace
