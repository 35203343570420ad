#include "app/settings_dialogs.h"

#include <gtest/gtest.h>

#include <string>

#include "app/app_profile.h"
#include "counting_viewport.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "program_state.h"
#include "scene/view_commands.h"
#include "services/app_settings.h"

namespace {

using SettingsDialogsTest = LumidrexTest;

// Types text into an edit and presses OK: the dialog closes only when its values check.
int TypeAndPressOk(DialogModel& model, int edit, const std::string& text) {
  auto& dialog = static_cast<CDataDialog&>(model);
  dialog.texts[edit] = text;
  return dialog.Validate() ? kAnswerOk : kAnswerCancel;
}

TEST_F(SettingsDialogsTest, NumbersOutsideTheirRangeOrNotNumbersAreRefused) {
  struct Case {
    const char* dialog;
    int edit;
    const char* text;
    const char* message;  // none: accepted
  };
  const Case cases[] = {
      {CGridSettingDlg::kName, CGridSettingDlg::kSpacingEdit, "0.005", "Enter a number between 0.01 and 100."},
      {CGridSettingDlg::kName, CGridSettingDlg::kSpacingEdit, "0.01", nullptr},
      {CGridSettingDlg::kName, CGridSettingDlg::kSpacingEdit, " 100 ", nullptr},
      {CGridSettingDlg::kName, CGridSettingDlg::kSpacingEdit, "abc", "Enter a number."},
      {CGridSettingDlg::kName, CGridSettingDlg::kSpacingEdit, "5x", "Enter a number."},
      {CGridSettingDlg::kName, CGridSettingDlg::kSpacingEdit, "", "Enter a number."},
      {CZoomCalibrationDlg::kName, CZoomCalibrationDlg::kFactorEdit, "0.001", nullptr},
      {CZoomCalibrationDlg::kName, CZoomCalibrationDlg::kFactorEdit, "100", nullptr},
      {CZoomCalibrationDlg::kName, CZoomCalibrationDlg::kFactorEdit, "0.0009", "Enter a number between 0.001 and 100."},
  };
  for (const Case& c : cases) {
    ResetProgramState();
    GridSpacing = 7;
    OneToOneZoom = 0.2f;
    int failedField = -1;
    Headless().AnswerDialog(c.dialog, [&](DialogModel& model) {
      const int answer = TypeAndPressOk(model, c.edit, c.text);
      failedField = static_cast<CDataDialog&>(model).failedField;
      return answer;
    });
    if (std::string(c.dialog) == CGridSettingDlg::kName) {
      OnGridSettings();
    } else {
      RunZoomCalibrationDialog();
    }
    SCOPED_TRACE(c.text);
    if (c.message == nullptr) {
      EXPECT_TRUE(Headless().messages.empty());
      EXPECT_EQ(failedField, 0);
    } else {
      ASSERT_EQ(Headless().messages.size(), 1u);
      EXPECT_EQ(Headless().messages[0].text, c.message);
      EXPECT_EQ(failedField, c.edit);
      EXPECT_EQ(GridSpacing, 7);
      EXPECT_EQ(OneToOneZoom, 0.2f);
    }
  }
}

TEST_F(SettingsDialogsTest, GridSettingKeepsItsLastAcceptedValues) {
  CountingViewport view;
  Headless().AnswerDialog(CGridSettingDlg::kName, [](DialogModel& model) {
    auto& dialog = static_cast<CGridSettingDlg&>(model);
    EXPECT_EQ(dialog.texts[CGridSettingDlg::kSpacingEdit], "10");
    dialog.mode = 1;
    return TypeAndPressOk(model, CGridSettingDlg::kSpacingEdit, "2.5");
  });
  OnGridSettings();
  EXPECT_EQ(GridSpacing, 0);
  EXPECT_EQ(view.redraws, 1);

  // Cancel after changes: the next opening shows the accepted values again.
  Headless().AnswerDialog(CGridSettingDlg::kName, [](DialogModel& model) {
    auto& dialog = static_cast<CGridSettingDlg&>(model);
    EXPECT_EQ(dialog.mode, 1);
    EXPECT_EQ(dialog.texts[CGridSettingDlg::kSpacingEdit], "2.5");
    dialog.mode = 0;
    dialog.texts[CGridSettingDlg::kSpacingEdit] = "0.005";
    EXPECT_FALSE(dialog.Validate());
    return kAnswerCancel;
  });
  OnGridSettings();
  Headless().AnswerDialog(CGridSettingDlg::kName, [](DialogModel& model) {
    auto& dialog = static_cast<CGridSettingDlg&>(model);
    EXPECT_EQ(dialog.mode, 1);
    EXPECT_EQ(dialog.texts[CGridSettingDlg::kSpacingEdit], "2.5");
    dialog.mode = 0;
    return dialog.Validate() ? kAnswerOk : kAnswerCancel;
  });
  OnGridSettings();
  EXPECT_EQ(GridSpacing, 2.5f);
  EXPECT_EQ(view.redraws, 2);
}

TEST_F(SettingsDialogsTest, CalibrationTakesTheViewsScaleAndSurvivesARestart) {
  CountingViewport view;
  view.zoomScale = 0.35f;
  Headless().AnswerDialog(CZoomCalibrationDlg::kName, [](DialogModel& model) {
    auto& dialog = static_cast<CZoomCalibrationDlg&>(model);
    EXPECT_EQ(dialog.texts[CZoomCalibrationDlg::kFactorEdit], "0.2");
    dialog.OnFactorFromCurrentView();
    EXPECT_EQ(dialog.texts[CZoomCalibrationDlg::kFactorEdit], "0.35");
    return dialog.Validate() ? kAnswerOk : kAnswerCancel;
  });
  RunZoomCalibrationDialog();
  EXPECT_EQ(OneToOneZoom, 0.35f);

  SaveAppSettings(*Platform().settings);
  OneToOneZoom = 0.2f;
  LoadAppSettings(*Platform().settings);
  EXPECT_EQ(OneToOneZoom, 0.35f);
}

TEST_F(SettingsDialogsTest, DirectoriesCopyBothFoldersOnOkOnly) {
  DataBaseDir = "database";
  MaterialDir = "material";
  Headless().folderAnswers = {"/samples", std::nullopt};
  auto browse = [](DialogModel& model) {
    auto& dialog = static_cast<CDirectoriesDlg&>(model);
    dialog.OnBrowse(CDirectoriesDlg::kDatabaseEdit);
    dialog.OnBrowse(CDirectoriesDlg::kMaterialEdit);  // cancelled: the edit keeps its text
    dialog.texts[CDirectoriesDlg::kMaterialEdit] += "2";
    return dialog.Validate() ? kAnswerOk : kAnswerCancel;
  };
  Headless().AnswerDialog(CDirectoriesDlg::kName, browse);
  OnDirectories();
  EXPECT_EQ(Headless().folderRequests, (std::vector<std::string>{"database", "material"}));
  EXPECT_EQ(DataBaseDir, "/samples");
  EXPECT_EQ(MaterialDir, "material2");

  Headless().AnswerDialog(CDirectoriesDlg::kName, [](DialogModel& model) {
    auto& dialog = static_cast<CDirectoriesDlg&>(model);
    EXPECT_EQ(dialog.texts[CDirectoriesDlg::kDatabaseEdit], "/samples");
    dialog.texts[CDirectoriesDlg::kDatabaseEdit] = "elsewhere";
    return kAnswerCancel;
  });
  OnDirectories();
  EXPECT_EQ(DataBaseDir, "/samples");
}

}  // namespace
