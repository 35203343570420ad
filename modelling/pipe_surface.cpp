#include "modelling/pipe_surface.h"

#include <cmath>
#include <memory>
#include <numbers>
#include <utility>
#include <vector>

#include "kernel/bspline_curve.h"
#include "kernel/curve_object.h"
#include "kernel/knot_moves.h"
#include "kernel/matrix4.h"
#include "kernel/section_placement.h"
#include "kernel/surface_object.h"
#include "modelling/curve_edits.h"
#include "modelling/start_tool.h"
#include "modelling/surface_grid.h"
#include "scene/object_picking.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/tool_framework.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

namespace {

constexpr int kRed = 255;
constexpr int kPickSectionPrompt = 10098;
constexpr int kSectionMismatchMessage = 10103;

std::unique_ptr<CCurveObject> DefaultSection;

}  // namespace

CSurfaceObject* BuildSurfaceFromTool(const PipeSections& sections, CCurveObject* path) {
  if (path == sections.first || path == sections.second || path->PointCount() < 2) return nullptr;
  auto surface = std::make_unique<CSurfaceObject>();
  SetupLoftGrid(*path, *sections.first, *surface);
  const int rows = surface->rows;
  const int columns = surface->columns;
  for (int i = 0; i < rows; ++i) {
    const float t = static_cast<float>(i) / static_cast<float>(rows - 1);
    for (int k = 0; k < columns; ++k) {
      const Vector3 s1 = ReadInFrame(sections.first->points[k], sections.axes);
      const Vector3 s2 = ReadInFrame(sections.second->points[k], sections.axes);
      surface->points[i * columns + k] =
          VecScale(VecAdd(VecScale(s1, 1.0f - t), VecScale(s2, t)), sections.scale);
    }
  }
  if (!sections.onPathCurve) {
    PlaceSectionsAlongPath(columns, rows, path->closed, surface->points.data(), path->points.data());
  } else {
    // Where the path's curve passes for each control point: at its knot, or mid-span beside an
    // end that is no knot.
    const std::vector<Vector3> extended = ExtendCurveEnds(rows, path->points.data(), path->startAttribute,
                                                          path->endAttribute, path->closed);
    const std::vector<Vector3> curve = EvaluateCurvePoints(extended.data(), static_cast<int>(extended.size()), 2);
    std::vector<Vector3> knots = path->points;
    for (int k = 0; k < rows; ++k) {
      const int at = PassingPointIndex(k, rows, path->closed, path->startAttribute, path->endAttribute);
      if (at >= 0 && at < static_cast<int>(curve.size())) knots[static_cast<std::size_t>(k)] = curve[static_cast<std::size_t>(at)];
    }
    PlaceSectionsAlongPath(columns, rows, path->closed, surface->points.data(), knots.data());
    for (int k = 0; k < columns; ++k) {
      PassingPointsToControlPoints(&surface->points[static_cast<std::size_t>(k)], rows, columns, path->closed,
                                   path->startAttribute, path->endAttribute);
    }
  }
  ApplyOrientationRule(*surface);
  CSurfaceObject* added = AddObject(surface, 1);
  if (added != nullptr) RemoveSourceObject(path);
  return added;
}

void PipeSelectedCurves(const PipeSections& sections) {
  SweepReferenceMatrix = MatInverse(GetActiveViewMatrix());
  bool built = false;
  for (CCurveObject* path : SelectedCurves()) built = BuildSurfaceFromTool(sections, path) != nullptr || built;
  if (built) RedrawAllViews();
}

CCurveObject* GetDefaultPipeSection() {
  if (DefaultSection == nullptr) {
    std::vector<Vector3> points;
    for (int k = 0; k < 6; ++k) {
      const double phi = k * std::numbers::pi / 3.0;
      points.push_back({static_cast<float>(1.2 * std::cos(phi)), static_cast<float>(1.2 * std::sin(phi)), 0.0f});
    }
    DefaultSection = std::make_unique<CCurveObject>();
    DefaultSection->SetPoints(6, std::move(points));
    DefaultSection->closed = 1;
  }
  return DefaultSection.get();
}

void ForgetDefaultPipeSection() { DefaultSection.reset(); }

void BuildCircularPipes(float radius) {
  PipeSections sections;
  sections.first = sections.second = GetDefaultPipeSection();
  sections.scale = radius;
  sections.onPathCurve = true;
  PipeSelectedCurves(sections);
}

CPipeSectionPickTool::CPipeSectionPickTool(int mode, int vertical) : CTool(0), mode_(mode), vertical_(vertical) {}

void CPipeSectionPickTool::OnLButtonDown(int, int x, int y) {
  if (count_ >= mode_) return;
  auto* curve = static_cast<CCurveObject*>(PickObjectAt(x, y, kKindCurve, kRed));
  if (curve == nullptr) return;
  if (count_ == 1 && !SameCurveLayout(*curve, *sections_.first)) {
    ShowMessageBox(GetLocalizedString(kSectionMismatchMessage));
    return;
  }
  (count_ == 0 ? sections_.first : sections_.second) = curve;
  ++count_;
  const Vector3 normal = ComputePolygonNormal(curve->PointCount(), curve->points.data());
  sections_.axes = SectionAxes(DominantAxis(normal), vertical_);
}

void CPipeSectionPickTool::OnLButtonUp(int, int, int) {
  if (count_ < mode_) return;
  if (mode_ == 1) sections_.second = sections_.first;
  PipeSelectedCurves(sections_);
  TakeSecondaryTool();
}

void DoPipeSurface(int mode, int vertical, float radius) {
  if (mode == 3) {
    BuildCircularPipes(radius);
    return;
  }
  if (mode != 1 && mode != 2) return;
  StartDefaultTool<CPipeSectionPickTool>(kPickSectionPrompt, mode, vertical);
}
