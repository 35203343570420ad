#include "modelling/sketch_tool.h"

#include <algorithm>
#include <cstdlib>

#include "modelling/curve_texts.h"
#include "modelling/new_curve.h"
#include "modelling/start_tool.h"
#include "scene/drawing_context.h"
#include "scene/pointer_snapping.h"
#include "scene/scene_views.h"
#include "scene/undo_history.h"

namespace {

constexpr ColorRef kRed = 255;

int SquaredDistance(CSketchTool::Pixel a, CSketchTool::Pixel b) {
  const int dx = a.x - b.x;
  const int dy = a.y - b.y;
  return dx * dx + dy * dy;
}

}  // namespace

void CSketchTool::OnLButtonDown(int, int x, int y) { stroke_ = {{x, y}}; }

void CSketchTool::OnMouseMove(int flags, int x, int y) {
  if ((flags & kMouseLeftButton) == 0 || stroke_.empty()) return;
  if (static_cast<int>(stroke_.size()) >= kMaxStrokePoints) return;
  const Pixel point{x, y};
  if (point == stroke_.back()) return;
  // A point that hardly left the one before the last stands in for the last; a one-point stroke
  // has no such point.
  if (stroke_.size() >= 2 && SquaredDistance(point, stroke_[stroke_.size() - 2]) < 4) {
    stroke_.back() = point;
  } else {
    stroke_.push_back(point);
  }
  const Pixel from = stroke_.size() >= 2 ? stroke_[stroke_.size() - 2] : stroke_.back();
  const ScreenSpaceDrawing screen;
  const ColorRef previous = SetDrawColor(kRed);
  DrawMoveTo(static_cast<float>(from.x), static_cast<float>(from.y));
  DrawLineTo(static_cast<float>(x), static_cast<float>(y));
  SetDrawColor(previous);
}

SketchControlPixels TakeSketchControlPixels(std::vector<CSketchTool::Pixel> stroke) {
  SketchControlPixels result;
  if (stroke.size() < 2) return result;
  const CSketchTool::Pixel first = stroke.front();
  const CSketchTool::Pixel last = stroke.back();
  if (std::abs(last.x - first.x) <= 8 && std::abs(last.y - first.y) <= 8) {
    result.closed = 1;
    const std::size_t dropped = std::min<std::size_t>(8, stroke.size() - 2);
    stroke.resize(stroke.size() - dropped);
  }
  result.pixels.push_back(stroke.front());
  std::size_t lastTaken = 0;
  int travel = 0;
  for (std::size_t i = 1; i + 1 < stroke.size(); ++i) {
    if (static_cast<int>(result.pixels.size()) >= CSketchTool::kMaxControlPoints - 1) break;
    travel += SquaredDistance(stroke[i], stroke[i - 1]);
    if (i - lastTaken > 8 || travel > 2500) {
      result.pixels.push_back(stroke[i]);
      lastTaken = i;
      travel = 0;
    }
  }
  result.pixels.push_back(stroke.back());
  return result;
}

void CSketchTool::OnLButtonUp(int, int, int) {
  std::vector<Pixel> stroke = std::move(stroke_);
  stroke_.clear();
  if (stroke.size() < 2) return;
  const SketchControlPixels taken = TakeSketchControlPixels(std::move(stroke));
  std::vector<Vector3> points;
  for (const Pixel& pixel : taken.pixels) {
    Vector3 point;
    SnapPointToGrid(&point, pixel.x, pixel.y);
    points.push_back(point);
  }
  BeginUndoStep();
  AddNewCurve(std::move(points), taken.closed);
  RedrawAllViews();
}

void DoSketchCurve() { StartDefaultTool<CSketchTool>(kSketchingCurvesString); }
