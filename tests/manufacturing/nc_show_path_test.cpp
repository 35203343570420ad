#include "manufacturing/nc_show_path.h"

#include <gtest/gtest.h>

#include <string>

#include "manufacturing/nc_path_object.h"
#include "manufacturing/unit_conversion_dialog.h"
#include "scene_fixture.h"
#include "temp_dir.h"

namespace {

using D = CNcShowPathDlg;

class NcShowPathTest : public SceneTest {
 protected:
  void Answer(const std::string& name, const std::string& scale) {
    Headless().AnswerDialog(D::kName, [name, scale](DialogModel& model) {
      auto& dialog = static_cast<D&>(model);
      dialog.texts[D::kFileEdit] = name;
      dialog.texts[D::kScaleEdit] = scale;
      return dialog.Validate() ? kAnswerOk : kAnswerCancel;
    });
  }

  TempDir folder;
};

TEST_F(NcShowPathTest, OkShowsTheProgramSelectedAndCancelShowsNothing) {
  folder.Write("ring.nc", std::string_view(" X1 Y2 Z3\r\n"));
  Answer(folder.File("ring"), "2.5");
  OnShowNcProgram();
  auto* const path = dynamic_cast<CNcPathObject*>(TheScene.head);
  ASSERT_NE(path, nullptr);
  EXPECT_EQ(path->fileName, folder.File("ring.nc"));
  EXPECT_EQ(path->scale, 2.5f);
  EXPECT_EQ(path->ObjectState, kStateSelected);
  EXPECT_TRUE(Headless().statusTexts.empty() || Headless().statusTexts.back().find("Cannot") == std::string::npos);
  // The dialog opens with the values of its last use.
  EXPECT_EQ(NcShowPathDialog().fileName, folder.File("ring"));

  Headless().AnswerDialog(D::kName, [](DialogModel&) { return kAnswerCancel; });
  OnShowNcProgram();
  EXPECT_EQ(path->next, nullptr);
}

TEST_F(NcShowPathTest, AFileThatDoesNotOpenIsNamedInTheStatusBar) {
  Answer(folder.File("gone.nc"), "1");
  OnShowNcProgram();
  ASSERT_FALSE(Headless().statusTexts.empty());
  EXPECT_EQ(Headless().statusTexts.back(), "Cannot open file! " + folder.File("gone.nc"));
  EXPECT_EQ(Headless().messages.size(), 0u);
  EXPECT_NE(dynamic_cast<CNcPathObject*>(TheScene.head), nullptr);
}

TEST_F(NcShowPathTest, ScaleOutsideItsRangeKeepsTheDialogOpen) {
  D& dialog = NcShowPathDialog();
  dialog.OnInitDialog();
  const auto opened = dialog.texts;
  EXPECT_EQ(opened.at(D::kFileEdit), "vorn");
  EXPECT_EQ(opened.at(D::kScaleEdit), "1");
  for (const char* text : {"0", "0.00009", "10001", "nan", "inf", "1e40", "", "abc"}) {
    SCOPED_TRACE(text);
    dialog.texts = opened;
    dialog.texts[D::kScaleEdit] = text;
    EXPECT_FALSE(dialog.Validate());
    EXPECT_EQ(dialog.failedField, D::kScaleEdit);
  }
  dialog.texts[D::kScaleEdit] = "0.0001";
  EXPECT_TRUE(dialog.Validate());
}

TEST_F(NcShowPathTest, UnitsAndBrowseFillTheFields) {
  D& dialog = NcShowPathDialog();
  dialog.OnInitDialog();
  dialog.texts[D::kFileEdit] = "typed";
  Headless().AnswerDialog(CUnitConversionDlg::kName, [](DialogModel&) { return 13; });
  dialog.OnUnits();
  EXPECT_EQ(dialog.texts[D::kScaleEdit], "25.4");
  EXPECT_EQ(dialog.texts[D::kFileEdit], "typed");
  Headless().AnswerDialog(CUnitConversionDlg::kName, [](DialogModel&) { return kAnswerCancel; });
  dialog.OnUnits();
  EXPECT_EQ(dialog.texts[D::kScaleEdit], "25.4");

  Headless().fileAnswers.push_back(FileDialogAnswer{"/tmp/chosen.nc", 1});
  dialog.OnBrowse();
  ASSERT_EQ(Headless().fileRequests.size(), 1u);
  EXPECT_TRUE(Headless().fileRequests[0].open);
  ASSERT_EQ(Headless().fileRequests[0].filters.size(), 2u);
  EXPECT_EQ(dialog.texts[D::kFileEdit], "/tmp/chosen.nc");
}

}  // namespace
