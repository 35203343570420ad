#include "scene/scene.h"

#include "scene/undo_history.h"
#include "scene/viewport.h"

Scene TheScene;

Scene::~Scene() { DeleteObjectsUpTo(&head, kEveryObjectState); }

void ResetScene() {
  DeleteObjectsUpTo(&TheScene.head, kEveryObjectState);
  TheScene.tailLink = TheScene.startLink = TheScene.iterationEnd = &TheScene.head;
  TheScene.activeViewport = nullptr;
  TheScene.secondaryTool = nullptr;
  TheScene.overlayTool.reset();
  TheScene.defaultTool.reset();
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

int IsSuperSubtractor(const CGeomObject* object) { return object->subtractor; }
