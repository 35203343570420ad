#include "scene/undo_history.h"

#include <algorithm>
#include <new>
#include <optional>

#include "kernel/boolean_object.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/tool_framework.h"
#include "scene/viewport.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

namespace {

constexpr int kNoMoreRedoString = 10019;  // "No more redo!"
constexpr int kNoMoreUndoString = 10020;  // "No more undo!"

int Following(int slot) { return (slot + 1) % kUndoSlots; }

// Applies a step's records front to back; the step then runs the other way, so undo applies the
// latest record first and the redo after it the earliest.
void ApplyUndoList(std::vector<UndoStep>& step) {
  for (auto record = step.rbegin(); record != step.rend(); ++record) record->Invert();
  std::reverse(step.begin(), step.end());
}

CUndoHistory* ActiveHistory() {
  CViewport* viewport = GetActiveView();
  return viewport != nullptr ? viewport->documentHistory : nullptr;
}

}  // namespace

void UndoStep::Invert() {
  switch (type) {
    case kUndoAdded:
      object->ObjectState -= kAbsorbedOffset;
      type = kUndoReadded;
      break;
    case kUndoReadded:
      object->ObjectState += kAbsorbedOffset;
      type = kUndoAdded;
      break;
    case kUndoLevelPushed:
      object->ObjectState += 1;
      type = kUndoLevelPopped;
      break;
    case kUndoLevelPopped:
      object->ObjectState -= 1;
      type = kUndoLevelPushed;
      break;
    case kUndoGroupFormed:
      type = kUndoGroupDissolved;
      ToggleGroupLink(object, 1);
      break;
    case kUndoGroupDissolved:
      type = kUndoGroupFormed;
      ToggleGroupLink(object, 0);
      break;
    default:
      SwapObjectContents(object, clone.get());
      break;
  }
}

void SwapObjectContents(CGeomObject* a, CGeomObject* b) {
  a->Swap(*b);
  auto* groupA = dynamic_cast<CBooleanObject*>(a);
  auto* groupB = dynamic_cast<CBooleanObject*>(b);
  if (groupA == nullptr || groupB == nullptr) return;
  // Swap exchanged the member lists along with the rest; each group takes its own members back
  // and they exchange their contents pair by pair instead.
  groupA->members.swap(groupB->members);
  CGeomObject* x = groupA->members.head();
  CGeomObject* y = groupB->members.head();
  for (; x != nullptr && y != nullptr; x = x->next, y = y->next) SwapObjectContents(x, y);
}

CUndoHistory::~CUndoHistory() { UnbindToolsFromHistory(this); }

void CUndoHistory::Clear() {
  newStep = 1;
  for (std::vector<UndoStep>& step : ring) step.clear();
}

void CUndoHistory::Record(CGeomObject* object, int type) {
  if (newStep != 0) {
    // Every redo step goes, and the slot after the new step stays empty as the boundary.
    index = Following(index);
    for (int slot = index, visited = 0; visited < kUndoSlots && !ring[slot].empty();
         slot = Following(slot), ++visited) {
      ring[slot].clear();
    }
    ring[Following(index)].clear();
    newStep = 0;
  }

  UndoStep record;
  record.object = object;
  record.type = type;
  if (type == kUndoChanged || type == kUndoMarksChanged) {
    record.clone = object->Clone();
    record.clone->next = nullptr;
  }
  ring[index].push_back(std::move(record));
  SetModified(1);
}

int CUndoHistory::Undo() {
  if (ring[index].empty()) return 0;
  ApplyUndoList(ring[index]);
  index = (index + kUndoSlots - 1) % kUndoSlots;
  return 1;
}

int CUndoHistory::Redo() {
  const int slot = Following(index);
  if (ring[slot].empty()) return 0;
  index = slot;
  ApplyUndoList(ring[slot]);
  return 1;
}

void CUndoHistory::RollBackTo(const Mark& mark) {
  for (int visited = 0; visited < kUndoSlots; ++visited) {
    std::vector<UndoStep>& step = ring[static_cast<std::size_t>(index)];
    const std::size_t keep = index == mark.index ? mark.records : 0;
    while (step.size() > keep) {
      step.back().Invert();
      step.pop_back();
    }
    if (index == mark.index) break;
    index = (index + kUndoSlots - 1) % kUndoSlots;
  }
  newStep = mark.newStep;
}

void RunWithinMemory(const std::function<void()>& work) {
  CUndoHistory* history = ActiveHistory();
  const std::optional<CUndoHistory::Mark> mark =
      history != nullptr ? std::optional(history->CurrentMark()) : std::nullopt;
  try {
    work();
  } catch (const std::bad_alloc&) {
    // The same history, if the work has not closed its document.
    if (mark && ActiveHistory() == history) history->RollBackTo(*mark);
    ShowMessageBox(GetLocalizedString(kNotEnoughMemoryMessage));
    RedrawAllViews();
  }
}

void RecordUndo(CGeomObject* object, int type) {
  if (CUndoHistory* history = ActiveHistory()) history->Record(object, type);
}

void BeginUndoStep() {
  if (CUndoHistory* history = ActiveHistory()) history->BeginStep();
}

int UndoOpenStep() {
  CUndoHistory* history = ActiveHistory();
  if (history == nullptr || history->newStep != 0) return 0;
  return history->Undo();
}

namespace {

int ReplayStep(int (CUndoHistory::*replay)(), int endMessage) {
  CUndoHistory* history = ActiveHistory();
  if (history == nullptr) return 0;
  const int replayed = (history->*replay)();
  if (replayed != 0) {
    RedrawAllViews();
  } else {
    ShowMessageBox(GetLocalizedString(endMessage));
  }
  return replayed;
}

}  // namespace

int UndoCommand() { return ReplayStep(&CUndoHistory::Undo, kNoMoreUndoString); }

int RedoCommand() { return ReplayStep(&CUndoHistory::Redo, kNoMoreRedoString); }
