#include "app/splash_composition.h"

#include <gtest/gtest.h>

#include "bmp_fixture.h"
#include "program_state.h"
#include "temp_dir.h"

namespace {

using SplashCompositionTest = LumidrexTest;

constexpr ColorRef kPicture = 0x00FF00;
constexpr ColorRef kLogo = 0xFFFFFF;
constexpr ColorRef kTopRow = 0x0000FF;

// A picture whose row that lands at the top of the shown part is marked.
Bytes Picture(int width, int height, int shownHeight) {
  return MakeBmp24(width, height, [=](int, int y) { return y == height - shownHeight ? kTopRow : kPicture; });
}

RasterCanvas Logo() {
  RasterCanvas logo(kLogoWidth, kLogoHeight);
  logo.FillSolidRect(0, 0, kLogoWidth, kLogoHeight, kLogo);
  return logo;
}

TEST_F(SplashCompositionTest, PictureSitsAtTheBottomLeftCutToItsAreaUnderTheLogo) {
  TempDir folder;
  struct Case {
    const char* what;
    std::string path;
    int shownWidth, shownHeight;  // 0: no picture shows
  };
  std::vector<Case> cases = {
      {"large", folder.Write("large.bmp", Picture(300, 400, 320)), 218, 320},
      {"small", folder.Write("small.bmp", Picture(100, 50, 50)), 100, 50},
      {"missing", folder.File("none.bmp"), 0, 0},
  };
  for (const auto& [what, bytes] : DamagedBmps()) cases.push_back({"damaged", folder.Write("bad.bmp", bytes), 0, 0});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const RasterCanvas canvas = ComposeSplash(c.path, Logo());
    ASSERT_EQ(canvas.width(), 512);
    ASSERT_EQ(canvas.height(), 320);
    for (int y = 0; y < 320; ++y) {
      for (int x = 0; x < 512; ++x) {
        ColorRef expected = x < 220 ? kSplashLeftColor : kSplashRightColor;
        if (x < c.shownWidth && y >= 320 - c.shownHeight) expected = y == 320 - c.shownHeight ? kTopRow : kPicture;
        if (x >= 240 && x < 485 && y >= 64 && y < 109) expected = kLogo;
        if (canvas.PixelAt(x, y) != expected) {
          ADD_FAILURE() << "pixel " << x << "," << y;
          return;
        }
      }
    }
  }
}

}  // namespace
