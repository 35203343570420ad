#pragma once

#include <vector>

#include "modelling/curve_command_ids.h"
#include "scene/tool.h"

// A curve sketched freehand: a left drag records the stroke, drawn at once, and the release
// turns it into control points on the view plane through the origin.
class CSketchTool : public CTool {
 public:
  // The stroke ignores moves beyond this many points, and the curve takes at most this many
  // control points.
  static constexpr int kMaxStrokePoints = 10000;
  static constexpr int kMaxControlPoints = 256;

  struct Pixel {
    int x;
    int y;
    friend bool operator==(const Pixel&, const Pixel&) = default;
  };

  CSketchTool() : CTool(0) {}

  int GetCursorId() const override { return kSketchCurveCommand; }
  void OnLButtonDown(int flags, int x, int y) override;
  void OnMouseMove(int flags, int x, int y) override;
  void OnLButtonUp(int flags, int x, int y) override;

  const std::vector<Pixel>& Stroke() const { return stroke_; }

 private:
  std::vector<Pixel> stroke_;
};

// The stroke's pixels that become control points, and whether the stroke closes on itself: the
// first point, then one after more than 8 stroke points or 2500 squared pixels of travel, and
// the last. A closing stroke first loses its last 8 points, always keeping 2.
struct SketchControlPixels {
  std::vector<CSketchTool::Pixel> pixels;
  int closed = 0;
};
SketchControlPixels TakeSketchControlPixels(std::vector<CSketchTool::Pixel> stroke);

// Curve > Sketch.
void DoSketchCurve();
