#include "modelling/selection_commands.h"

#include <algorithm>
#include <functional>

#include "kernel/geom_object.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/undo_history.h"
#include "services/layer_table.h"

namespace {

// A removed curve waits in this state until restored.
constexpr int kStateRemovedCurve = 4;

// Gives every object of the given state that passes the test the new state, recorded; redraws
// when anything changed.
void SetStates(int state, const std::function<bool(const CGeomObject&)>& qualifies,
               const std::function<int(int)>& newState) {
  bool changed = false;
  for (CGeomObject* object = nullptr; NextObject(object, state, 0) != nullptr;) {
    if (!qualifies(*object)) continue;
    RecordUndo(object, kUndoChanged);
    object->ObjectState = newState(object->ObjectState);
    changed = true;
  }
  if (changed) RedrawAllViews();
}

void SelectShown(const std::function<bool(const CGeomObject&)>& kindMatches) {
  SetStates(
      kStateShown, [&](const CGeomObject& object) { return IsLayerPickable(object.layer) != 0 && kindMatches(object); },
      [](int) { return kStateSelected; });
}

void SelectKind(int kind) {
  SelectShown([kind](const CGeomObject& object) { return object.GetKind() == kind; });
}

bool Any(const CGeomObject&) { return true; }

}  // namespace

void DoSelectAll() {
  SelectShown([](const CGeomObject& object) { return object.GetKind() != kKindAxisLine; });
}
void DoSelectCurves() { SelectKind(kKindCurve); }
void DoSelectSurfaces() { SelectKind(kKindSurface); }
void DoSelectBooleans() { SelectKind(kKindBoolean); }
void DoSelectSolids() { SelectKind(kKindBlock); }
void DoSelectJewels() {
  SelectShown([](const CGeomObject& object) { return IsJewelObject(&object) != 0; });
}
void DoSelectAxisLines() { SelectKind(kKindAxisLine); }
void DoSelectMeshes() { SelectKind(kKindMesh); }

void DoDelete() {
  PushDeletedLevel();
  Vector3 boxMin{1e30f, 1e30f, 1e30f};
  Vector3 boxMax{-1e30f, -1e30f, -1e30f};
  bool deleted = false;
  for (CGeomObject* object = nullptr; NextObject(object, kStateSelected, 0) != nullptr;) {
    RecordUndo(object, kUndoChanged);
    // Some kinds reset the pair they are given, so each object's bounds go into a fresh one.
    Vector3 min{1e30f, 1e30f, 1e30f};
    Vector3 max{-1e30f, -1e30f, -1e30f};
    object->GetBounds(&min, &max, kIdentityMatrix);
    boxMin = {std::min(boxMin.x, min.x), std::min(boxMin.y, min.y), std::min(boxMin.z, min.z)};
    boxMax = {std::max(boxMax.x, max.x), std::max(boxMax.y, max.y), std::max(boxMax.z, max.z)};
    object->ObjectState = -1;
    deleted = true;
  }
  if (!deleted) {
    PopDeletedLevel();
    return;
  }
  InvalidateBoxInViews(boxMin.x, boxMin.y, boxMin.z, boxMax.x, boxMax.y, boxMax.z);
  RedrawAllViews();
}

void DoUndelete() {
  PopDeletedLevel();
  RedrawAllViews();
}

void DoHide() {
  SetStates(kStateSelected, Any, [](int state) { return state + 2; });
}

void DoUnhide() {
  SetStates(
      -1, [](const CGeomObject& object) { return object.ObjectState == 2 || object.ObjectState == 3; },
      [](int state) { return state - 2; });
}

void DoSwapHide() {
  // 0 and 2, 1 and 3 trade places.
  SetStates(
      -1, [](const CGeomObject& object) { return object.ObjectState >= 0 && object.ObjectState <= 3; },
      [](int state) { return state ^ 2; });
}

void DoRestoreRemovedCurves() {
  SetStates(kStateRemovedCurve, Any, [](int) { return kStateSelected; });
}
