// A font file, as the text command's glyph reader loads its outlines.
#include <cmath>

#include "fuzz_support.h"
#include "platform/glyph_outline.h"

namespace {

bool Finite(const GlyphPoint& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzInput();
  const std::string path = WriteFuzzFile("font.ttf", data, size);
  const std::unique_ptr<GlyphSource> glyphs = OpenFontFileGlyphs(path, 64);
  for (const char32_t c : {U'A', U'o', U' ', U'\uFFFD', U'\u4E00'}) {
    const GlyphOutline glyph = glyphs->Glyph(c);
    for (const GlyphContour& contour : glyph.contours) {
      if (!Finite(contour.start)) FuzzCheckFailed("a contour starting at no point");
      if (contour.records.empty() || contour.records.back().points.empty() ||
          !(contour.records.back().points.back() == contour.start)) {
        FuzzCheckFailed("a contour that does not close on its start");
      }
      for (const GlyphRecord& record : contour.records) {
        if (record.kind == GlyphRecord::Kind::kQuadraticSpline && record.points.size() < 2) {
          FuzzCheckFailed("a spline record of fewer than 2 points");
        }
        for (const GlyphPoint& p : record.points) {
          if (!Finite(p)) FuzzCheckFailed("a record point that is no number");
        }
      }
    }
  }
  return 0;
}
