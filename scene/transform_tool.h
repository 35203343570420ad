#pragma once

#include <cstdint>
#include <string>

#include "kernel/matrix4.h"
#include "kernel/vector3.h"
#include "scene/tool.h"

class CGeomObject;

// The reference the transform commands start their tools with: 0 World Origin, 2 Object Axis.
extern int TransformReference;
// 1 from the construction of a transform tool to its destruction.
extern int TransformToolActive;

// A mouse tool that transforms the selection while a button is dragged. Every move rebuilds the
// step matrix from the whole drag, takes back the previous application and applies the new one,
// so a drag is one undo step.
class CTransformTool : public CTool {
 public:
  ~CTransformTool() override;

  void OnLButtonDblClk(int flags, int x, int y) override;
  void OnLButtonDown(int flags, int x, int y) override;
  void OnLButtonUp(int flags, int x, int y) override;
  void OnRButtonDblClk(int flags, int x, int y) override;
  void OnRButtonDown(int flags, int x, int y) override;
  void OnRButtonUp(int flags, int x, int y) override;
  void OnMouseMove(int flags, int x, int y) override;
  void DrawFeedback(int paneButtonBits) override;
  // A running drag ends first, so that only whole drags are undone or redone.
  void Undo() override;
  void Redo() override;

  virtual void FinishDrag();
  virtual void BeginLeftDrag(int x, int y);
  virtual void BeginRightDrag(int x, int y);
  virtual void TrackPoint(int x, int y);
  virtual void BuildStepMatrix();
  virtual std::string FormatPrompt();

  // 0 idle, 1 left drag, 2 right drag.
  std::int32_t dragState = 0;
  // 0 World Origin, 1 Object Axis, 2 Object Origin.
  std::int32_t reference = 0;
  Matrix4 stepMatrix;
  Vector3 dragStart;
  // The tracked point, then (snapped) the displacement from the drag start.
  Vector3 current;
  Vector3 lastDisplacement;
  std::int32_t depthAxis = 0;
  std::int32_t depthSign = 1;
  // SnapDragPoint's answer for the current point; negative n while the axis may still switch.
  std::int32_t lockedAxis = 0;
  // When set, the drag is tracked in this object's orientation frame.
  CGeomObject* frameObject = nullptr;
  // Raised by undo, lowered by redo, cleared by every applied move: the next prompt restarts
  // its totals.
  std::int32_t resetTotals = 0;

 protected:
  CTransformTool();

  // The axis SnapDragPoint answered, whether locked yet or not.
  int DragAxis() const { return lockedAxis < 0 ? -lockedAxis - 1 : lockedAxis; }
  // The drag start's depth coordinate cleared, then the point under (x, y) on the plane through
  // it facing the view, snapped to the grid step.
  void StartOnDepthPlane(int x, int y);

 private:
  void StartDrag(int state, int x, int y);
  void EndDrag(int state);
};

// The name of a tool reference: "World Origin", "Object Axis" or "Object Origin".
std::string TransformReferenceName(int reference);

// Command 5010: switches TransformReference between World Origin and Object Axis; a running
// transform tool follows.
void ToggleTransformReference();

// The transform tools at start-up.
void ResetTransformTools();
