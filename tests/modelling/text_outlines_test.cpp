#include "modelling/text_outlines.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "closed_solid_checks.h"
#include "curve_fixture.h"
#include "kernel/block_object.h"
#include "kernel/block_solid.h"
#include "modelling/block_dialog.h"
#include "modelling/text_command.h"
#include "platform/glyph_outline.h"
#include "scene/pick_tool.h"
#include "scene/tool_framework.h"
#include "scene/undo_history.h"

namespace {

constexpr char kLiberationSerif[] = "/usr/share/fonts/truetype/liberation/LiberationSerif-Regular.ttf";

class TextOutlinesTest : public CurveTest {
 protected:
  void SetUp() override {
    CurveTest::SetUp();
    TextFont = {"Liberation Serif", 20, false, false};
  }

  static std::vector<CBlockObject*> BlocksIn(int state) {
    std::vector<CBlockObject*> blocks;
    CGeomObject* cursor = nullptr;
    while (CGeomObject* object = NextObject(cursor, state, kKindBlock)) blocks.push_back(static_cast<CBlockObject*>(object));
    return blocks;
  }
};

// Glyphs made up by the test, each code point with the same one.
class MadeUpGlyphs : public GlyphSource {
 public:
  explicit MadeUpGlyphs(GlyphOutline glyph) : glyph_(std::move(glyph)) {}
  GlyphOutline Glyph(char32_t) override { return glyph_; }

 private:
  GlyphOutline glyph_;
};

TEST_F(TextOutlinesTest, TheLetterOIsTwoClosedCurvesRunningAgainstTheFontsContours) {
  const GlyphOutline o = OpenFontFileGlyphs(kLiberationSerif, 20)->Glyph(U'o');
  ASSERT_EQ(o.contours.size(), 2u);
  MakeTextOutlines("o", 0, 0, 1, 2);
  const std::vector<CCurveObject*> curves = CurvesIn(kStateSelected);
  ASSERT_EQ(curves.size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    const CCurveObject& curve = *curves[i];
    EXPECT_EQ(curve.closed, 1);
    EXPECT_EQ(curve.stepsPerSpan, 0);
    EXPECT_EQ(curve.controlPointsHidden, 1);
    // Reversed: the contour's start comes last, the point the font reaches first comes before it.
    const GlyphPoint start = o.contours[i].start;
    ExpectNear(curve.points.back(), {start.x * 0.05f, start.y * 0.05f, 0});
    EXPECT_GT(curve.PointCount(), 8);
    for (std::size_t k = 1; k < curve.points.size(); ++k) EXPECT_FALSE(VectorsEqual(curve.points[k], curve.points[k - 1]));
    EXPECT_FALSE(VectorsEqual(curve.points.front(), curve.points.back()));
  }
}

TEST_F(TextOutlinesTest, ASpaceMovesThePenOnlyAndOneUndoTakesTheTextAway) {
  const std::unique_ptr<GlyphSource> font = OpenFontFileGlyphs(kLiberationSerif, 20);
  const int advance = font->Glyph(U'o').advance + font->Glyph(U' ').advance;
  ResetToPickTool();
  MakeTextOutlines("o o", 0, 0, 1, 2);
  const std::vector<CCurveObject*> curves = CurvesIn(kStateSelected);
  ASSERT_EQ(curves.size(), 4u);
  for (std::size_t i = 0; i < 2; ++i) {
    ASSERT_EQ(curves[i + 2]->PointCount(), curves[i]->PointCount());
    for (int k = 0; k < curves[i]->PointCount(); ++k) {
      const Vector3 first = curves[i]->points[static_cast<std::size_t>(k)];
      ExpectNear(curves[i + 2]->points[static_cast<std::size_t>(k)],
                 {first.x + 0.05f * static_cast<float>(advance), first.y, first.z}, 1e-4f);
    }
  }
  UndoCommand();
  EXPECT_TRUE(CurvesIn(kStateSelected).empty());
}

TEST_F(TextOutlinesTest, TheTextRunsAlongTheHorizontalAxisAndUpTheVerticalOne) {
  struct Case {
    int horizontal;
    int vertical;
    int depth;
  };
  for (const Case& c : {Case{0, 1, 2}, Case{0, 2, 1}, Case{1, 2, 0}}) {
    ResetProgramState();
    SetUp();
    MakeTextOutlines("l", 0, c.horizontal, c.vertical, c.depth);
    const std::vector<CCurveObject*> curves = CurvesIn(kStateSelected);
    ASSERT_EQ(curves.size(), 1u);
    float top = 0;
    float right = 0;
    for (const Vector3& p : curves[0]->points) {
      const float coordinates[3] = {p.x, p.y, p.z};
      EXPECT_EQ(coordinates[c.depth], 0.0f);
      EXPECT_GE(coordinates[c.horizontal], 0.0f);
      top = std::max(top, coordinates[c.vertical]);
      right = std::max(right, coordinates[c.horizontal]);
    }
    // An "l" of a 20-pixel em stands about 14 pixels tall and a few wide.
    EXPECT_GT(top, 0.5f);
    EXPECT_LT(top, 1.0f);
    EXPECT_LT(right, top);
  }
}

TEST_F(TextOutlinesTest, BlockModeMakesOneBlockPerCharacterWithTheBlockDialogsValues) {
  Headless().AnswerDialog(CBlockFromCurvesDlg::kName, [](DialogModel& model) {
    auto& dialog = static_cast<CBlockFromCurvesDlg&>(model);
    dialog.values = {1, 2, 0.1f, 0.5f};
    return kAnswerOk;
  });
  ASSERT_EQ(RunBlockFromCurvesDialogModal(), kAnswerOk);
  MakeTextOutlines("AB", 1, 0, 1, 2);
  EXPECT_TRUE(CurvesIn(kStateSelected).empty());
  const std::vector<CBlockObject*> blocks = BlocksIn(kStateSelected);
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[0]->ProfileCount(), 2);  // "A" has one hole
  EXPECT_EQ(blocks[1]->ProfileCount(), 3);  // "B" has two holes
  for (const CBlockObject* block : blocks) {
    EXPECT_EQ(block->frontEndType, 1);
    EXPECT_EQ(block->backEndType, 2);
    EXPECT_EQ(block->thickness, 0.5f);
    EXPECT_EQ(block->radius, 0.1f);
    EXPECT_FALSE(block->surfaces.empty());
  }
  EXPECT_GT(blocks[1]->placement.m[12], blocks[0]->placement.m[12]);
}

// Block text at an engraving size, flat and with round ends: every letter one closed solid facing
// out, and a flat one as thick as asked over the glyph's area (outline less holes).
TEST_F(TextOutlinesTest, TextBlocksAreClosedSolidsOverTheGlyphsArea) {
  TextFont.emHeight = 16;
  for (const BlockFromCurvesParams values : {BlockFromCurvesParams{0, 0, 0.0f, 1.5f},
                                             BlockFromCurvesParams{1, 1, 0.05f, 1.5f}}) {
    SCOPED_TRACE(values.frontEndType);
    Headless().AnswerDialog(CBlockFromCurvesDlg::kName, [&](DialogModel& model) {
      static_cast<CBlockFromCurvesDlg&>(model).values = values;
      return kAnswerOk;
    });
    ASSERT_EQ(RunBlockFromCurvesDialogModal(), kAnswerOk);
    MakeTextOutlines("Io8", 1, 0, 1, 2);
    const std::vector<CBlockObject*> blocks = BlocksIn(kStateSelected);
    ASSERT_EQ(blocks.size(), 3u);
    for (CBlockObject* block : blocks) {
      SCOPED_TRACE(block->ProfileCount());
      const BlockSolid solid = TessellateBlock(*block);
      EXPECT_EQ(OpenEdges(solid.points, solid.faceIndices), 0);
      const double volume = SignedVolume(solid.points, solid.faceIndices);
      EXPECT_GT(volume, 0.0);
      if (values.frontEndType != 0) continue;
      // Stored outer rings counter-clockwise and holes clockwise: their signed areas add up.
      double area = 0;
      std::size_t offset = 0;
      for (const std::int32_t size : block->profileSizes) {
        area += ClosedCurveArea({block->profilePoints.data() + offset, static_cast<std::size_t>(size)}, 0);
        offset += static_cast<std::size_t>(size);
      }
      EXPECT_NEAR(volume, area * 1.5, 0.005 * area * 1.5);
      block->ObjectState = kStateShown;
    }
  }
}

TEST_F(TextOutlinesTest, AContourOfCoincidentPointsGivesNoCurve) {
  GlyphOutline dot;
  dot.advance = 5;
  GlyphContour contour;
  contour.start = {1, 1};
  contour.records = {{GlyphRecord::Kind::kLine, {{1, 1.001f}, {1.001f, 1}}},
                     {GlyphRecord::Kind::kQuadraticSpline, {{1, 1}, {1, 1}}}};
  dot.contours = {contour};
  MadeUpGlyphs glyphs(dot);
  MakeTextOutlines("..", 0, 0, 1, 2, glyphs);
  EXPECT_TRUE(CurvesIn(kStateSelected).empty());
}

}  // namespace
