#include "app/qt/choose_language_view.h"

#include <QDialog>
#include <QListWidget>

#include <filesystem>

#include "app/qt/app_dialog_views.h"
#include "language_file_writer.h"
#include "platform/program_folder.h"
#include "qt_test.h"
#include "services/app_settings.h"
#include "services/choose_language.h"
#include "services/menu_builder.h"
#include "services/string_table.h"

namespace {

class Frame : public MenuFrame {
 public:
  void InstallMenuBar(const MenuItem&) override { ++builds; }
  void SetToolBarTitles() override {}
  int builds = 0;
};

class ChooseLanguageViewTest : public QtTest {
 protected:
  void SetUp() override {
    QtTest::SetUp();
    RegisterAppDialogViews(platform().ui());
    SetProgramDirOverride(folder.path());
    folder.Write("b.str", PrefixedLanguageFile("Bravo", "Bravo:"));
    folder.Write("A.STR", PrefixedLanguageFile("Alpha", "Alpha:"));
    folder.Write("lumidrex.str", PrefixedLanguageFile("Skipped", ""));
    folder.Write("bad.str", std::string_view("LumidrexLocalizationStrings-0999"));
    std::filesystem::create_directory(folder.File("x.str"));
    SetMenuFrame(&frame);
  }
  static QListWidget* List(QWidget* modal) { return modal->findChild<QListWidget*>(QStringLiteral("languages")); }
  TempDir folder;
  Frame frame;
};

TEST_F(ChooseLanguageViewTest, ListsTheFilesInOrderAndSwitchesOnOk) {
  WhenModalOpens([](QWidget* modal) {
    QListWidget* list = List(modal);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Alpha"));
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("Bravo"));
    list->setCurrentRow(1);
    qobject_cast<QDialog*>(modal)->accept();
  });
  OnChooseLanguage();
  EXPECT_EQ(LanguageFileName, "b.str");
  EXPECT_EQ(GetLocalizedString(10016), "Bravo:Invalid file format!");
  EXPECT_EQ(frame.builds, 1);
}

TEST_F(ChooseLanguageViewTest, TheActiveFileIsPreselectedAndCancelDoesNotRebuild) {
  LanguageFileName = "b.str";
  CChooseLanguageDlg dialog;
  WhenModalOpens([](QWidget* modal) {
    QListWidget* list = List(modal);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_TRUE(list->item(1)->isSelected());
    qobject_cast<QDialog*>(modal)->reject();
  });
  EXPECT_EQ(RunModalDialog(dialog), kAnswerCancel);

  LanguageFileName.clear();
  WhenModalOpens([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
  OnChooseLanguage();
  EXPECT_EQ(frame.builds, 0);
  EXPECT_EQ(LanguageFileName, "");
}

TEST_F(ChooseLanguageViewTest, AKeptSelectionOutOfRangeSelectsNothing) {
  CChooseLanguageDlg dialog;
  dialog.languageNames = {"Only"};
  dialog.selection = 5;
  WhenModalOpens([](QWidget* modal) {
    EXPECT_TRUE(List(modal)->selectedItems().isEmpty());
    qobject_cast<QDialog*>(modal)->accept();
  });
  EXPECT_EQ(RunChooseLanguageView(dialog, nullptr), kAnswerOk);
  EXPECT_EQ(dialog.selection, -1);
}

}  // namespace
