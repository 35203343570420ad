#include "modelling/text_outlines.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "kernel/bspline_curve.h"
#include "kernel/curve_object.h"
#include "modelling/block_commands.h"
#include "modelling/block_dialog.h"
#include "modelling/text_command.h"
#include "platform/glyph_outline.h"
#include "platform/text_encoding.h"
#include "scene/scene.h"
#include "scene/scene_views.h"

namespace {

// Glyph pixels to model units on the view's axes, the pen's offset added along the horizontal.
class GlyphPlacement {
 public:
  GlyphPlacement(int horizontal, int vertical) : horizontal_(horizontal), vertical_(vertical) {}
  void SetPen(int pen) { pen_ = pen; }
  Vector3 operator()(GlyphPoint p) const {
    Vector3 v;
    Coordinate(v, horizontal_) = (p.x + static_cast<float>(pen_)) * kTextModelUnitsPerPixel;
    Coordinate(v, vertical_) = p.y * kTextModelUnitsPerPixel;
    return v;
  }

 private:
  static float& Coordinate(Vector3& v, int axis) { return axis == 0 ? v.x : (axis == 1 ? v.y : v.z); }
  int horizontal_;
  int vertical_;
  int pen_ = 0;
};

// The contour's points: every line point, and each spline evaluated at 4 steps per span from
// where the previous record ended. Consecutive points within 0.0001 are merged, and a last point
// on the first is dropped, the curve being closed.
std::vector<Vector3> ContourPoints(const GlyphContour& contour, const GlyphPlacement& place) {
  std::vector<Vector3> points = {place(contour.start)};
  for (const GlyphRecord& record : contour.records) {
    if (record.points.empty()) continue;
    if (record.kind == GlyphRecord::Kind::kLine) {
      for (const GlyphPoint& p : record.points) points.push_back(place(p));
      continue;
    }
    const Vector3 end = points.back();
    std::vector<Vector3> controls;
    controls.reserve(record.points.size() + 3);
    for (const GlyphPoint& p : record.points) controls.push_back(place(p));
    const Vector3 last = controls.back();
    const Vector3 beforeLast = controls.size() > 1 ? controls[controls.size() - 2] : end;
    controls.insert(controls.begin(), {VecSub(VecScale(end, 2.0f), controls.front()), end});
    controls.push_back(VecSub(VecScale(last, 2.0f), beforeLast));
    const std::vector<Vector3> curve = EvaluateCurvePoints(controls.data(), static_cast<int>(controls.size()), 4);
    points.insert(points.end(), curve.begin(), curve.end());
  }
  std::vector<Vector3> kept;
  for (const Vector3& p : points) {
    if (kept.empty() || !VectorsEqual(p, kept.back())) kept.push_back(p);
  }
  if (kept.size() > 1 && VectorsEqual(kept.back(), kept.front())) kept.pop_back();
  return kept;
}

}  // namespace

void ReversePoints(std::span<Vector3> points) { std::reverse(points.begin(), points.end()); }

void AddOutlineCurve(std::vector<Vector3> points) {
  auto curve = std::make_unique<CCurveObject>();
  const int count = static_cast<int>(points.size());
  curve->SetPoints(count, std::move(points));
  curve->closed = 1;
  curve->stepsPerSpan = 0;
  curve->controlPointsHidden = 1;
  AddObject(curve, 1);
}

void MakeTextOutlines(const std::string& text, int block, int horizontalAxis, int verticalAxis, int depthAxis) {
  if (text.empty()) return;
  if (TextFont.family.empty() && !ChooseTextFont()) return;
  const std::unique_ptr<GlyphSource> glyphs = OpenFontGlyphs(TextFont);
  MakeTextOutlines(text, block, horizontalAxis, verticalAxis, depthAxis, *glyphs);
}

void MakeTextOutlines(const std::string& text, int block, int horizontalAxis, int verticalAxis, int depthAxis,
                      GlyphSource& glyphs) {
  const BlockFromCurvesParams params = GetBlockFromCurvesParams();
  GlyphPlacement place(horizontalAxis, verticalAxis);
  int pen = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const GlyphOutline glyph = glyphs.Glyph(DecodeUtf8(text, &pos));
    place.SetPen(pen);
    std::vector<CBlockObject::Profile> profiles;
    for (const GlyphContour& contour : glyph.contours) {
      std::vector<Vector3> points = ContourPoints(contour, place);
      if (points.size() < 2) continue;
      ReversePoints(points);
      if (block != 0) {
        profiles.push_back({std::move(points), 0});
      } else {
        AddOutlineCurve(std::move(points));
      }
    }
    if (!profiles.empty()) {
      CreateBlockFromOutlines(std::move(profiles), params.frontEndType, params.backEndType, params.radius,
                              params.thickness, horizontalAxis, verticalAxis, depthAxis);
    }
    pen += glyph.advance;
  }
  RedrawAllViews();
}
