#pragma once

#include <cstdint>
#include <limits>
#include <memory>
#include <type_traits>

#include "kernel/geom_object.h"
#include "scene/tool.h"

class CViewport;

// The program-wide state of the one open document. The object list is chained through the
// objects' next links and owns them; deleted objects stay in it with negative states until a
// new document frees them.
struct Scene {
  Scene() = default;
  ~Scene();
  Scene(const Scene&) = delete;
  Scene& operator=(const Scene&) = delete;

  CGeomObject* head = nullptr;
  // The link the next appended object goes into: the last object's next, or head.
  CGeomObject** tailLink = &head;
  // Where a walk starts; always head.
  CGeomObject** startLink = &head;
  // The tail link as it stood when the current walk began.
  CGeomObject** iterationEnd = &head;
  CViewport* activeViewport = nullptr;
  // Transient tool that takes precedence over the others; not owned.
  CTool* secondaryTool = nullptr;
  std::unique_ptr<CTool> overlayTool;
  std::unique_ptr<CTool> defaultTool;
  std::int32_t nextObjectId = 0;
  // The group through which the last group member was picked by a pick-callback tool.
  CGeomObject* pickedGroup = nullptr;
};

extern Scene TheScene;

// An undone addition and a dissolved group sit this far below their state (-99 for a shown one).
inline constexpr std::int32_t kAbsorbedOffset = 99;

// Frees every object and tool and leaves the scene as start-up does.
void ResetScene();

CViewport* GetActiveView();
// Returns the previous active viewport. Activating a pane re-finds the tail and binds the
// default tool to it when the tool belongs to the pane's document.
CViewport* SetActiveView(CViewport* viewport);
CGeomObject* GetObjectList();

// which 0: the current tool (secondary, else overlay, else default); 1: the default tool, null
// while it is bound to another viewport; 2: the secondary tool, else the overlay tool.
CTool* GetTool(int which);

// Advances cursor (null to start) to the next object of the given state (negative: any) and kind
// (0: any); null at the end. The walk ends where the list ended when it began, so objects
// appended during it are not visited.
CGeomObject* NextObject(CGeomObject*& cursor, int state, int kind);

// Appends an object to the list with an undo record of type 0 and returns it. withDefaults gives
// it the new-object attributes: selected, the current layer, material "Gold", no mapping, no
// flags and the next id. Without an active viewport nothing is added: the object stays with the
// caller in the handle.
CGeomObject* AddObject(std::unique_ptr<CGeomObject>& object, int withDefaults);
template <class T>
  requires(!std::is_same_v<T, CGeomObject>)
T* AddObject(std::unique_ptr<T>& object, int withDefaults) {
  std::unique_ptr<CGeomObject> handle = std::move(object);
  T* added = static_cast<T*>(AddObject(handle, withDefaults));
  object.reset(static_cast<T*>(handle.release()));
  return added;
}
// Adds a clone of the object, selected, on the current layer and with the next id; the clone
// keeps the source's material, frames and flags. Null without an active viewport.
CGeomObject* DuplicateObject(const CGeomObject* object);

// Unlinks and deletes every object of the chain at listHead whose state is at or below limit.
void DeleteObjectsUpTo(CGeomObject** listHead, int limit);
// The limit that frees every object, temporary marks of any size included.
inline constexpr int kEveryObjectState = std::numeric_limits<int>::max();

// Every deleted object goes one level deeper, so the objects a delete marks -1 are the latest.
void PushDeletedLevel();
// Undelete: every deleted object comes one level up; those of the latest level return selected.
void PopDeletedLevel();

// Dissolve (1): the group's state drops by 99 and its members follow the last object of the list
// as ordinary objects. Re-form (0): exactly those members go back into the group, whatever was
// appended after them stays in the list, and the state rises by 99. A group already in the asked
// form is left alone. Objects of other kinds are ignored.
void ToggleGroupLink(CGeomObject* group, int dissolve);

// A gem or an object flagged as a jewel, never a curve or an axis line; a group when all its
// members are (an empty one is), a subtraction when its body is (an empty one is not).
int IsJewelObject(const CGeomObject* object);
int IsSuperSubtractor(const CGeomObject* object);
