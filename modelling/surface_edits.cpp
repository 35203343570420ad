#include "modelling/surface_edits.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include "kernel/block_object.h"
#include "kernel/boolean_object.h"
#include "kernel/mesh_object.h"
#include "kernel/surface_object.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/undo_history.h"

namespace {

std::vector<CSurfaceObject*> SelectedSurfaces() {
  std::vector<CSurfaceObject*> surfaces;
  CGeomObject* cursor = nullptr;
  while (CGeomObject* object = NextObject(cursor, kStateSelected, kKindSurface)) {
    surfaces.push_back(static_cast<CSurfaceObject*>(object));
  }
  return surfaces;
}

std::vector<CGeomObject*> SelectedObjects() {
  std::vector<CGeomObject*> objects;
  CGeomObject* cursor = nullptr;
  while (CGeomObject* object = NextObject(cursor, kStateSelected, 0)) objects.push_back(object);
  return objects;
}

void SetClosedFlag(std::int32_t CSurfaceObject::*flag, int closed) {
  for (CSurfaceObject* surface : SelectedSurfaces()) {
    RecordUndo(surface, kUndoChanged);
    surface->*flag = closed;
    surface->MarkChanged();
  }
  RedrawAllViews();
}

void ReverseSelected(int direction) {
  for (CSurfaceObject* surface : SelectedSurfaces()) {
    RecordUndo(surface, kUndoMarksChanged);
    ReverseSurfaceGrid(surface, direction);
    surface->orientationSign = -surface->orientationSign;
  }
  RedrawAllViews();
}

// Marks filled in short of the points stand for the first points only; every grid edit moves
// them with their points, as undo type 3 saves both.
void CompleteMarks(CSurfaceObject* surface) { surface->marks.resize(surface->points.size(), 0); }

// Ratios in 64 bits, then clamped into what a step count holds.
int StepCount(int current, int value, int way) {
  std::int64_t steps = 0;
  if (way == kStepIncreasing) {
    steps = std::int64_t{current} * value;
  } else if (way == kStepDecreasing) {
    // Dividing by less than 1 is no decrease: the count stays.
    if (value < 1) return current;
    steps = (std::int64_t{current} + value - 1) / value;
  } else {
    return value;
  }
  return static_cast<int>(std::clamp<std::int64_t>(steps, 0, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

void DoSurfaceCloseU() { SetClosedFlag(&CSurfaceObject::closedU, 1); }
void DoSurfaceOpenU() { SetClosedFlag(&CSurfaceObject::closedU, 0); }
void DoSurfaceReverseU() { ReverseSelected(0); }
void DoSurfaceCloseV() { SetClosedFlag(&CSurfaceObject::closedV, 1); }
void DoSurfaceOpenV() { SetClosedFlag(&CSurfaceObject::closedV, 0); }
void DoSurfaceReverseV() { ReverseSelected(1); }

void ReverseSurfaceGrid(CSurfaceObject* surface, int direction) {
  if (!surface->GridFitsPoints()) return;
  CompleteMarks(surface);
  const int rows = surface->rows;
  const int columns = surface->columns;
  std::vector<Vector3> points(surface->points.size());
  std::vector<std::int32_t> marks(points.size());
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      const std::size_t from = static_cast<std::size_t>(r) * columns + c;
      const std::size_t to = direction == 0 ? static_cast<std::size_t>(rows - 1 - r) * columns + c
                                            : static_cast<std::size_t>(r) * columns + (columns - 1 - c);
      points[to] = surface->points[from];
      marks[to] = surface->marks[from];
    }
  }
  surface->points = std::move(points);
  surface->marks = std::move(marks);
  surface->MarkChanged();
}

void SwapSurfaceUV(CSurfaceObject* surface) {
  if (!surface->GridFitsPoints()) return;
  RecordUndo(surface, kUndoMarksChanged);
  CompleteMarks(surface);
  const int rows = surface->rows;
  const int columns = surface->columns;
  std::vector<Vector3> points(surface->points.size());
  std::vector<std::int32_t> marks(points.size());
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      const std::size_t from = static_cast<std::size_t>(r) * columns + c;
      const std::size_t to = static_cast<std::size_t>(c) * rows + r;
      points[to] = surface->points[from];
      marks[to] = surface->marks[from];
    }
  }
  surface->points = std::move(points);
  surface->marks = std::move(marks);
  std::swap(surface->rows, surface->columns);
  std::swap(surface->closedU, surface->closedV);
  std::swap(surface->startAttributeU, surface->startAttributeV);
  std::swap(surface->endAttributeU, surface->endAttributeV);
  // Both pairs: what is shaded and exported follows what the wire frame shows.
  std::swap(surface->displayStepsU, surface->displayStepsV);
  std::swap(surface->outputStepsU, surface->outputStepsV);
  surface->orientationSign = -surface->orientationSign;
  surface->MarkChanged();
}

void DoSwapUV() {
  for (CSurfaceObject* surface : SelectedSurfaces()) SwapSurfaceUV(surface);
  RedrawAllViews();
}

void FlipObjectNormal(CGeomObject* object) {
  const auto turnOver = [](auto* shape) {
    RecordUndo(shape, kUndoChanged);
    shape->orientationSign = -shape->orientationSign;
    shape->MarkChanged();
  };
  switch (object->GetKind()) {
    case kKindSurface:
      turnOver(static_cast<CSurfaceObject*>(object));
      break;
    case kKindMesh:
      turnOver(static_cast<CMeshObject*>(object));
      break;
    case kKindBlock: {
      // The block record has no orientation of its own: Rebuild sets it again from the
      // placement, so the flip lasts until the block is rebuilt or read back.
      auto* block = static_cast<CBlockObject*>(object);
      for (CGeomObject* child = block->surfaces.head(); child != nullptr; child = child->next) {
        if (child->GetKind() == kKindSurface) FlipObjectNormal(child);
      }
      block->MarkChanged();
      break;
    }
    case kKindBoolean: {
      auto* group = static_cast<CBooleanObject*>(object);
      for (CGeomObject* member = group->members.head(); member != nullptr; member = member->next) {
        FlipObjectNormal(member);
      }
      group->MarkChanged();
      break;
    }
    default:
      break;
  }
}

void DoFlipNormal() {
  for (CGeomObject* object : SelectedObjects()) FlipObjectNormal(object);
  RedrawAllViews();
}

void SetSurfaceSteps(CGeomObject* object, int uOn, int vOn, int uValue, int vValue, int way) {
  if (object->GetKind() == kKindBoolean) {
    auto* group = static_cast<CBooleanObject*>(object);
    for (CGeomObject* member = group->members.head(); member != nullptr; member = member->next) {
      SetSurfaceSteps(member, uOn, vOn, uValue, vValue, way);
    }
    group->MarkChanged();
    return;
  }
  if (object->GetKind() != kKindSurface) return;
  auto* surface = static_cast<CSurfaceObject*>(object);
  RecordUndo(surface, kUndoChanged);
  // Both counts of a direction: the command sets the tessellation, and what is shaded or
  // exported follows what the wire frame shows.
  if (uOn != 0) {
    surface->displayStepsU = StepCount(surface->displayStepsU, uValue, way);
    surface->outputStepsU = StepCount(surface->outputStepsU, uValue, way);
  }
  if (vOn != 0) {
    surface->displayStepsV = StepCount(surface->displayStepsV, vValue, way);
    surface->outputStepsV = StepCount(surface->outputStepsV, vValue, way);
  }
  surface->MarkChanged();
}

void DoSurfaceStep(int uOn, int vOn, int uValue, int vValue, int way) {
  for (CGeomObject* object : SelectedObjects()) SetSurfaceSteps(object, uOn, vOn, uValue, vValue, way);
  RedrawAllViews();
}
