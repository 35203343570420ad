#include "services/choose_language.h"

#include <filesystem>

#include "language_file_writer.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "platform/program_folder.h"
#include "program_state.h"
#include "services/app_settings.h"
#include "services/language_file.h"
#include "services/menu_builder.h"
#include "services/string_table.h"
#include "temp_dir.h"

namespace {

class ChooseLanguageTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    SetProgramDirOverride(folder.path());
    folder.Write("b.str", PrefixedLanguageFile("Bravo", "Bravo:"));
    folder.Write("A.STR", PrefixedLanguageFile("Alpha", "Alpha:"));
    folder.Write("lumidrex.str", PrefixedLanguageFile("Skipped", ""));
    folder.Write("bad.str", std::string_view("not a language file at all, no magic"));
    folder.Write("notes.txt", PrefixedLanguageFile("Text", ""));
    std::filesystem::create_directory(folder.File("x.str"));
  }
  TempDir folder;
};

TEST_F(ChooseLanguageTest, ListsTheLanguageFilesByNameIgnoringCase) {
  CChooseLanguageDlg dialog;
  dialog.OnInitDialog();
  EXPECT_EQ(dialog.fileNames, (std::vector<std::string>{"A.STR", "b.str"}));
  EXPECT_EQ(dialog.languageNames, (std::vector<std::string>{"Alpha", "Bravo"}));
  EXPECT_EQ(dialog.selection, 0);
}

TEST_F(ChooseLanguageTest, ChoosingSwitchesAndTheSelectionIsKept) {
  Headless().AnswerDialog(CChooseLanguageDlg::kName, [](DialogModel& model) {
    static_cast<CChooseLanguageDlg&>(model).selection = 1;
    return kAnswerOk;
  });
  OnChooseLanguage();
  EXPECT_EQ(LanguageFileName, "b.str");
  EXPECT_EQ(GetLocalizedString(10016), "Bravo:Invalid file format!");

  OnChooseLanguage();  // back to English, no dialog
  EXPECT_EQ(LanguageFileName, "");

  int preselected = -2;
  Headless().AnswerDialog(CChooseLanguageDlg::kName, [&](DialogModel& model) {
    preselected = static_cast<CChooseLanguageDlg&>(model).selection;
    return kAnswerCancel;
  });
  OnChooseLanguage();
  EXPECT_EQ(preselected, 1);
  EXPECT_EQ(LanguageFileName, "");
  EXPECT_EQ(GetLocalizedString(10016), "Invalid file format!");
}

TEST_F(ChooseLanguageTest, TheActiveFileIsPreselectedAndOkWithoutSelectionChangesNothing) {
  LanguageFileName = "B.STR";  // names compare ignoring case
  CChooseLanguageDlg dialog;
  dialog.OnInitDialog();
  EXPECT_EQ(dialog.selection, 1);

  LanguageFileName.clear();
  Headless().AnswerDialog(CChooseLanguageDlg::kName, [](DialogModel& model) {
    static_cast<CChooseLanguageDlg&>(model).selection = -1;
    return kAnswerOk;
  });
  OnChooseLanguage();
  EXPECT_EQ(LanguageFileName, "");
  EXPECT_EQ(Headless().dialogsRun.size(), 1u);
}

// A profile may name a file that is gone or damaged: the program then speaks English, and the
// command opens the dialog on its first use rather than only forgetting the name.
TEST_F(ChooseLanguageTest, ALanguageWhoseFileCannotBeReadIsNotActive) {
  for (const char* named : {"bad.str", "gone.str"}) {
    SCOPED_TRACE(named);
    LanguageFileName = named;
    BuildMenus();
    EXPECT_FALSE(LanguageActive());
    Headless().dialogsRun.clear();
    Headless().AnswerDialog(CChooseLanguageDlg::kName, [](DialogModel& model) {
      static_cast<CChooseLanguageDlg&>(model).selection = 0;
      return kAnswerOk;
    });
    OnChooseLanguage();
    EXPECT_EQ(Headless().dialogsRun.size(), 1u);
    EXPECT_EQ(LanguageFileName, "A.STR");
    EXPECT_TRUE(LanguageActive());
  }
}

}  // namespace
