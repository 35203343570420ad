#include "scene/background_image_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "bmp_fixture.h"
#include "counting_viewport.h"
#include "platform/raster_canvas.h"
#include "recording_canvas.h"
#include "scene/drawing_context.h"
#include "scene/input_tools.h"
#include "scene/scene_views.h"
#include "scene/view_axis.h"
#include "scene/view_background.h"
#include "scene_fixture.h"
#include "temp_dir.h"

namespace {

class BackgroundImageDialogTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    view.SetSize(201, 201);
    view.viewExtent = 10;
    ringPath = folder.Write("ring.bmp", MakeBmp24(40, 20, [](int x, int y) { return std::uint32_t(x + 50 * y + 1); }));
  }

  // Runs the command with a scripted answer.
  void Run(std::function<int(CBackgroundImageDlg&)> answer) {
    Headless().AnswerDialog(CBackgroundImageDlg::kName, [answer](DialogModel& model) {
      return answer(static_cast<CBackgroundImageDlg&>(model));
    });
    RunBackgroundImageDialog();
  }

  static int PressOk(CBackgroundImageDlg& dialog) { return dialog.Validate() ? kAnswerOk : kAnswerCancel; }

  // OK with the picture chosen under the given name and fit.
  void ChoosePicture(const std::string& name, int fit) {
    Run([&](CBackgroundImageDlg& dialog) {
      dialog.imageChoice = 1;
      dialog.fitMode = fit;
      dialog.texts[CBackgroundImageDlg::kFileEdit] = name;
      return PressOk(dialog);
    });
  }

  // The background drawn alone; the colour at the model point's pixel.
  ColorRef ColourAt(Vector3 point) {
    TestView<RasterCanvas> canvas(201, 201);
    CanvasView* previous = SetDrawingView(&canvas);
    DrawViewBackground();
    SetDrawingView(previous);
    ApplyActiveViewProjection();
    const Vector3 screen = TransformPoint(point, GetViewTransform());
    return canvas.canvas.PixelAt(static_cast<int>(screen.x + 0.5f), static_cast<int>(screen.y + 0.5f));
  }

  TempDir folder;
  std::string ringPath;
};

TEST_F(BackgroundImageDialogTest, CancelChangesNothingAndBlankClearsThePicture) {
  ChoosePicture(ringPath, kFitAuto);
  ASSERT_EQ(HasBackgroundImage(), 1);
  Run([](CBackgroundImageDlg& dialog) {
    dialog.imageChoice = 0;
    dialog.texts[CBackgroundImageDlg::kScaleEdit] = "99";
    return kAnswerCancel;
  });
  EXPECT_EQ(GetBackgroundPlacement().fileName, ringPath);
  EXPECT_EQ(GetBackgroundPlacement().fitMode, kFitAuto);
  EXPECT_EQ(GetBackgroundPlacement().scale, 25.0f);

  CountingViewport counting;
  Run([](CBackgroundImageDlg& dialog) {
    dialog.imageChoice = 0;
    return PressOk(dialog);
  });
  EXPECT_EQ(HasBackgroundImage(), 0);
  EXPECT_EQ(counting.redraws, 1);
}

TEST_F(BackgroundImageDialogTest, OkLoadsTheNamedPictureAndAnchorsOnTheViewsAxes) {
  struct Case {
    int axes[3], signs[3];
    Vector3 anchor;  // from the centre (1, 2) typed in
  };
  const Case cases[] = {
      {{0, 2, 1}, {1, 1, -1}, {1, 0, 2}},  // Front
      {{0, 1, 2}, {1, 1, 1}, {1, 2, 0}},   // Top
  };
  const std::string stem = ringPath.substr(0, ringPath.size() - 4);
  for (const Case& c : cases) {
    view.SetAxes(c.axes[0], c.axes[1], c.axes[2], c.signs[0], c.signs[1], c.signs[2]);
    Run([&](CBackgroundImageDlg& dialog) {
      dialog.imageChoice = 1;
      dialog.fitMode = kFitLockedToView;
      dialog.texts[CBackgroundImageDlg::kFileEdit] = stem;  // ".bmp" comes on
      dialog.texts[CBackgroundImageDlg::kCentreXEdit] = "1";
      dialog.texts[CBackgroundImageDlg::kCentreYEdit] = "2";
      return PressOk(dialog);
    });
    const BackgroundPlacement placement = GetBackgroundPlacement();
    EXPECT_EQ(placement.fileName, ringPath);
    EXPECT_EQ(BackgroundImage().width, 40);
    EXPECT_EQ(placement.anchor.x, c.anchor.x);
    EXPECT_EQ(placement.anchor.y, c.anchor.y);
    EXPECT_EQ(placement.anchor.z, c.anchor.z);
    EXPECT_TRUE(Headless().messages.empty());
  }
}

TEST_F(BackgroundImageDialogTest, ScaleEditsScaleTheCentreAndResetRestoresIt) {
  Run([](CBackgroundImageDlg& dialog) {
    using D = CBackgroundImageDlg;
    EXPECT_EQ(dialog.texts[D::kFileEdit], "vorn");
    dialog.texts[D::kCentreXEdit] = "3";
    dialog.texts[D::kCentreYEdit] = "-4";
    for (const char* text : {"0", "abc"}) {
      dialog.texts[D::kScaleEdit] = text;
      dialog.OnScaleEdited();
      EXPECT_EQ(dialog.scale, 25.0f) << text;
    }
    dialog.texts[D::kScaleEdit] = "50";
    dialog.OnScaleEdited();
    EXPECT_EQ(dialog.texts[D::kCentreXEdit], "6");
    EXPECT_EQ(dialog.texts[D::kCentreYEdit], "-8");
    EXPECT_TRUE(Headless().messages.empty());
    dialog.OnReset();
    EXPECT_EQ(dialog.texts[D::kCentreXEdit], "0");
    EXPECT_EQ(dialog.texts[D::kScaleEdit], "25");
    dialog.texts[D::kScaleEdit] = "0.5";
    return PressOk(dialog);
  });
  EXPECT_EQ(Headless().messages.size(), 1u);
  EXPECT_EQ(Headless().messages[0].text, "Enter a number between 1 and 10000.");
}

TEST_F(BackgroundImageDialogTest, ImageCentrePutsThePickedSpotOnTheOriginInEveryView) {
  struct Case {
    const char* name;
    int axes[3], signs[3];
    double turn;  // degrees about the vertical axis after setting the axes
  };
  const Case cases[] = {
      {"front", {0, 2, 1}, {1, 1, -1}, 0},  {"right", {1, 2, 0}, {1, 1, 1}, 0},
      {"top", {0, 1, 2}, {1, 1, 1}, 0},     {"back", {0, 2, 1}, {-1, 1, 1}, 0},
      {"left", {1, 2, 0}, {-1, 1, -1}, 0},  {"bottom", {0, 1, 2}, {-1, 1, -1}, 0},
      {"turned 3-D", {0, 2, 1}, {1, 1, -1}, 160},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    view.SetAxes(c.axes[0], c.axes[1], c.axes[2], c.signs[0], c.signs[1], c.signs[2]);
    if (c.turn != 0) view.RotateAboutAxis(1, c.turn);
    const int h = GetViewAxis(0);
    const int v = GetViewAxis(1);
    // The picture's colour under the spot to be picked while it is anchored at the origin.
    const float pick[2] = {3.25f, 2.25f};
    float spot[3] = {0, 0, 0};
    spot[h] = pick[0];
    spot[v] = pick[1];
    SetBackgroundImage(ringPath, kFitLockedToView);
    SetBackgroundOptions(0, 0, 0, 5);
    const ColorRef before = ColourAt({spot[0], spot[1], spot[2]});
    ASSERT_NE(before, 0u);  // on the picture
    SetBackgroundImage(std::nullopt, kFitLockedToView);

    Run([&](CBackgroundImageDlg& dialog) {
      dialog.texts[CBackgroundImageDlg::kFileEdit] = ringPath;
      dialog.texts[CBackgroundImageDlg::kScaleEdit] = "5";
      dialog.OnImageCentre();
      return CBackgroundImageDlg::kPickCentreResult;
    });
    EXPECT_EQ(GetBackgroundPlacement().fileName, std::nullopt);  // nothing applied yet
    ASSERT_NE(dynamic_cast<CPointPickTool*>(TheScene.secondaryTool), nullptr);
    // The pick leaves the spot's coordinates on the view's horizontal and vertical world axes.
    BackgroundImageDialog().pickedPoint[0] = pick[0];
    BackgroundImageDialog().pickedPoint[1] = pick[1];
    Run([](CBackgroundImageDlg& dialog) {
      EXPECT_EQ(dialog.imageChoice, 1);
      EXPECT_EQ(dialog.fitMode, kFitLockedToView);
      EXPECT_EQ(dialog.texts[CBackgroundImageDlg::kScaleEdit], "5");
      return PressOk(dialog);
    });
    const Vector3 anchor = GetBackgroundPlacement().anchor;
    const float coordinates[3] = {anchor.x, anchor.y, anchor.z};
    EXPECT_EQ(coordinates[h], -pick[0]);
    EXPECT_EQ(coordinates[v], -pick[1]);
    EXPECT_EQ(coordinates[3 - h - v], 0.0f);
    EXPECT_EQ(ColourAt({0, 0, 0}), before);
  }
}

TEST_F(BackgroundImageDialogTest, APictureThatDoesNotLoadSaysWhy) {
  struct Case {
    std::string name;
    const char* message;
  };
  std::vector<Case> cases = {{folder.File("missing.bmp"), "Cannot open file!"}};
  for (const auto& [what, bytes] : DamagedBmps()) cases.push_back({folder.Write(what + ".bmp", bytes), "Invalid file format!"});
  for (const Case& c : cases) {
    Headless().messages.clear();
    ChoosePicture(c.name, kFitActualSize);
    ASSERT_EQ(Headless().messages.size(), 1u) << c.name;
    EXPECT_EQ(Headless().messages[0].text, c.message + ("\n" + c.name)) << c.name;
    EXPECT_EQ(HasBackgroundImage(), 1);
  }
}

TEST_F(BackgroundImageDialogTest, BrowseChoosesThePicture) {
  Headless().fileAnswers.push_back(FileDialogAnswer{ringPath, 1});
  Run([](CBackgroundImageDlg& dialog) {
    dialog.OnBrowse();
    EXPECT_EQ(dialog.imageChoice, 1);
    return PressOk(dialog);
  });
  ASSERT_EQ(Headless().fileRequests.size(), 1u);
  EXPECT_EQ(Headless().fileRequests[0].filters[0].pattern, "*.bmp");
  EXPECT_EQ(GetBackgroundPlacement().fileName, ringPath);
}

}  // namespace
