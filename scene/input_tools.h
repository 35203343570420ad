#pragma once

#include <cstdint>

#include "kernel/vector3.h"
#include "scene/tool.h"

inline constexpr int kVectorDragCursor = 4005;

// Static tools that hand a point or a vector to a follow-up command. On release they fill the
// caller's buffer of three floats, post the command and leave; since the command is posted, it
// runs after the buffer is filled. The buffer is not owned: it must stay valid for as long as
// the tool may be released, which the callers meet with storage that lives for the run (a
// static dialog's field, for example).

// A point on the grid of the plane facing the view; the buffer receives (horizontal, vertical,
// 0) of it.
class CPointPickTool : public CTool {
 public:
  CPointPickTool() : CTool(0) {}

  void OnLButtonDown(int flags, int x, int y) override;
  void OnLButtonUp(int flags, int x, int y) override;
  void OnMouseMove(int flags, int x, int y) override;
  void DrawFeedback(int paneButtonBits) override;

  std::int32_t command = 0;
  Vector3 point;
  float* buffer = nullptr;
};

// A vector dragged from a snapped start: with the left button kept to one screen axis, with
// the right button free on the world plane facing the view. The buffer receives the vector, or
// without want3D its signed horizontal and vertical screen components and 0.
class CVectorDragTool : public CTool {
 public:
  CVectorDragTool() : CTool(0) {}

  int GetCursorId() const override { return kVectorDragCursor; }
  void OnLButtonDown(int flags, int x, int y) override;
  void OnLButtonUp(int flags, int x, int y) override;
  void OnRButtonDown(int flags, int x, int y) override;
  void OnRButtonUp(int flags, int x, int y) override;
  void OnMouseMove(int flags, int x, int y) override;
  void DrawFeedback(int paneButtonBits) override;

  std::int32_t command = 0;
  std::int32_t want3D = 0;
  Vector3 start;
  Vector3 vector;
  float* buffer = nullptr;
  // The world axis across the plane of a right-button drag.
  std::int32_t planeAxis = 2;
  // 1 left, 2 right: the button that started the drag.
  std::int32_t button = 1;

 private:
  void Finish();
};

// Install the static tool as the secondary tool with these values; the caller sets the cursor.
void StartPointPick(float* buffer, int command);
void StartVectorDrag(float* buffer, int command, int want3D);
