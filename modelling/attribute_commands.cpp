#include "modelling/attribute_commands.h"

#include <functional>

#include "kernel/boolean_object.h"
#include "kernel/geom_object.h"
#include "kernel/point_set_object.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/undo_history.h"

namespace {

void SetControlPointsHidden(CGeomObject* object, int value) {
  if (object->GetKind() == kKindBoolean) {
    for (CGeomObject* member = static_cast<CBooleanObject*>(object)->members.head(); member != nullptr;
         member = member->next) {
      SetControlPointsHidden(member, value);
    }
  } else if (object->GetCategory() == 1) {
    RecordUndo(object, kUndoChanged);
    static_cast<CPointSetObject*>(object)->controlPointsHidden = value;
    object->MarkChanged();
  }
}

void SetSelectedControlPointsHidden(int value) {
  for (CGeomObject* object = nullptr; NextObject(object, kStateSelected, 0) != nullptr;) {
    SetControlPointsHidden(object, value);
  }
  RedrawAllViews();
}

// Visits a union's every member or a subtraction's body; an intersection hides its jewels whole.
void ForJewelMembers(CGeomObject* object, const std::function<void(CGeomObject*)>& visit) {
  const auto* group = static_cast<CBooleanObject*>(object);
  if (group->Operation() == kBooleanUnion) {
    for (CGeomObject* member = group->members.head(); member != nullptr; member = member->next) visit(member);
  } else if (group->Operation() == kBooleanSubtraction && group->members.head() != nullptr) {
    visit(group->members.head());
  }
}

bool IsFlaggable(const CGeomObject& object) {
  return object.GetKind() != kKindCurve && object.GetKind() != kKindAxisLine;
}

// Records and changes every selected object the test passes.
void ChangeSelected(const std::function<bool(const CGeomObject&)>& qualifies,
                    const std::function<void(CGeomObject&)>& change) {
  for (CGeomObject* object = nullptr; NextObject(object, kStateSelected, 0) != nullptr;) {
    if (!qualifies(*object)) continue;
    RecordUndo(object, kUndoChanged);
    change(*object);
    object->MarkChanged();
  }
}

}  // namespace

void DoHideCV() { SetSelectedControlPointsHidden(1); }
void DoShowCV() { SetSelectedControlPointsHidden(0); }

void HideJewelIn(CGeomObject* object) {
  if (IsJewelObject(object) != 0 && (object->ObjectState == 0 || object->ObjectState == 1)) {
    RecordUndo(object, kUndoChanged);
    object->ObjectState += 2;
  } else if (object->GetKind() == kKindBoolean) {
    ForJewelMembers(object, &HideJewelIn);
  }
}

void ShowJewelIn(CGeomObject* object) {
  if (IsJewelObject(object) != 0 && object->ObjectState > 1) {
    RecordUndo(object, kUndoChanged);
    object->ObjectState -= 2;
  } else if (object->GetKind() == kKindBoolean && object->ObjectState == kStateSelected) {
    ForJewelMembers(object, &ShowJewelIn);
  }
}

void DoHideJewel() {
  for (CGeomObject* object = nullptr; NextObject(object, kStateSelected, 0) != nullptr;) HideJewelIn(object);
  RedrawAllViews();
}

void DoShowJewel() {
  for (CGeomObject* object = nullptr; NextObject(object, -1, 0) != nullptr;) {
    if (object->ObjectState > 0) ShowJewelIn(object);
  }
  RedrawAllViews();
}

// Shading and rendering show the jewel and super-subtractor flags, so their commands redraw; the
// no-deform flag shows nowhere.
void DoBeJewel() {
  ChangeSelected([](const CGeomObject& o) { return IsFlaggable(o) && o.jewel == 0; }, [](CGeomObject& o) { o.jewel = 1; });
  RedrawAllViews();
}
void DoNotJewel() {
  ChangeSelected([](const CGeomObject& o) { return o.jewel != 0; }, [](CGeomObject& o) { o.jewel = 0; });
  RedrawAllViews();
}
void DoSuperSubtractor() {
  ChangeSelected([](const CGeomObject& o) { return IsFlaggable(o) && o.subtractor == 0; },
                 [](CGeomObject& o) { o.subtractor = 1; });
  RedrawAllViews();
}
void DoNotSuperSubtractor() {
  ChangeSelected([](const CGeomObject& o) { return o.subtractor != 0; }, [](CGeomObject& o) { o.subtractor = 0; });
  RedrawAllViews();
}
void DoDeformable() {
  ChangeSelected([](const CGeomObject& o) { return (o.flags & kFlagNoDeform) != 0; },
                 [](CGeomObject& o) { o.flags &= ~kFlagNoDeform; });
}
void DoNonDeformable() {
  ChangeSelected([](const CGeomObject& o) { return (o.flags & kFlagNoDeform) == 0; },
                 [](CGeomObject& o) { o.flags |= kFlagNoDeform; });
}
