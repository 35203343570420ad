#include "platform/glyph_outline.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "temp_dir.h"

namespace {

constexpr unsigned char kOn = 1;
constexpr unsigned char kOff = 0;
constexpr unsigned char kCubic = 2;
constexpr char kLiberationSerif[] = "/usr/share/fonts/truetype/liberation/LiberationSerif-Regular.ttf";

using Kind = GlyphRecord::Kind;

// Whole pixels in 26.6.
OutlinePoint Px(long x, long y) { return {x * 64, y * 64}; }

TEST(GlyphOutlineTest, RecordsEndOnTheFontsOwnOnCurvePoints) {
  struct Case {
    const char* name;
    std::vector<OutlinePoint> points;
    std::vector<unsigned char> tags;
    GlyphPoint start;
    std::vector<GlyphRecord> records;
  };
  const std::vector<Case> cases = {
      {"square of on-curve points",
       {Px(0, 0), Px(4, 0), Px(4, 4), Px(0, 4)},
       {kOn, kOn, kOn, kOn},
       {0, 0},
       {{Kind::kLine, {{4, 0}, {4, 4}, {0, 4}, {0, 0}}}}},
      {"starting off-curve",
       {Px(1, 5), Px(0, 0), Px(4, -1), Px(4, 4)},
       {kOff, kOn, kOff, kOn},
       {0, 0},
       {{Kind::kQuadraticSpline, {{4, -1}, {4, 4}}}, {Kind::kQuadraticSpline, {{1, 5}, {0, 0}}}}},
      {"only off-curve points",
       {Px(0, 0), Px(4, 0), Px(4, 4), Px(0, 4)},
       {kOff, kOff, kOff, kOff},
       {0, 2},
       {{Kind::kQuadraticSpline, {{0, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 2}}}}},
      {"an on-curve point halfway between two off-curve ones",
       {Px(0, 0), Px(2, 4), Px(4, 4), Px(6, 4), Px(8, 0)},
       {kOn, kOff, kOn, kOff, kOn},
       {0, 0},
       {{Kind::kQuadraticSpline, {{2, 4}, {4, 4}}},
        {Kind::kQuadraticSpline, {{6, 4}, {8, 0}}},
        {Kind::kLine, {{0, 0}}}}},
      {"the same without the midpoint",
       {Px(0, 0), Px(2, 4), Px(6, 4), Px(8, 0)},
       {kOn, kOff, kOff, kOn},
       {0, 0},
       {{Kind::kQuadraticSpline, {{2, 4}, {6, 4}, {8, 0}}}, {Kind::kLine, {{0, 0}}}}},
      {"fractions of a pixel", {{32, 96}, {160, 16}, {0, -64}}, {kOn, kOn, kOn}, {0.5f, 1.5f},
       {{Kind::kLine, {{2.5f, 0.25f}, {0, -1}, {0.5f, 1.5f}}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<short> ends = {static_cast<short>(c.points.size() - 1)};
    const std::vector<GlyphContour> contours = ContoursFromOutline(c.points, c.tags, ends);
    ASSERT_EQ(contours.size(), 1u);
    EXPECT_EQ(contours[0].start, c.start);
    EXPECT_EQ(contours[0].records, c.records);
  }
}

TEST(GlyphOutlineTest, CubicControlsAndContourEndsBeyondThePointsGiveNoContours) {
  const std::vector<OutlinePoint> points = {Px(0, 0), Px(1, 0), Px(1, 1), Px(0, 1)};
  EXPECT_TRUE(ContoursFromOutline(points, std::vector<unsigned char>{kOn, kCubic, kCubic, kOn},
                                  std::vector<short>{3})
                  .empty());
  const std::vector<unsigned char> tags = {kOn, kOn, kOn, kOn};
  EXPECT_TRUE(ContoursFromOutline(points, tags, std::vector<short>{4}).empty());
  EXPECT_TRUE(ContoursFromOutline(points, tags, std::vector<short>{2, 1}).empty());
  EXPECT_TRUE(ContoursFromOutline(points, tags, std::vector<short>{-1}).empty());
  EXPECT_EQ(ContoursFromOutline(points, tags, std::vector<short>{1, 3}).size(), 2u);
}

TEST(GlyphOutlineTest, TheRealLetterOIsTwoClosedContoursOfSplines) {
  const std::unique_ptr<GlyphSource> glyphs = OpenFontFileGlyphs(kLiberationSerif, 16);
  const GlyphOutline o = glyphs->Glyph(U'o');
  ASSERT_EQ(o.contours.size(), 2u);
  EXPECT_GT(o.advance, 0);
  for (const GlyphContour& contour : o.contours) {
    ASSERT_FALSE(contour.records.empty());
    for (const GlyphRecord& record : contour.records) {
      EXPECT_EQ(record.kind, Kind::kQuadraticSpline);
      EXPECT_GE(record.points.size(), 2u);
    }
    EXPECT_EQ(contour.records.back().points.back(), contour.start);
  }
  // The match through the font configuration finds the same face for the family.
  const GlyphOutline matched = OpenFontGlyphs({"Liberation Serif", 16, false, false})->Glyph(U'o');
  EXPECT_EQ(matched.advance, o.advance);
  ASSERT_EQ(matched.contours.size(), 2u);
  EXPECT_EQ(matched.contours[0].records, o.contours[0].records);
}

// Outlines are geometry, not screen text: read without hinting, a glyph at an engraving size is
// the glyph at a large size scaled down, to the rounding of the rasteriser's 1/64 pixel, where
// hinting would move points by up to half a pixel onto the pixel grid.
TEST(GlyphOutlineTest, SmallSizesAreTheLargeOutlineScaledDown) {
  const std::unique_ptr<GlyphSource> small = OpenFontFileGlyphs(kLiberationSerif, 16);
  const std::unique_ptr<GlyphSource> large = OpenFontFileGlyphs(kLiberationSerif, 800);
  for (const char32_t letter : {U'o', U'8', U'I', U'a', U'e', U'g'}) {
    SCOPED_TRACE(static_cast<char>(letter));
    const GlyphOutline a = small->Glyph(letter);
    const GlyphOutline b = large->Glyph(letter);
    ASSERT_FALSE(a.contours.empty());
    ASSERT_EQ(a.contours.size(), b.contours.size());
    for (std::size_t c = 0; c < a.contours.size(); ++c) {
      ASSERT_EQ(a.contours[c].records.size(), b.contours[c].records.size());
      for (std::size_t r = 0; r < a.contours[c].records.size(); ++r) {
        const std::vector<GlyphPoint>& p = a.contours[c].records[r].points;
        const std::vector<GlyphPoint>& q = b.contours[c].records[r].points;
        ASSERT_EQ(p.size(), q.size());
        for (std::size_t k = 0; k < p.size(); ++k) {
          EXPECT_NEAR(p[k].x, q[k].x / 50.0f, 1.0f / 64.0f);
          EXPECT_NEAR(p[k].y, q[k].y / 50.0f, 1.0f / 64.0f);
        }
      }
    }
  }
}

TEST(GlyphOutlineTest, DamagedFontFilesGiveNoGlyphs) {
  TempDir folder;
  std::vector<std::uint8_t> head = ReadWholeFile(kLiberationSerif);
  ASSERT_GT(head.size(), 100u);
  head.resize(100);
  std::vector<std::uint8_t> noise(4096);
  std::mt19937 random(7);
  for (std::uint8_t& byte : noise) byte = static_cast<std::uint8_t>(random());
  const std::vector<std::string> paths = {folder.Write("empty.ttf", std::vector<std::uint8_t>{}),
                                          folder.Write("head.ttf", head), folder.Write("noise.ttf", noise),
                                          folder.File("missing.ttf")};
  for (const std::string& path : paths) {
    SCOPED_TRACE(path);
    const GlyphOutline glyph = OpenFontFileGlyphs(path, 16)->Glyph(U'A');
    EXPECT_TRUE(glyph.contours.empty());
    EXPECT_EQ(glyph.advance, 0);
  }
}

TEST(GlyphOutlineTest, TheHandMadeFuzzSeedIsAWorkingFont) {
  const std::unique_ptr<GlyphSource> glyphs = OpenFontFileGlyphs(LUMIDREX_FUZZ_CORPUS "/glyph_font/tiny.ttf", 100);
  const GlyphOutline a = glyphs->Glyph(U'A');
  ASSERT_EQ(a.contours.size(), 2u);
  EXPECT_EQ(a.advance, 60);
  EXPECT_EQ(a.contours[0].records[0].kind, Kind::kLine);
  const GlyphOutline o = glyphs->Glyph(U'o');
  ASSERT_EQ(o.contours.size(), 2u);
  EXPECT_EQ(o.contours[0].records.size(), 1u);  // only off-curve points: one spline from a midpoint
  EXPECT_EQ(glyphs->Glyph(U' ').advance, 25);
  EXPECT_TRUE(glyphs->Glyph(U' ').contours.empty());
}

}  // namespace
