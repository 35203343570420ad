#include "scene/object_picking.h"

#include "kernel/boolean_object.h"
#include "kernel/frame_point_budget.h"
#include "scene/drawing_context.h"
#include "scene/picking.h"
#include "scene/scene.h"
#include "scene/viewport.h"
#include "services/layer_table.h"

namespace {

constexpr int kRed = 255;

int ActiveDisplayMode() {
  const CViewport* active = GetActiveView();
  return active != nullptr ? active->displayMode : kDisplayNormalWire;
}

// Candidates draw in the pane's mode, but as normal wire frames in the shaded modes.
int PickDrawMode() {
  const int mode = ActiveDisplayMode();
  return mode <= 99 ? mode : kDisplayNormalWire;
}

// The point pick of the candidates drawn by drawCandidates; the last hit or null.
template <class DrawCandidates>
CGeomObject* PickAt(int x, int y, DrawCandidates&& drawCandidates) {
  if (CViewport* active = GetActiveView()) active->ApplyProjection();
  SetPickPoint(x, y);
  // A pick draws every candidate, as a frame does.
  const FramePointBudget budget;
  BeginPick();
  drawCandidates();
  const int hits = EndPick();
  return hits > 0 ? GetPickHit(hits - 1) : nullptr;
}

}  // namespace

void HighlightObject(CGeomObject* object, int colour) {
  if (object == nullptr || colour < 0) return;
  SetDrawColor(colour >= 0x1000000 ? kRed : static_cast<ColorRef>(colour));
  const int mode = ActiveDisplayMode();
  object->Draw(mode <= kDisplayFastShading ? mode : kDisplayNormalWire);
}

void DrawPickableObjects(int kind) {
  const int drawMode = PickDrawMode();
  CGeomObject* cursor = nullptr;
  while (CGeomObject* object = NextObject(cursor, -1, kind)) {
    if (object->ObjectState != 0 && object->ObjectState != 1) continue;
    if (!IsLayerPickable(object->layer)) continue;
    if (kind == 0 && object->GetKind() == kKindAxisLine) continue;
    SetPickCandidate(object);
    object->Draw(drawMode);
  }
}

CGeomObject* PickObjectAt(int x, int y, int kind, int colour) {
  CGeomObject* hit = PickAt(x, y, [kind] { DrawPickableObjects(kind); });
  HighlightObject(hit, colour);
  return hit;
}

CGeomObject* PickInGroup(CGeomObject* group, int x, int y, int kind, int colour) {
  if (group == nullptr || group->GetKind() != kKindBoolean) return nullptr;
  CGeomObject* hit = group;
  // Nesting is bounded by the reader; each round goes one level deeper.
  while (hit != nullptr && hit->GetKind() == kKindBoolean) {
    auto* members = static_cast<CBooleanObject*>(hit);
    const bool bodyOnly = members->Operation() == kBooleanSubtraction && members->subtractBody == 0;
    const int drawMode = PickDrawMode();
    hit = PickAt(x, y, [&] {
      for (CGeomObject* member = members->members.head(); member != nullptr; member = member->next) {
        const int memberKind = member->GetKind();
        if (member->ObjectState < 2 && (memberKind == kind || memberKind == kKindBoolean)) {
          SetPickCandidate(member);
          member->Draw(drawMode);
        }
        if (bodyOnly) break;
      }
    });
  }
  HighlightObject(hit, colour);
  return hit;
}
