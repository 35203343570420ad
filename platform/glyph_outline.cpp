#include "platform/glyph_outline.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cstring>

namespace {

GlyphPoint FromFixed(const OutlinePoint& p) {
  return {static_cast<float>(p.x) / 64.0f, static_cast<float>(p.y) / 64.0f};
}

bool OnCurve(unsigned char tag) { return (tag & 1) != 0; }
bool Cubic(unsigned char tag) { return (tag & 3) == 2; }

// Walks one contour from its start round to the start again.
GlyphContour ContourFrom(std::span<const OutlinePoint> points, std::span<const unsigned char> tags) {
  const std::size_t n = points.size();
  GlyphContour contour;
  std::size_t first = 0;
  while (first < n && !OnCurve(tags[first])) ++first;
  // The points after the start in order; without an on-curve point every point follows the
  // midpoint of the last and the first.
  std::size_t begin = 0;
  std::size_t count = n;
  if (first < n) {
    contour.start = FromFixed(points[first]);
    begin = first + 1;
    count = n - 1;
  } else {
    const GlyphPoint a = FromFixed(points[n - 1]);
    const GlyphPoint b = FromFixed(points[0]);
    contour.start = {(a.x + b.x) / 2.0f, (a.y + b.y) / 2.0f};
  }
  std::vector<GlyphPoint> offCurve;
  const auto take = [&](GlyphPoint point, bool on) {
    if (!on) {
      offCurve.push_back(point);
      return;
    }
    if (!offCurve.empty()) {
      offCurve.push_back(point);
      contour.records.push_back({GlyphRecord::Kind::kQuadraticSpline, std::move(offCurve)});
      offCurve.clear();
    } else if (!contour.records.empty() && contour.records.back().kind == GlyphRecord::Kind::kLine) {
      contour.records.back().points.push_back(point);
    } else {
      contour.records.push_back({GlyphRecord::Kind::kLine, {point}});
    }
  };
  for (std::size_t k = 0; k < count; ++k) {
    const std::size_t i = (begin + k) % n;
    take(FromFixed(points[i]), OnCurve(tags[i]));
  }
  take(contour.start, true);
  return contour;
}

class FreeTypeGlyphs : public GlyphSource {
 public:
  FreeTypeGlyphs(const std::string& path, int faceIndex, int emHeight) {
    if (FT_Init_FreeType(&library_) != 0) {
      library_ = nullptr;
      return;
    }
    if (FT_New_Face(library_, path.c_str(), faceIndex, &face_) != 0) {
      face_ = nullptr;
      return;
    }
    if (FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(std::clamp(emHeight, 1, 1000))) != 0) {
      FT_Done_Face(face_);
      face_ = nullptr;
    }
  }
  ~FreeTypeGlyphs() override {
    if (face_ != nullptr) FT_Done_Face(face_);
    if (library_ != nullptr) FT_Done_FreeType(library_);
  }
  FreeTypeGlyphs(const FreeTypeGlyphs&) = delete;
  FreeTypeGlyphs& operator=(const FreeTypeGlyphs&) = delete;

  GlyphOutline Glyph(char32_t codePoint) override {
    GlyphOutline glyph;
    if (face_ == nullptr || FT_Load_Char(face_, codePoint, FT_LOAD_NO_BITMAP | FT_LOAD_NO_HINTING) != 0) return glyph;
    const FT_GlyphSlot slot = face_->glyph;
    glyph.advance = static_cast<int>(slot->advance.x >> 6);
    if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return glyph;
    const FT_Outline& outline = slot->outline;
    const auto pointCount = static_cast<std::size_t>(std::max(0, static_cast<int>(outline.n_points)));
    const auto contourCount = static_cast<std::size_t>(std::max(0, static_cast<int>(outline.n_contours)));
    std::vector<OutlinePoint> points(pointCount);
    for (std::size_t i = 0; i < pointCount; ++i) points[i] = {outline.points[i].x, outline.points[i].y};
    glyph.contours = ContoursFromOutline(
        points, std::span<const unsigned char>(reinterpret_cast<const unsigned char*>(outline.tags), pointCount),
        std::span<const short>(outline.contours, contourCount));
    return glyph;
  }

 private:
  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;
};

// The first TrueType file among the fonts the configuration sorts best for the pattern.
bool MatchTrueTypeFile(const FontChoice& font, std::string* path, int* faceIndex) {
  if (FcInit() == FcFalse) return false;
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(font.family.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, font.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, font.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddString(pattern, FC_FONTFORMAT, reinterpret_cast<const FcChar8*>("TrueType"));
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultMatch;
  FcFontSet* sorted = FcFontSort(nullptr, pattern, FcFalse, nullptr, &result);
  bool found = false;
  for (int i = 0; sorted != nullptr && i < sorted->nfont && !found; ++i) {
    FcChar8* format = nullptr;
    FcChar8* file = nullptr;
    int index = 0;
    if (FcPatternGetString(sorted->fonts[i], FC_FONTFORMAT, 0, &format) != FcResultMatch ||
        std::strcmp(reinterpret_cast<const char*>(format), "TrueType") != 0 ||
        FcPatternGetString(sorted->fonts[i], FC_FILE, 0, &file) != FcResultMatch) {
      continue;
    }
    FcPatternGetInteger(sorted->fonts[i], FC_INDEX, 0, &index);
    *path = reinterpret_cast<const char*>(file);
    *faceIndex = index;
    found = true;
  }
  if (sorted != nullptr) FcFontSetDestroy(sorted);
  FcPatternDestroy(pattern);
  return found;
}

}  // namespace

std::vector<GlyphContour> ContoursFromOutline(std::span<const OutlinePoint> points,
                                              std::span<const unsigned char> tags,
                                              std::span<const short> contourEnds) {
  if (tags.size() != points.size()) return {};
  if (std::any_of(tags.begin(), tags.end(), Cubic)) return {};
  std::vector<GlyphContour> contours;
  std::size_t begin = 0;
  for (const short end : contourEnds) {
    if (end < 0 || static_cast<std::size_t>(end) < begin || static_cast<std::size_t>(end) >= points.size()) return {};
    const std::size_t count = static_cast<std::size_t>(end) + 1 - begin;
    contours.push_back(ContourFrom(points.subspan(begin, count), tags.subspan(begin, count)));
    begin = static_cast<std::size_t>(end) + 1;
  }
  return contours;
}

std::unique_ptr<GlyphSource> OpenFontGlyphs(const FontChoice& font) {
  std::string path;
  int faceIndex = 0;
  if (!MatchTrueTypeFile(font, &path, &faceIndex)) path.clear();
  return std::make_unique<FreeTypeGlyphs>(path, faceIndex, font.emHeight);
}

std::unique_ptr<GlyphSource> OpenFontFileGlyphs(const std::string& path, int emHeight) {
  return std::make_unique<FreeTypeGlyphs>(path, 0, emHeight);
}
