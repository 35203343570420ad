#include "modelling/block_commands.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "kernel/curve_object.h"
#include "kernel/outline_rings.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/undo_history.h"

namespace {

float Coordinate(const Vector3& v, int axis) { return axis == 0 ? v.x : (axis == 1 ? v.y : v.z); }
float& Coordinate(Vector3& v, int axis) { return axis == 0 ? v.x : (axis == 1 ? v.y : v.z); }

Vector3 AxisVector(int axis) { return {axis == 0 ? 1.0f : 0.0f, axis == 1 ? 1.0f : 0.0f, axis == 2 ? 1.0f : 0.0f}; }

// Outer rings counter-clockwise as the profile plane is seen (first axis right, second up),
// holes the other way, each inner ring against the one around it: so the walls face out of the
// metal and a round or chamfered end grows the block, whichever way the curves were drawn.
void OrientProfiles(std::vector<CBlockObject::Profile>* profiles, int firstAxis, int secondAxis) {
  std::vector<std::vector<Vector3>> rings;
  for (const CBlockObject::Profile& profile : *profiles) rings.push_back(profile.points);
  const Vector3 facing = VecCross(AxisVector(firstAxis), AxisVector(secondAxis));
  bool outerTurn = false;
  OrientNestedRings(rings, facing, &outerTurn);
  for (std::size_t p = 0; p < rings.size(); ++p) {
    if (!outerTurn && rings[p].size() >= 3) std::reverse(rings[p].begin(), rings[p].end());
    (*profiles)[p].points = std::move(rings[p]);
  }
}

CBlockObject* AddBlock(std::vector<CBlockObject::Profile> profiles, int frontType, int backType, float radius,
                       float thickness, int firstAxis, int secondAxis, int direction) {
  auto block = std::make_unique<CBlockObject>();
  OrientProfiles(&profiles, firstAxis, secondAxis);
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
          AddBlock(std::move(profiles), frontType, backType, radius, thickness, horizontalAxis, verticalAxis, depthAxis)) {
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
  CBlockObject* block = AddBlock(std::move(outlines), frontType, backType, radius, thickness, firstAxis, secondAxis, direction);
  if (block == nullptr) return nullptr;
  Matrix4 move = kIdentityMatrix;
  move.m[12 + firstAxis] = middle;
  block->Transform(move, 1);
  block->Rebuild();
  return block;
}
