#include "modelling/boolean_commands.h"

#include <memory>
#include <vector>

#include "kernel/boolean_object.h"
#include "kernel/geom_object.h"
#include "modelling/start_tool.h"
#include "scene/object_picking.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/tool_framework.h"
#include "scene/undo_history.h"

namespace {

constexpr int kSubtractPromptString = 10113;
constexpr int kRed = 255;

bool CanBeMember(const CGeomObject& object) {
  const int category = object.GetCategory();
  return object.GetKind() != kKindCurve && (category == 1 || category == 2);
}

// The source stays in the list, absorbed, so that its type-2 record brings it back.
std::unique_ptr<CGeomObject> Absorb(CGeomObject* source) {
  std::unique_ptr<CGeomObject> clone = source->Clone();
  RecordUndo(source, kUndoChanged);
  source->ObjectState = -kAbsorbedOffset;
  return clone;
}

}  // namespace

void BuildBooleanGroup(int operation, CGeomObject* first) {
  // The group could not be added, so no source may be absorbed.
  if (GetActiveView() == nullptr) return;
  std::vector<std::unique_ptr<CGeomObject>> others;
  // The walk ends where the list ended, so the group added below is not visited.
  for (CGeomObject* object = nullptr; NextObject(object, kStateSelected, 0) != nullptr;) {
    if (object == first || !CanBeMember(*object)) continue;
    if (first == nullptr) {
      first = object;
      continue;
    }
    others.push_back(Absorb(object));
  }
  if (first == nullptr || others.empty()) return;
  auto made = std::make_unique<CBooleanObject>();
  CBooleanObject* group = AddObject(made, 1);
  if (group == nullptr) return;
  group->SetOperation(operation);
  group->materialName = nullptr;
  std::unique_ptr<CGeomObject> body = Absorb(first);
  body->ObjectState = kStateSelected;
  group->members.Append(std::move(body));
  for (std::unique_ptr<CGeomObject>& other : others) group->members.Append(std::move(other));
  group->MarkChanged();
}

void SetSubtractorsShown(int shown) {
  for (CGeomObject* object = nullptr; NextObject(object, kStateSelected, kKindBoolean) != nullptr;) {
    auto* group = static_cast<CBooleanObject*>(object);
    if (group->Operation() != kBooleanSubtraction || group->subtractBody == shown) continue;
    RecordUndo(group, kUndoChanged);
    group->subtractBody = shown;
    group->MarkChanged();
  }
  RedrawAllViews();
}

void CSubtractPickTool::OnLButtonDown(int, int x, int y) {
  CGeomObject* picked = PickObjectAt(x, y, 0, kRed);
  body_ = picked != nullptr && CanBeMember(*picked) ? picked : nullptr;
}

void CSubtractPickTool::OnLButtonUp(int, int, int) {
  CGeomObject* body = body_;
  body_ = nullptr;
  if (body == nullptr) return;
  // The pick tool that replaces this one comes from the queue, after this call has returned.
  TakeSecondaryTool();
  BeginUndoStep();
  BuildBooleanGroup(kBooleanSubtraction, body);
  RedrawAllViews();
}

// Redrawn at once, so that the group shows as soon as it is made.
void DoBooleanUnion() {
  BuildBooleanGroup(kBooleanUnion, nullptr);
  RedrawAllViews();
}
void DoBooleanIntersect() {
  BuildBooleanGroup(kBooleanIntersection, nullptr);
  RedrawAllViews();
}

void DoBooleanSubtract() { StartDefaultTool<CSubtractPickTool>(kSubtractPromptString); }

void DoDisBoolean() {
  // Dissolved members join the list behind the walk's end, so nested groups stay whole.
  for (CGeomObject* object = nullptr; NextObject(object, kStateSelected, kKindBoolean) != nullptr;) {
    RecordUndo(object, kUndoGroupDissolved);
    ToggleGroupLink(object, 1);
  }
  RedrawAllViews();
}

void DoShowSubtractors() { SetSubtractorsShown(1); }
void DoHideSubtractors() { SetSubtractorsShown(0); }
