#include "manufacturing/one_side_stl_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "platform/program_folder.h"
#include "slice_scene.h"
#include "temp_dir.h"

namespace {

class OneSideStlCommandsTest : public DesignTest {
 protected:
  TempDir folder;
};

TEST_F(OneSideStlCommandsTest, TypedResolutionsOutsideTheirRangesKeepTheDialogOpen) {
  struct Case {
    int edit;
    const char* text;
  };
  const Case cases[] = {{COneSideStlDlg::kFirstEdit, "0.0009"}, {COneSideStlDlg::kFirstEdit, "1000.1"},
                        {COneSideStlDlg::kSecondEdit, "0.009"}, {COneSideStlDlg::kSecondEdit, "100.1"},
                        {COneSideStlDlg::kFirstEdit, "nan"},    {COneSideStlDlg::kFirstEdit, "inf"},
                        {COneSideStlDlg::kFirstEdit, "1e40"},   {COneSideStlDlg::kSecondEdit, ""},
                        {COneSideStlDlg::kSecondEdit, "abc"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    COneSideStlDlg dialog;
    dialog.OnInitDialog();
    dialog.texts[c.edit] = c.text;
    EXPECT_FALSE(dialog.Validate());
    EXPECT_EQ(dialog.failedField, c.edit);
  }
}

TEST_F(OneSideStlCommandsTest, CommandsWriteTheChosenFormatAndSupportRemovesItsSlices) {
  AddBox({0, 0, 0}, {1, 1, 1});
  Headless().AnswerDialog(COneSideStlDlg::kName, [](DialogModel& model) {
    auto& dialog = static_cast<COneSideStlDlg&>(model);
    EXPECT_EQ(dialog.mode, 0);
    dialog.texts[COneSideStlDlg::kFirstEdit] = "0.25";
    return dialog.Validate() ? kAnswerOk : kAnswerCancel;
  });
  Headless().fileAnswers = {FileDialogAnswer{folder.File("three"), 2}};
  OnStlFor3AxisNc();
  const std::vector<std::uint8_t> three = ReadWholeFile(folder.File("three.stl"));
  ASSERT_GT(three.size(), 84u);
  EXPECT_EQ(three.size() % 50, 34u);
  EXPECT_EQ(Headless().fileRequests.back().title, "STL Output for 3-axis nc program");

  // The support STL: "ring.x" loses ".x" and gets ".stl"; binary for the second filter.
  Headless().fileAnswers = {FileDialogAnswer{folder.File("ring.x"), 2}};
  OnStlForSupport();
  const std::vector<std::uint8_t> support = ReadWholeFile(folder.File("ring.stl"));
  ASSERT_GT(support.size(), 84u);
  EXPECT_EQ(support.size() % 50, 34u);
  EXPECT_FALSE(std::filesystem::exists(GetExchangeFolder() + "temp.slc"));
}

}  // namespace
