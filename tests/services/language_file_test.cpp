#include "services/language_file.h"

#include <array>

#include "language_file_writer.h"
#include "platform/platform_services.h"
#include "platform/program_folder.h"
#include "program_state.h"
#include "services/app_settings.h"
#include "services/choose_language.h"
#include "services/menu_builder.h"
#include "services/string_table.h"
#include "temp_dir.h"

namespace {

// A table of two menu texts (a popup and its item) and two strings.
const std::array<MenuTableRow, 7> kTinyTable = {{{kPopupBegin, "&File"},
                                                  {100, "&Open"},
                                                  {kPopupEnd, ""},
                                                  {kTableEnd, ""},
                                                  {1, "OK"},
                                                  {2, "Cancel"},
                                                  {kTableEnd, ""}}};

// The German fixture over the tiny table, byte by byte.
Bytes TinyGermanFile() {
  Bytes bytes;
  for (const char c : std::string_view("LumidrexLocalizationStrings-0510")) bytes.push_back(static_cast<std::uint8_t>(c));
  const auto text = [&](std::u16string_view units) {
    Append<std::uint16_t>(&bytes, static_cast<std::uint16_t>(units.size()));
    for (const char16_t unit : units) Append<std::uint16_t>(&bytes, unit);
  };
  text(u"Deutsch");
  text(u"&Datei");
  text(u"\u00D6&ffnen");
  text(u"OK");
  text(u"Abbrechen");
  return bytes;
}

class LanguageFileTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    SetProgramDirOverride(folder.path());
  }
  // The built-in table with every text marked, so a test can tell language texts from English.
  static std::string Marked(const MenuTableRow& row) {
    std::string text = "#";
    text += row.text;
    return text;
  }
  static Bytes MarkedFile() { return PrefixedLanguageFile("Marked", "#"); }
  TempDir folder;
};

TEST_F(LanguageFileTest, AHandMadeFileReadsAndTheWriterReproducesIt) {
  const std::string path = folder.Write("de.str", TinyGermanFile());
  const auto texts = ReadLanguageFile(path, kTinyTable);
  ASSERT_TRUE(texts);
  EXPECT_EQ(texts->languageName, "Deutsch");
  EXPECT_EQ(texts->rowTexts,
            (std::vector<std::string>{"&Datei", "\xC3\x96&ffnen", "", "", "OK", "Abbrechen", ""}));
  const Bytes written = LanguageFileBytes("Deutsch", kTinyTable, [&](const MenuTableRow& row) {
    return texts->rowTexts[static_cast<std::size_t>(&row - kTinyTable.data())];
  });
  EXPECT_EQ(written, TinyGermanFile());
}

TEST_F(LanguageFileTest, TheEnglishTableRoundTripsThroughAFile) {
  const std::string path = folder.Write("english.str", LanguageFileBytes("English", MenuStringTable, [](const MenuTableRow& row) {
    return std::string(row.text);
  }));
  const auto texts = ReadLanguageFile(path, MenuStringTable);
  ASSERT_TRUE(texts);
  EXPECT_EQ(texts->rowTexts, EnglishRowTexts(MenuStringTable));
}

TEST_F(LanguageFileTest, AnActiveLanguageReplacesEveryText) {
  folder.Write("marked.str", MarkedFile());
  LanguageFileName = "marked.str";
  BuildMenus();
  EXPECT_EQ(GetLocalizedString(10016), "#Invalid file format!");
  EXPECT_EQ(CurrentMenuBar().items[0].text, "#&File");
  EXPECT_EQ(CurrentMenuBar().items[6].items.back().text, "#Restore removed curves");
  EXPECT_EQ(GetLocalizedString(12345), "");
}

TEST_F(LanguageFileTest, ABadFileLeavesEnglishEverywhereAndKeepsTheName) {
  const Bytes good = MarkedFile();
  // Where the menu texts end: the same file over the menu section alone.
  const std::vector<MenuTableRow> menuOnly(MenuStringTable.begin(), MenuStringTable.begin() + kMenuSectionEndRow + 1);
  const std::size_t menuEnd = LanguageFileBytes("Marked", menuOnly, Marked).size();
  Bytes wrongMagic = good;
  wrongMagic[0] = 'X';
  Bytes tooLong(good.begin(), good.begin() + 32);
  Append<std::uint16_t>(&tooLong, 1024);
  tooLong.resize(tooLong.size() + 2048, 'a');
  const struct {
    const char* name;
    Bytes bytes;
  } cases[] = {
      {"wrong magic", wrongMagic},
      {"ends inside the menu texts", Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(menuEnd) - 3)},
      {"ends inside the string texts", Bytes(good.begin(), good.end() - 3)},
      {"a length of 1024", tooLong},
      {"an odd byte count", Bytes(good.begin(), good.end() - 1)},
  };
  for (const auto& c : cases) {
    folder.Write("bad.str", c.bytes);
    LanguageFileName = "bad.str";
    BuildMenus();
    EXPECT_EQ(GetLocalizedString(10016), "Invalid file format!") << c.name;
    EXPECT_EQ(CurrentMenuBar().items[0].text, "&File") << c.name;
    EXPECT_EQ(CurrentMenuBar().items[0].items.size(), 17u) << c.name;
    EXPECT_EQ(LanguageFileName, "bad.str") << c.name;
  }
}

TEST_F(LanguageFileTest, TextsOf1023UnitsAndTrailingBytesAreAccepted) {
  const Bytes german = TinyGermanFile();
  Bytes bytes(german.begin(), german.begin() + 32);
  AppendLanguageText(&bytes, std::string(1023, 'n'));
  for (int i = 0; i < 4; ++i) AppendLanguageText(&bytes, "t");
  bytes.push_back(0x7F);
  const auto texts = ReadLanguageFile(folder.Write("long.str", bytes), kTinyTable);
  ASSERT_TRUE(texts);
  EXPECT_EQ(texts->languageName.size(), 1023u);
}

TEST_F(LanguageFileTest, WithALanguageActiveTheLanguageItemLeadsBackToEnglish) {
  folder.Write("marked.str", MarkedFile());
  LanguageFileName = "marked.str";
  BuildMenus();
  const MenuItem& language = CurrentMenuBar().items[0].items[12];
  EXPECT_EQ(language.id, kChooseLanguageCommand);
  EXPECT_EQ(language.text, "Change to English (&L)");

  OnChooseLanguage();  // an unscripted dialog would fail the test
  EXPECT_EQ(LanguageFileName, "");
  EXPECT_EQ(CurrentMenuBar().items[0].items[12].text, "&Language");
  EXPECT_EQ(GetLocalizedString(10016), "Invalid file format!");
}

// Files written before the Layers dialog's headings existed end before their rows: they still
// load, and the headings stay English; a file that has them translates them too.
TEST_F(LanguageFileTest, AFileEndingBeforeTheLateRowsLoadsWithThoseInEnglish) {
  const std::vector<MenuTableRow> older(MenuStringTable.begin(), MenuStringTable.end() - 1 - kLateStringRows);
  std::vector<MenuTableRow> olderTable = older;
  olderTable.push_back({kTableEnd, ""});
  folder.Write("old.str", LanguageFileBytes("Old", olderTable, Marked));
  folder.Write("marked.str", MarkedFile());
  const struct {
    const char* file;
    const char* heading;
  } cases[] = {{"old.str", "Name"}, {"marked.str", "#Name"}};
  for (const auto& c : cases) {
    LanguageFileName = c.file;
    BuildMenus();
    EXPECT_TRUE(LanguageActive()) << c.file;
    EXPECT_EQ(GetLocalizedString(34000), "#Round Diamond Size") << c.file;
    EXPECT_EQ(GetLocalizedString(31805), c.heading) << c.file;
  }
  // Ending inside a late row's text is still a damaged file.
  const Bytes marked = MarkedFile();
  folder.Write("cut.str", Bytes(marked.begin(), marked.end() - 3));
  LanguageFileName = "cut.str";
  BuildMenus();
  EXPECT_FALSE(LanguageActive());
}

}  // namespace
