#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "bmp_fixture.h"
#include "recording_canvas.h"
#include "scene/drawing_context.h"
#include "scene/scene.h"
#include "scene/view_background.h"
#include "scene_fixture.h"
#include "services/app_settings.h"
#include "temp_dir.h"

namespace {

class ViewBackgroundTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    SetDrawingView(&canvas);
  }

  // A picture of the given size in which every pixel has its own colour.
  std::string Picture(int width, int height) {
    return folder.Write("p" + std::to_string(width) + "x" + std::to_string(height) + ".bmp",
                        MakeBmp24(width, height, [](int x, int y) { return std::uint32_t(x * 7 + y * 1000 + 1); }));
  }

  // A Front view of 201 x 201 pixels, ten pixels per model unit, x to the right and z up.
  void ShowFront() {
    view.SetSize(201, 201);
    view.SetAxes(0, 2, 1, 1, 1, -1);
    view.viewExtent = 10;
  }

  std::vector<RecordingCanvas::Stretch> Drawn() {
    canvas.canvas.stretches.clear();
    DrawViewBackground();
    return canvas.canvas.stretches;
  }

  TempDir folder;
  TestView<RecordingCanvas> canvas;
};

struct Fit {
  double ox, oy, sx, sy;
};

TEST_F(ViewBackgroundTest, FitModesCentreThePictureOnTheView) {
  struct Case {
    int mode;
    Fit fit;
    RecordingCanvas::Stretch drawn;
  };
  // A 1000 x 500 picture in a 500 x 500 view.
  const Case cases[] = {
      {kFitActualSize, {250, 0, 1, 1}, {0, 0, 500, 500, 250, 0, 500, 500}},
      {kFitWidth, {0, -250, 2, 2}, {0, 125, 500, 250, 0, 0, 1000, 500}},
      {kFitHeight, {250, 0, 1, 1}, {0, 0, 500, 500, 250, 0, 500, 500}},
      {kFitWidthAndHeight, {0, 0, 2, 1}, {0, 0, 500, 500, 0, 0, 1000, 500}},
      {kFitAuto, {250, 0, 1, 1}, {0, 0, 500, 500, 250, 0, 500, 500}},
  };
  view.SetSize(500, 500);
  const std::string wide = Picture(1000, 500);
  for (const Case& c : cases) {
    ASSERT_EQ(SetBackgroundImage(wide, c.mode), 1);
    Fit fit{};
    ASSERT_EQ(ComputeBackgroundFit(&fit.ox, &fit.oy, &fit.sx, &fit.sy), 1);
    EXPECT_DOUBLE_EQ(fit.ox, c.fit.ox) << c.mode;
    EXPECT_DOUBLE_EQ(fit.oy, c.fit.oy) << c.mode;
    EXPECT_DOUBLE_EQ(fit.sx, c.fit.sx) << c.mode;
    EXPECT_DOUBLE_EQ(fit.sy, c.fit.sy) << c.mode;
    EXPECT_EQ(Drawn(), std::vector{c.drawn}) << c.mode;
  }

  // A picture smaller than the view lands in its middle.
  SetBackgroundImage(Picture(200, 100), kFitActualSize);
  EXPECT_EQ(Drawn(), std::vector<RecordingCanvas::Stretch>({{150, 200, 200, 100, 0, 0, 200, 100}}));
}

TEST_F(ViewBackgroundTest, LockedPictureCentresOnTheAnchorAndSpansTwiceTheScale) {
  ShowFront();
  SetBackgroundImage(Picture(40, 20), kFitLockedToView);
  SetBackgroundOptions(0, 0, 0, 5);
  // 20 rows over 10 model units, 100 pixels, centred on the view's centre (100, 100).
  EXPECT_EQ(Drawn(), std::vector<RecordingCanvas::Stretch>({{0, 50, 200, 100, 0, 0, 40, 20}}));
  // The anchor 2 units right and 1 up moves the picture 20 pixels right and 10 up: its right
  // columns now lie past the view's right side.
  SetBackgroundOptions(2, 0, 1, 5);
  EXPECT_EQ(Drawn(), std::vector<RecordingCanvas::Stretch>({{20, 40, 181, 100, 0, 0, 36, 20}}));
}

TEST_F(ViewBackgroundTest, NothingIsDrawnWithoutAPictureOnTheView) {
  ShowFront();
  const std::string picture = Picture(40, 20);
  struct Case {
    const char* what;
    std::function<void()> arrange;
  };
  const Case cases[] = {
      {"anchor far right", [] { SetBackgroundOptions(100, 0, 0, 5); }},
      {"anchor far left", [] { SetBackgroundOptions(-100, 0, 0, 5); }},
      {"anchor far up", [] { SetBackgroundOptions(0, 0, 100, 5); }},
      {"anchor far down", [] { SetBackgroundOptions(0, 0, -100, 5); }},
      {"scale 0", [] { SetBackgroundOptions(0, 0, 0, 0); }},
      {"view of width 0", [this] { view.SetSize(0, 201); }},
      {"hidden", [] { ShowBackgroundImage(0); }},
      {"failed load", [this] { SetBackgroundImage(folder.File("missing.bmp"), kFitLockedToView); }},
  };
  for (const Case& c : cases) {
    ShowFront();
    ShowBackgroundImage(1);
    SetBackgroundImage(picture, kFitLockedToView);
    SetBackgroundOptions(0, 0, 0, 5);
    ASSERT_EQ(Drawn().size(), 1u) << c.what;
    c.arrange();
    EXPECT_TRUE(Drawn().empty()) << c.what;
    EXPECT_EQ(HasBackgroundImage(), 1) << c.what;
  }
  // A view of width 0 in a fitted mode would divide by it.
  view.SetSize(0, 201);
  SetBackgroundImage(picture, kFitWidth);
  double ox, oy, sx, sy;
  EXPECT_EQ(ComputeBackgroundFit(&ox, &oy, &sx, &sy), 0);
  EXPECT_TRUE(Drawn().empty());

  SetBackgroundImage(std::nullopt, kFitWidth);
  EXPECT_EQ(HasBackgroundImage(), 0);
}

TEST_F(ViewBackgroundTest, DamagedPicturesDrawNothing) {
  view.SetSize(100, 100);
  for (const auto& [what, bytes] : DamagedBmps()) {
    EXPECT_EQ(SetBackgroundImage(folder.Write("damaged.bmp", bytes), kFitActualSize), 0) << what;
    EXPECT_TRUE(Drawn().empty()) << what;
    EXPECT_EQ(GetBackgroundPixel(1, 1), GetBackgroundColor()) << what;
  }
}

TEST_F(ViewBackgroundTest, SamplesInterpolateInsideThePictureOnly) {
  SetBackgroundColorRGB(1, 2, 3);
  view.SetSize(3, 3);
  // Bytes of memory row r, column c: 10 r + c, then 100 + that, then 200 + that.
  const std::string path = folder.Write("s.bmp", MakeBmp24(3, 3, [](int x, int y) {
    const std::uint32_t v = std::uint32_t(10 * (2 - y) + x);
    return (v << 16) | ((100 + v) << 8) | (200 + v);
  }));
  SetBackgroundImage(path, kFitActualSize);
  SetBackgroundRenderFrame(0, 0, 1, 1);
  // Render (x, y) reads picture column x and memory row 2 - y.
  struct Case {
    double x, y;
    BackgroundColor expected;
  };
  const Case cases[] = {
      {0.5, 1.5, {5, 105, 205}},   // the mean of 0, 1, 10 and 11, truncated
      {0.25, 2, {0, 100, 200}},    // u 0.25 of the way from 0 to 1: 0.25, truncated
      {1, 1, {11, 111, 211}},      // exactly on a pixel
      {2, 1, {3, 2, 1}},           // the last column
      {1, 0, {3, 2, 1}},           // the last row
      {-0.1, 1, {3, 2, 1}},        // left of the picture
      {NAN, 1, {3, 2, 1}},
  };
  for (const Case& c : cases) EXPECT_EQ(GetBackgroundPixel(c.x, c.y), c.expected) << c.x << "," << c.y;

  // The y flip: render pixel (1, 1) of a 4 x 4 frame samples memory row 2, the second from the top.
  view.SetSize(4, 4);
  SetBackgroundImage(folder.Write("f.bmp", MakeBmp24(4, 4, [](int, int y) { return std::uint32_t(y + 1); })), 0);
  SetBackgroundRenderFrame(0, 0, 1, 1);
  EXPECT_EQ(GetBackgroundPixel(1, 1), (BackgroundColor{0, 0, 2}));

  // A mapping that cannot be used gives the colour.
  SetBackgroundImage(path, kFitLockedToView);
  SetBackgroundOptions(0, 0, 0, 0);
  SetBackgroundRenderFrame(0, 0, 1, 1);
  EXPECT_EQ(GetBackgroundPixel(1, 1), (BackgroundColor{3, 2, 1}));
}

TEST_F(ViewBackgroundTest, ColourKeepsItsByteOrder) {
  SetBackgroundColor(0x00112233);
  EXPECT_EQ(GetBackgroundColor(), (BackgroundColor{0x33, 0x22, 0x11}));
  ColorBack = 0x00C08040;  // red 0x40
  ResetBackgroundColor();
  EXPECT_EQ(GetBackgroundColor(), (BackgroundColor{0xC0, 0x80, 0x40}));
}

}  // namespace
