#include "modelling/block_commands.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "kernel/curve_object.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/undo_history.h"

namespace {

float Coordinate(const Vector3& v, int axis) { return axis == 0 ? v.x : (axis == 1 ? v.y : v.z); }
float& Coordinate(Vector3& v, int axis) { return axis == 0 ? v.x : (axis == 1 ? v.y : v.z); }

CBlockObject* AddBlock(const std::vector<CBlockObject::Profile>& profiles, int frontType, int backType, float radius,
                       float thickness, int firstAxis, int secondAxis, int direction) {
  auto block = std::make_unique<CBlockObject>();
  block->SetProfiles(profiles);
  block->firstAxis = firstAxis;
  block->secondAxis = secondAxis;
  block->depthAxis = direction;
  block->frontEndType = frontType;
  block->backEndType = backType;
  block->thickness = thickness;
  block->radius = radius;
  CBlockObject* added = AddObject(block, 1);
  return block == nullptr ? added : nullptr;
}

}  // namespace

void CreateBlockFromCurves(int frontType, int backType, float radius, float thickness, int horizontalAxis,
                           int verticalAxis, int depthAxis) {
  std::vector<CCurveObject*> curves;
  CGeomObject* cursor = nullptr;
  while (CGeomObject* object = NextObject(cursor, kStateSelected, kKindCurve)) {
    curves.push_back(static_cast<CCurveObject*>(object));
  }
  // Nothing to delete: a level pushed for nothing would make the next Undelete restore nothing.
  if (curves.empty()) return;
  PushDeletedLevel();
  bool anyProfile = false;
  for (CCurveObject* curve : curves) {
    RecordUndo(curve, kUndoChanged);
    curve->ObjectState = -1;
    anyProfile = anyProfile || curve->PointCount() > 2;
  }
  // The curves are gone even without a block, so the views must stop showing them.
  if (!anyProfile) {
    RedrawAllViews();
    return;
  }
  std::vector<CBlockObject::Profile> profiles;
  cursor = nullptr;
  while (CGeomObject* object = NextObject(cursor, -1, kKindCurve)) {
    const auto* curve = static_cast<const CCurveObject*>(object);
    if (curve->ObjectState != -1 || curve->PointCount() <= 2) continue;
    profiles.push_back({curve->points, curve->stepsPerSpan});
  }
  if (CBlockObject* block =
          AddBlock(profiles, frontType, backType, radius, thickness, horizontalAxis, verticalAxis, depthAxis)) {
    block->Rebuild();
  }
  RedrawAllViews();
}

CBlockObject* CreateBlockFromOutlines(std::vector<CBlockObject::Profile> outlines, int frontType, int backType,
                                      float radius, float thickness, int firstAxis, int secondAxis,
                                      int direction) {
  if (outlines.empty() || firstAxis < 0 || firstAxis > 2) return nullptr;
  float low = 0.0f;
  float high = 0.0f;
  bool first = true;
  for (const CBlockObject::Profile& outline : outlines) {
    for (const Vector3& point : outline.points) {
      const float value = Coordinate(point, firstAxis);
      low = first ? value : std::min(low, value);
      high = first ? value : std::max(high, value);
      first = false;
    }
  }
  const float middle = (low + high) / 2.0f;
  for (CBlockObject::Profile& outline : outlines) {
    for (Vector3& point : outline.points) Coordinate(point, firstAxis) -= middle;
  }
  CBlockObject* block = AddBlock(outlines, frontType, backType, radius, thickness, firstAxis, secondAxis, direction);
  if (block == nullptr) return nullptr;
  Matrix4 move = kIdentityMatrix;
  move.m[12 + firstAxis] = middle;
  block->Transform(move, 1);
  block->Rebuild();
  return block;
}
