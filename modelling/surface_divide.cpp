#include "modelling/surface_divide.h"

#include <bit>
#include <cstdint>
#include <utility>

#include "kernel/bspline_curve.h"
#include "kernel/surface_object.h"
#include "modelling/curve_edits.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/undo_history.h"

namespace {

// The length of a refined line of n points, in 64 bits; -1 when it cannot be refined.
std::int64_t RefinedLength(std::int64_t n, int startAttr, int endAttr, int closed, int s) {
  if (n < 2) return -1;
  if (closed != 0) return s * n;
  const std::int64_t extended = n + (startAttr == 0 ? 1 : 0) + (endAttr == 0 ? 1 : 0);
  if (extended < 4) return -1;
  return s * (extended - 3) + 3 - (extended - n);
}

// Refines every line of a rows x columns grid: along a row (stride 1) or down a column.
DividedGrid RefineLines(const DividedGrid& grid, bool alongRows, int startAttr, int endAttr, int closed, int s) {
  DividedGrid out;
  const int lines = alongRows ? grid.rows : grid.columns;
  const int length = alongRows ? grid.columns : grid.rows;
  const int stride = alongRows ? 1 : grid.columns;
  std::vector<std::vector<Vector3>> refined;
  refined.reserve(static_cast<std::size_t>(lines));
  for (int line = 0; line < lines; ++line) {
    const Vector3* first = grid.points.data() + (alongRows ? static_cast<std::ptrdiff_t>(line) * grid.columns : line);
    refined.push_back(RefineControlLine(length, first, stride, startAttr, endAttr, closed, s));
  }
  const int newLength = static_cast<int>(refined.front().size());
  out.rows = alongRows ? lines : newLength;
  out.columns = alongRows ? newLength : lines;
  out.points.resize(static_cast<std::size_t>(out.rows) * out.columns);
  for (int line = 0; line < lines; ++line) {
    for (int i = 0; i < newLength; ++i) {
      const std::size_t to = alongRows ? static_cast<std::size_t>(line) * out.columns + i
                                       : static_cast<std::size_t>(i) * out.columns + line;
      out.points[to] = refined[static_cast<std::size_t>(line)][static_cast<std::size_t>(i)];
    }
  }
  return out;
}

// A raw extra word read as a float, scaled and stored back bit for bit.
std::uint32_t ScaledWord(std::uint32_t word, int s) {
  return std::bit_cast<std::uint32_t>(std::bit_cast<float>(word) * static_cast<float>(s));
}

std::vector<CSurfaceObject*> SelectedSurfaces() {
  std::vector<CSurfaceObject*> surfaces;
  CGeomObject* cursor = nullptr;
  while (CGeomObject* object = NextObject(cursor, kStateSelected, kKindSurface)) {
    surfaces.push_back(static_cast<CSurfaceObject*>(object));
  }
  return surfaces;
}

}  // namespace

DividedGrid DividedSurfaceGrid(const CSurfaceObject& surface, int s, int way) {
  if (s < 1 || !surface.GridFitsPoints() || surface.rows < 1 || surface.columns < 1) return {};
  const bool rowsRefined = way != kDivideU;
  const bool columnsRefined = way != kDivideV;
  // Checked before anything is built: a line too short to refine would leave a broken grid, and
  // a grid the kernel would refuse to draw is no result.
  std::int64_t columns = surface.columns;
  std::int64_t rows = surface.rows;
  if (rowsRefined) {
    columns = RefinedLength(columns, surface.startAttributeV, surface.endAttributeV, surface.closedV, s);
    if (columns < 1) return {};
  }
  if (columnsRefined) {
    rows = RefinedLength(rows, surface.startAttributeU, surface.endAttributeU, surface.closedU, s);
    if (rows < 1) return {};
  }
  if (!FitsTessellationCap(rows, columns)) return {};

  DividedGrid grid{surface.rows, surface.columns, surface.points};
  if (rowsRefined) {
    grid = RefineLines(grid, true, surface.startAttributeV, surface.endAttributeV, surface.closedV, s);
  }
  if (columnsRefined) {
    grid = RefineLines(grid, false, surface.startAttributeU, surface.endAttributeU, surface.closedU, s);
  }
  return grid;
}

void DivideSurface(CSurfaceObject* surface, const DividedGrid& grid, int s, int way) {
  RecordUndo(surface, kUndoChanged);
  surface->ObjectState = -1;
  auto* copy = static_cast<CSurfaceObject*>(DuplicateObject(surface));
  if (copy == nullptr) return;
  copy->SetPoints(static_cast<int>(grid.points.size()), grid.points);
  copy->rows = grid.rows;
  copy->columns = grid.columns;
  // The extra pairs are kept raw for the run only (the record stores the list empty); they
  // follow the parameters of the refined directions.
  for (SurfaceExtraRecord& extra : copy->extras) {
    for (auto& pair : extra.pairs) {
      if (way != kDivideV) pair[0] = ScaledWord(pair[0], s);
      if (way != kDivideU) pair[1] = ScaledWord(pair[1], s);
    }
  }
}

void DoDivideSurface(int s, int way) {
  std::vector<std::pair<CSurfaceObject*, DividedGrid>> divided;
  for (CSurfaceObject* surface : SelectedSurfaces()) {
    DividedGrid grid = DividedSurfaceGrid(*surface, s, way);
    if (!grid.points.empty()) divided.emplace_back(surface, std::move(grid));
  }
  // With nothing replaced no level is pushed: the next Undelete still brings back the last
  // deletion.
  if (!divided.empty()) {
    PushDeletedLevel();
    for (const auto& [surface, grid] : divided) DivideSurface(surface, grid, s, way);
  }
  RedrawAllViews();
}
