#include "modelling/rail_surface_build.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <memory>
#include <utility>

#include "kernel/bspline_curve.h"
#include "kernel/curve_object.h"
#include "kernel/rail_section_placement.h"
#include "kernel/surface_object.h"
#include "modelling/surface_grid.h"
#include "scene/pointer_snapping.h"
#include "scene/scene.h"
#include "scene/view_axis.h"

namespace {

constexpr float kFlat = 0.00001f;

// a * wa + b * wb, over d.
std::vector<Vector3> Blend(const std::vector<Vector3>& a, float wa, const std::vector<Vector3>& b, float wb,
                           float d) {
  std::vector<Vector3> row(a.size());
  for (std::size_t i = 0; i < a.size(); ++i) {
    row[i] = VecScale(VecAdd(VecScale(a[i], wa), VecScale(b[i], wb)), 1.0f / d);
  }
  return row;
}

// Row k of R blended from s1 to s2. One row (no divisor) is s1, the formula's value at k = 0.
std::vector<Vector3> BlendRow(const std::vector<Vector3>& s1, const std::vector<Vector3>& s2, int k, int last) {
  if (last == 0) return s1;
  return Blend(s2, static_cast<float>(k), s1, static_cast<float>(last - k), static_cast<float>(last));
}

// One rail keeps the section's proportions (loops keep its height); Semi-scale keeps its height,
// Scale its proportions; three and four rails stretch it to the rails unless it is flat.
float VerticalScale(const RailSetup& setup, float sx, float Hh) {
  const bool loop = setup.rails == 1 && (setup.mode == 2 || setup.mode == 3);
  if (loop || (setup.rails == 2 && setup.mode == 0)) return 1.0f;
  if (setup.rails <= 2 || Hh < kFlat) return sx;
  return 1.0f / Hh;
}

// Maps the row's extent onto 0..1 in its first two coordinates and flattens it.
void NormaliseRow(Vector3* row, int columns, const CSurfaceObject& grid, const RailSetup& setup) {
  const std::vector<Vector3> extended =
      ExtendCurveEnds(columns, row, grid.startAttributeV, grid.endAttributeV, grid.closedV);
  std::vector<Vector3> evaluated =
      EvaluateCurvePoints(extended.data(), static_cast<int>(extended.size()), grid.displayStepsV);
  // A row that evaluates to nothing (one point, or two with both ends inside) takes its box
  // from its own points; the start values would give scales of about 1e8.
  if (evaluated.empty()) evaluated.assign(row, row + columns);
  float xmin = 1e8f, ymin = 1e8f, xmax = -1e8f, ymax = -1e8f;
  for (const Vector3& p : evaluated) {
    xmin = std::min(xmin, p.x);
    xmax = std::max(xmax, p.x);
    ymin = std::min(ymin, p.y);
    ymax = std::max(ymax, p.y);
  }
  const float gx = setup.half == 1 ? (xmin + xmax) / 2.0f : xmin;
  const float W = xmax - gx;
  float gy = setup.row == 1 ? (ymin + ymax) / 2.0f : ymin;
  const float Hh = ymax - gy;
  if (setup.row == 2) gy = ymax;
  const float sx = W > kFlat ? 1.0f / W : W;
  float sy = VerticalScale(setup, sx, Hh);
  if (setup.rails >= 3 && setup.row == 2) sy = -sy;
  for (int i = 0; i < columns; ++i) row[i] = {(row[i].x - gx) * sx, (row[i].y - gy) * sy, 0.0f};
}

struct PlacementRails {
  std::vector<Vector3> A, B, C, D;
  int mode = 0;
};

PlacementRails RailsFor(const RailSetup& setup, const std::vector<CCurveObject*>& curves, const Matrix4& savedView) {
  PlacementRails rails;
  const CCurveObject& rail = *curves[0];
  if (setup.rails >= 2) {
    rails.A = curves[0]->points;
    rails.B = curves[1]->points;
    if (setup.column == 1) std::swap(rails.A, rails.B);
    if (setup.rails >= 3) rails.C = curves[2]->points;
    if (setup.rails >= 4) rails.D = curves[3]->points;
    rails.mode = setup.mode;
    return rails;
  }
  const int n = rail.PointCount();
  rails.A.resize(n);
  rails.B.resize(n);
  rails.C.resize(n);
  if (setup.mode == 0 || setup.mode == 1) {
    const int E = GetViewAxis(setup.mode);
    const int F = GetViewAxis(1 - setup.mode);
    const int U = GetViewAxis(2);
    const float sign = savedView.at(U, 2) < 0.0f ? -1.0f : 1.0f;
    for (int k = 0; k < n; ++k) {
      Vector3 p = rail.points[k];
      Coordinate(rails.A[k], E) = Coordinate(p, E);
      Coordinate(rails.B[k], E) = Coordinate(p, E);
      Coordinate(rails.B[k], F) = Coordinate(p, F);
      Coordinate(rails.C[k], U) = Coordinate(p, F) * sign;
    }
    return rails;
  }
  const int D = GetViewAxis(2);
  const int E = (D + 1) % 3;
  const int F = (D + 2) % 3;
  Vector3 centre{0, 0, 0};
  if (setup.mode == 3) {
    centre = ComputeGridCentroid(rail.points.data(), n, E, F);
    Coordinate(centre, D) = 0.0f;
  }
  for (int k = 0; k < n; ++k) {
    rails.A[k] = centre;
    rails.B[k] = rail.points[k];
    Coordinate(rails.B[k], D) = 0.0f;
    rails.C[k] = rails.B[k];
    Coordinate(rails.C[k], D) = D == 1 ? -1.0f : 1.0f;
  }
  return rails;
}

}  // namespace

RailSetup RailSetupFor(int railType, int column, int half, int row, int sectionType) {
  static constexpr std::array<std::array<int, 2>, 8> kRails = {
      {{1, 1}, {1, 0}, {1, 2}, {1, 3}, {2, 1}, {2, 0}, {3, 1}, {4, 1}}};
  const auto [rails, mode] = kRails[static_cast<std::size_t>(std::clamp(railType, 0, 7))];
  RailSetup setup{rails, mode, column, half, row, sectionType};
  if (railType == 7) setup.row = 0;
  return setup;
}

std::array<int, 3> RailSectionAxes(const CCurveObject& section0, int column) {
  const Vector3 normal = ComputePolygonNormal(section0.PointCount(), section0.points.data());
  const int normalAxis = VectorsEqual(normal, {0, 0, 0}) ? GetViewAxis(2) : DominantAxis(normal);
  return SectionAxes(normalAxis, column);
}

std::vector<Vector3> BlendSectionRows(int sectionType, int R, const std::vector<std::vector<Vector3>>& sections,
                                      const std::vector<int>& steps) {
  const std::vector<Vector3>& s1 = sections[0];
  const std::vector<Vector3>& s2 = sections.size() > 1 ? sections[1] : s1;
  std::vector<std::vector<Vector3>> rows(static_cast<std::size_t>(R), s1);
  if (sectionType == kDualSection) {
    for (int k = 0; k < R; ++k) rows[k] = BlendRow(s1, s2, k, R - 1);
  } else if (sectionType == kMirrorSection) {
    const int H = (R + 1) / 2;
    for (int k = 0; k < H; ++k) rows[k] = BlendRow(s1, s2, k, H - 1);
    for (int k = 0; k < R / 2; ++k) rows[R - 1 - k] = rows[k];
  } else if (sectionType == kMultipleSections) {
    int r = 0;
    for (std::size_t i = 0; i + 1 < sections.size() && i < steps.size(); ++i) {
      const int L = steps[i] + 1;
      for (int j = 0; j < L && r < R; ++j, ++r) {
        rows[r] = Blend(sections[i + 1], static_cast<float>(j), sections[i], static_cast<float>(L - j),
                        static_cast<float>(L));
      }
    }
    if (r < R) rows[r] = sections.back();
  }
  std::vector<Vector3> grid;
  for (const auto& row : rows) grid.insert(grid.end(), row.begin(), row.end());
  return grid;
}

CSurfaceObject* BuildRailSurface(const RailSetup& setup, const std::vector<CCurveObject*>& curves,
                                 const std::vector<int>& steps, const Matrix4& savedView) {
  const std::size_t railCount = static_cast<std::size_t>(setup.rails);
  if (curves.size() <= railCount) return nullptr;
  for (std::size_t i = 0; i < railCount; ++i) RemoveSourceObject(curves[i]);

  auto surface = std::make_unique<CSurfaceObject>();
  const CCurveObject& section0 = *curves[railCount];
  SetupLoftGrid(*curves[0], section0, *surface);
  const int R = surface->rows;
  const int columns = surface->columns;

  const std::array<int, 3> axes = RailSectionAxes(section0, setup.column);
  std::vector<std::vector<Vector3>> sections;
  for (std::size_t i = railCount; i < curves.size(); ++i) {
    std::vector<Vector3> read;
    for (const Vector3& p : curves[i]->points) read.push_back(ReadInFrame(p, axes));
    sections.push_back(std::move(read));
  }
  surface->points = BlendSectionRows(setup.sectionType, R, sections, steps);
  for (int r = 0; r < R; ++r) NormaliseRow(surface->points.data() + static_cast<std::ptrdiff_t>(r) * columns, columns, *surface, setup);

  PlacementRails rails = RailsFor(setup, curves, savedView);
  const int twist = setup.rails == 3 && setup.row != 1 ? 1 : 0;
  PlaceSectionsAlongPathC(surface->points.data(), R, columns, surface->closedU, rails.A.data(), rails.B.data(),
                          rails.C.empty() ? nullptr : rails.C.data(), rails.D.empty() ? nullptr : rails.D.data(), 1,
                          rails.mode, twist);
  ApplyOrientationRule(*surface);
  return AddObject(surface, 1);
}
