#include "manufacturing/nc_show_path.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "exchange/output_file.h"
#include "manufacturing/nc_path_object.h"
#include "manufacturing/nc_posts.h"
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

  static CGeomObject* LastObject() {
    CGeomObject* last = TheScene.head;
    while (last != nullptr && last->next != nullptr) last = last->next;
    return last;
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

// A program of each dialect, written by its post: the path drawn spans what the file moves the
// tool through, in millimetres over the scale. Roland moves are whole steps; the Micromaster
// trailer and the MDX-500/650 header move to points of their own; a relative move from an
// unknown point adds none.
TEST_F(NcShowPathTest, EachDialectDrawsTheExtentsOfItsProgram) {
  const struct {
    int dialect;
    Vector3 min, max;
  } cases[] = {
      {0, {0.5f, -0.75f, -1}, {2, 0.37f, 5}},
      {1, {0, -0.75f, -1}, {2, 0.37f, 20}},
      {2, {0.5f, -0.75f, -1}, {2, 0.375f, 5}},
      {3, {0, -0.75f, -1}, {2, 0.37f, 5}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(kNcDialectNames[c.dialect]);
    const std::string name = folder.File("program.nc");
    OutputFile file;
    ASSERT_TRUE(file.Open(name));
    const std::unique_ptr<CNcPost> post = MakeNcPost(c.dialect, file, false);
    post->x = post->y = post->z = 9.0f;
    post->BeginProgram();
    post->RapidMode();
    post->MoveTo(0.5f, 0.37f, 5.0f);
    post->FeedMode();
    post->MoveTo(0.5f, 0.37f, -1.0f);
    post->MoveTo(1.25f, -0.75f, 2.0f);
    post->MoveTo(2.0f, 0.37f, 2.0f);
    post->EndProgram();
    ASSERT_TRUE(file.Commit());
    for (const float scale : {1.0f, 0.5f}) {
      Answer(name, scale == 1.0f ? "1" : "0.5");
      OnShowNcProgram();
      auto* const path = dynamic_cast<CNcPathObject*>(LastObject());
      ASSERT_NE(path, nullptr);
      path->Draw(0);
      EXPECT_EQ(path->boundsMin, VecScale(c.min, 1 / scale));
      EXPECT_EQ(path->boundsMax, VecScale(c.max, 1 / scale));
      EXPECT_TRUE(Headless().statusTexts.empty() || Headless().statusTexts.back().find(name) == std::string::npos);
    }
  }
  // A Roland program of another machine: its steps are unknown, so it is named and not drawn.
  const std::string other = folder.Write("other.nc", std::string_view(";;^IN;\r\n!MC1;\r\nZ40,80,120;\r\n"));
  Answer(other, "1");
  OnShowNcProgram();
  ASSERT_FALSE(Headless().statusTexts.empty());
  EXPECT_EQ(Headless().statusTexts.back(), "Invalid file format! " + other);
  auto* const path = dynamic_cast<CNcPathObject*>(LastObject());
  ASSERT_NE(path, nullptr);
  path->Draw(0);
  EXPECT_EQ(path->boundsMin, Vector3(1e30f, 1e30f, 1e30f));
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
