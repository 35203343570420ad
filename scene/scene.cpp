#include "scene/scene.h"

#include "kernel/boolean_object.h"
#include "scene/undo_history.h"
#include "scene/viewport.h"
#include "services/layer_table.h"

Scene TheScene;

// Tools go before the objects: a tool may still hold addresses into them when it is destroyed.
Scene::~Scene() {
  activeViewport = nullptr;
  overlayTool.reset();
  defaultTool.reset();
  DeleteObjectsUpTo(&head, kEveryObjectState);
}

void ResetScene() {
  TheScene.activeViewport = nullptr;
  TheScene.secondaryTool = nullptr;
  TheScene.overlayTool.reset();
  TheScene.defaultTool.reset();
  DeleteObjectsUpTo(&TheScene.head, kEveryObjectState);
  TheScene.tailLink = TheScene.startLink = TheScene.iterationEnd = &TheScene.head;
  TheScene.nextObjectId = 0;
  TheScene.pickedGroup = nullptr;
}

CViewport* GetActiveView() { return TheScene.activeViewport; }

CViewport* SetActiveView(CViewport* viewport) {
  CViewport* previous = TheScene.activeViewport;
  if (viewport == previous) return viewport;
  TheScene.activeViewport = viewport;
  if (viewport == nullptr) return previous;

  TheScene.startLink = TheScene.tailLink = &TheScene.head;
  while (*TheScene.tailLink != nullptr) TheScene.tailLink = &(*TheScene.tailLink)->next;

  // One default tool serves every pane of its document.
  CTool* tool = TheScene.defaultTool.get();
  if (tool != nullptr && tool->ownerHistory == viewport->documentHistory) {
    tool->boundViewport = viewport;
  }
  return previous;
}

CGeomObject* GetObjectList() { return TheScene.head; }

CTool* GetTool(int which) {
  CTool* transient = TheScene.secondaryTool != nullptr ? TheScene.secondaryTool
                                                       : TheScene.overlayTool.get();
  CTool* defaultTool = TheScene.defaultTool.get();
  switch (which) {
    case 0:
      return transient != nullptr ? transient : defaultTool;
    case 1:
      if (defaultTool != nullptr && defaultTool->boundViewport != nullptr &&
          defaultTool->boundViewport != TheScene.activeViewport) {
        return nullptr;
      }
      return defaultTool;
    case 2:
      return transient;
    default:
      return nullptr;
  }
}

CGeomObject* NextObject(CGeomObject*& cursor, int state, int kind) {
  if (cursor == nullptr) {
    cursor = *TheScene.startLink;
    TheScene.iterationEnd = TheScene.tailLink;
  } else {
    cursor = cursor->next;
  }
  // The end marker is read afresh on every step: an append or a dissolve during the walk
  // stores its first object there.
  while (cursor != nullptr && cursor != *TheScene.iterationEnd) {
    if ((state < 0 || cursor->ObjectState == state) && (kind == 0 || cursor->GetKind() == kind)) {
      return cursor;
    }
    cursor = cursor->next;
  }
  cursor = nullptr;
  return nullptr;
}

CGeomObject* AddObject(std::unique_ptr<CGeomObject>& object, int withDefaults) {
  if (TheScene.activeViewport == nullptr) return object.get();
  RecordUndo(object.get(), kUndoAdded);
  CGeomObject* added = object.release();
  added->next = nullptr;
  *TheScene.tailLink = added;
  TheScene.tailLink = &added->next;
  if (withDefaults != 0) {
    // A program constant, never freed.
    static const std::string gold = "Gold";
    added->ObjectState = kStateSelected;
    added->layer = CurrentLayer;
    added->materialName = &gold;
    added->mappingKind = 0;
    added->mappingFrame = kIdentityMatrix;
    added->flags &= ~kFlagNoDeform;
    added->jewel = 0;
    added->subtractor = 0;
    added->id = TheScene.nextObjectId++;
  }
  return added;
}

CGeomObject* DuplicateObject(const CGeomObject* object) {
  if (TheScene.activeViewport == nullptr) return nullptr;
  std::unique_ptr<CGeomObject> copy = object->Clone();
  copy->ObjectState = kStateSelected;
  copy->layer = CurrentLayer;
  copy->id = TheScene.nextObjectId++;
  return AddObject(copy, 0);
}

void DeleteObjectsUpTo(CGeomObject** listHead, int limit) {
  CGeomObject** link = listHead;
  while (*link != nullptr) {
    CGeomObject* object = *link;
    if (object->ObjectState <= limit) {
      *link = object->next;
      delete object;
    } else {
      link = &object->next;
    }
  }
}

void PushDeletedLevel() {
  for (CGeomObject* object = nullptr; NextObject(object, -1, 0) != nullptr;) {
    if (object->ObjectState >= 0) continue;
    RecordUndo(object, kUndoLevelPushed);
    object->ObjectState -= 1;
  }
}

void PopDeletedLevel() {
  for (CGeomObject* object = nullptr; NextObject(object, -1, 0) != nullptr;) {
    if (object->ObjectState < -1) {
      RecordUndo(object, kUndoLevelPopped);
      object->ObjectState += 1;
    } else if (object->ObjectState == -1) {
      RecordUndo(object, kUndoChanged);
      object->ObjectState = kStateSelected;
    }
  }
}

namespace {

void DissolveGroup(CBooleanObject* group) {
  group->ObjectState -= kAbsorbedOffset;
  group->SetOperation(group->Operation() + kBooleanDissolvedCode);
  CGeomObject* last = nullptr;
  CGeomObject* first = group->members.Release(&last);
  *TheScene.tailLink = first;
  group->savedLink = TheScene.tailLink;
  group->savedLastMember = last;
  if (last != nullptr) TheScene.tailLink = &last->next;
}

void ReformGroup(CBooleanObject* group) {
  group->ObjectState += kAbsorbedOffset;
  group->SetOperation(group->Operation() - kBooleanDissolvedCode);
  CGeomObject** link = group->savedLink;
  CGeomObject* last = group->savedLastMember;
  group->savedLink = nullptr;
  group->savedLastMember = nullptr;
  if (last == nullptr) return;
  // Cut after the last member and put whatever followed it back into the saved link, so an
  // object appended while the group was dissolved stays in the list.
  CGeomObject* first = *link;
  CGeomObject* following = last->next;
  *link = following;
  last->next = nullptr;
  group->members.Adopt(first, last);
  if (following == nullptr) TheScene.tailLink = link;
}

}  // namespace

void ToggleGroupLink(CGeomObject* object, int dissolve) {
  if (object->GetKind() != kKindBoolean) return;
  auto* group = static_cast<CBooleanObject*>(object);
  const bool dissolved = group->Operation() >= kBooleanDissolvedCode;
  if (dissolve != 0 && !dissolved) {
    DissolveGroup(group);
  } else if (dissolve == 0 && dissolved) {
    ReformGroup(group);
  }
}

int IsJewelObject(const CGeomObject* object) {
  switch (object->GetKind()) {
    case kKindBoolean: {
      const auto* group = static_cast<const CBooleanObject*>(object);
      const CGeomObject* member = group->members.head();
      if (group->Operation() == kBooleanSubtraction) return member != nullptr && IsJewelObject(member);
      for (; member != nullptr; member = member->next) {
        if (!IsJewelObject(member)) return 0;
      }
      return 1;
    }
    case kKindCurve:
    case kKindAxisLine:
      return 0;
    case kKindGem:
      return 1;
    default:
      return object->jewel != 0 ? 1 : 0;
  }
}

int IsSuperSubtractor(const CGeomObject* object) { return object->subtractor; }
