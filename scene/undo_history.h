#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "kernel/geom_object.h"
#include "scene/tool.h"

class CViewport;

// Record types. Applying a record turns it into its inverse, so the same step redoes what it
// undid.
enum UndoType : std::int32_t {
  kUndoAdded = 0,          // state - 99: the object disappears
  kUndoReadded = 1,        // state + 99: it returns
  kUndoChanged = 2,        // contents swapped with the saved clone
  kUndoMarksChanged = 3,   // the same, for control-point marks and edits recorded alike
  kUndoLevelPushed = 4,    // state + 1
  kUndoLevelPopped = 5,    // state - 1
  kUndoGroupFormed = 6,    // dissolves the group
  kUndoGroupDissolved = 7, // re-forms the group
};

// One record of an undo step.
struct UndoStep {
  // Applies the record and turns it into its inverse.
  void Invert();

  CGeomObject* object = nullptr;
  // Types 2 and 3: the object's contents when the record was made. Its own next stays null.
  std::unique_ptr<CGeomObject> clone;
  std::int32_t type = kUndoAdded;
};

inline constexpr int kUndoSlots = 128;

// The document's ring of undo steps. One slot after the current step always stays empty as the
// boundary between undo and redo, so at most 127 steps can be undone in a row.
class CUndoHistory {
 public:
  CUndoHistory() = default;
  // Leaves no tool bound to the document.
  virtual ~CUndoHistory();
  CUndoHistory(const CUndoHistory&) = delete;
  CUndoHistory& operator=(const CUndoHistory&) = delete;

  // The next view's viewport of the document, made the drawing target; null after the last.
  virtual CViewport* NextView() { return nullptr; }
  virtual void SetModified(int flag) { (void)flag; }

  // Frees every step; the next record opens a new one.
  void Clear();
  void BeginStep() { newStep = 1; }
  // Where the history stands, and taking back every record made since, newest first, so that
  // the objects are as they were then.
  struct Mark {
    std::int32_t index;
    std::size_t records;
    std::int32_t newStep;
  };
  Mark CurrentMark() const { return {index, ring[static_cast<std::size_t>(index)].size(), newStep}; }
  void RollBackTo(const Mark& mark);
  void Record(CGeomObject* object, int type);
  // 1 when a step was applied, 0 at the end of the history.
  int Undo();
  int Redo();

  // Each slot holds one step. Its records are applied from the back, and applying a step
  // reverses their order.
  std::array<std::vector<UndoStep>, kUndoSlots> ring;
  // The slot of the current step.
  std::int32_t index = 0;
  // Set: the next record opens a new step. A new history starts one with its first record.
  std::int32_t newStep = 1;
  // A tool the history holds for its document.
  std::unique_ptr<CTool> ownedTool;
};

// Exchanges the contents of two objects of the same class; a group also exchanges its members'
// contents pair by pair, so each group keeps its own member objects.
void SwapObjectContents(CGeomObject* a, CGeomObject* b);

// The scene-level entries work on the active viewport's document and do nothing (0) without one.
void RecordUndo(CGeomObject* object, int type);
void BeginUndoStep();
// Takes back the current step, but only once it has received records.
int UndoOpenStep();
// Edit > Undo and Redo of the pick tools: one step, then every view redrawn; at the end of the
// history "No more undo!" or "No more redo!".
int UndoCommand();
int RedoCommand();

// Runs a command or a tool's handling of one event. Running out of memory there ends the work
// with "Not enough memory to perform operations!", never the program: what it had recorded in the
// active document's history is taken back, so the design is as it was, and the views redraw.
void RunWithinMemory(const std::function<void()>& work);
