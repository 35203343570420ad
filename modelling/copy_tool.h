#pragma once

#include <cstdint>

#include "kernel/composite_object.h"
#include "kernel/matrix4.h"
#include "kernel/object_chain.h"
#include "kernel/vector3.h"
#include "scene/tool.h"

// The copy state that the document's undo brings back with the copies: orientation = the last
// placement M1, placement = the accumulated size and turn G, firstCopy and kindWord = the placed
// copies. Never in the scene list.
extern CFramedObject CopyState;
// 1 while a copy tool exists.
extern int CopyToolActive;
// Copies moved, sized or rolled by the tool wait in this state, drawn only as its preview.
inline constexpr std::int32_t kStateBeingPlaced = 9999;

// Places groups of copies of the objects it holds: a click places one group, Shift+drag sizes
// and Shift+right-drag rolls the last group, Shift+click on it grabs it again.
class CCopyTool : public CTool {
 public:
  // Takes over the chain of objects to place (not in the scene list).
  explicit CCopyTool(ObjectChain& objects);
  ~CCopyTool() override;

  int GetCursorId() const override { return 4000; }
  void OnLButtonDown(int flags, int x, int y) override;
  void OnLButtonUp(int flags, int x, int y) override;
  void OnRButtonDown(int flags, int x, int y) override;
  void OnMouseMove(int flags, int x, int y) override;
  void DrawFeedback(int paneButtonBits) override;
  void Undo() override;
  void Redo() override;

  ObjectChain objectsToPlace;
  // The first copy of the latest placement (not owned) and how many follow it, itself included.
  CGeomObject* placedCopies = nullptr;
  int placedCount = 0;
  Matrix4 M1 = kIdentityMatrix;
  Matrix4 M2 = kIdentityMatrix;
  Matrix4 M3 = kIdentityMatrix;
  Vector3 dragStart;
  Vector3 dragPoint;
  // 0 idle, 1 placing, 2 sizing, 3 rolling.
  std::int32_t stage = 0;
  int offsetX = 0;
  int offsetY = 0;

 private:
  void BeginStage(int x, int y);
  // A stage that ends without its commit gives the copies it took back to the scene.
  void CancelStage();
  void PositionAt(int x, int y);
  bool PickPlacedCopy(int x, int y);
  // Calls f for each placed copy, in list order.
  template <class F>
  void ForEachPlacedCopy(F f);
  void SetPlacedStates(int from, int to);
  void RedrawWithPreview();
  void ReadCopyState();
  void StoreCopyState();
  Matrix4 G() const { return CopyState.placement; }

  // Set by the first placement: from then on the copy state is the tool's to re-read after an
  // undo or redo, even when that undo took every copy of its own away.
  bool hasPlaced_ = false;
};

// Copy > Cut&Paste: the selection is deleted and lifted onto the mouse in a copy tool.
void DoCutAndPaste();

// The copy state and flag at start-up.
void ResetCopyState();
