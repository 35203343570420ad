#pragma once

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/font_choice.h"

// Device pixels, y up, relative to the glyph origin.
struct GlyphPoint {
  float x = 0.0f;
  float y = 0.0f;

  friend bool operator==(const GlyphPoint&, const GlyphPoint&) = default;
};

// A straight run through its points, or one quadratic spline whose last point lies on the
// curve and whose other points are its off-curve controls.
struct GlyphRecord {
  enum class Kind { kLine, kQuadraticSpline };
  Kind kind = Kind::kLine;
  std::vector<GlyphPoint> points;

  friend bool operator==(const GlyphRecord&, const GlyphRecord&) = default;
};

// A closed contour: its start, then records going round and ending on the start again.
struct GlyphContour {
  GlyphPoint start;
  std::vector<GlyphRecord> records;
};

struct GlyphOutline {
  std::vector<GlyphContour> contours;
  int advance = 0;  // whole pixels
};

// One point of a scalable outline in 26.6 fixed point, as the font rasteriser keeps it.
struct OutlinePoint {
  long x = 0;
  long y = 0;
};

// The contours of an outline from its points, their tags (bit 0 on the curve, bit 1 a cubic
// control) and the index of each contour's last point. Records end on the font's own on-curve
// points, never on implied midpoints, since each record is evaluated as one spline. Cubic
// controls or contour ends that do not fit the points give no contours.
std::vector<GlyphContour> ContoursFromOutline(std::span<const OutlinePoint> points,
                                              std::span<const unsigned char> tags,
                                              std::span<const short> contourEnds);

// The glyphs of one font at one size. A glyph the font cannot give has no contours and advance 0,
// as has every glyph of a font file that cannot be read.
class GlyphSource {
 public:
  virtual ~GlyphSource() = default;
  virtual GlyphOutline Glyph(char32_t codePoint) = 0;
};

// The TrueType file the system's font configuration matches to the family, weight and slant
// (a family without one gets a TrueType substitute).
std::unique_ptr<GlyphSource> OpenFontGlyphs(const FontChoice& font);
// A font file by path, at an em height in pixels.
std::unique_ptr<GlyphSource> OpenFontFileGlyphs(const std::string& path, int emHeight);
