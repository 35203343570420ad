#pragma once

#include <cstdint>

#include "kernel/matrix4.h"

// What the scanline engine, the render-tree builder and the renderers share for one render.

// 0 interpolated colour (materials without maps), 1 material shading, 2 geometry only (no
// materials, depth on the scale of x and y).
extern std::int16_t ShadingMode;
// Maps view-space points to picture pixels: x and y in pixels, z the depth (larger is nearer).
extern Matrix4 RenderProjection;
// When set, a view render paints only pixels nearer than the view's stored depths. Nothing sets it
// yet: every render starts from a background-filled row, so a pixel refused by the test shows
// the background rather than what the window held before.
extern int DepthTestFlag;
// When set, each column is sampled on both sides, just before and just after it, and the two
// united: a span then covers the column its far end lies on as well as the one its near end lies
// on, so a section face lying exactly on a column is kept on either side. Slicing and the NC
// height grid set it; pictures keep each span's far column uncovered, so that neighbouring
// triangles never both cover a pixel.
extern int ClosedColumnsFlag;
// The render trees alive; rendering into a view is refused while any is.
extern int RenderNestingCount;

// The stack that places every point of the tree builder. Its base holds the identity and is
// never popped.
void PushRenderMatrix();
void PopRenderMatrix();
// top := m x top, so m applies first.
void MultiplyRenderMatrix(const Matrix4& m);
// The renderer sets the top to the view matrix through it.
Matrix4& RenderMatrixTop();

// top x projection: what a node built now places its points through, taken once per node.
Matrix4 RenderPointProjection();
// (x, y, z, 1) through m, divided by w unless w is exactly 0 or 1.
Vector3 ProjectPointThrough(const Matrix4& m, float x, float y, float z);

// Pushes for its lifetime, so an exception leaves the stack as it found it.
class RenderMatrixScope {
 public:
  RenderMatrixScope() { PushRenderMatrix(); }
  ~RenderMatrixScope() { PopRenderMatrix(); }
  RenderMatrixScope(const RenderMatrixScope&) = delete;
  RenderMatrixScope& operator=(const RenderMatrixScope&) = delete;
};

// Start values of the render state and the shading state, and no loaded materials or textures.
void ResetRenderState();
