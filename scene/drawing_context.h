#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "kernel/matrix4.h"
#include "platform/device_context.h"
#include "scene/life_token.h"

struct DepthRaster;

// The one program-wide drawing context. Every wire frame, marker, label and rubber band goes
// through it, and picking is the same drawing switched into pick mode (scene/picking.h).
//
// Three matrices: V (pixels from view space), M (view space from model space) and S = M x V
// (row vectors), which turns model points into screen pixels, x to the right, y downward.

// A window that drawing can target: it lends its canvas for as long as it is the drawing view.
// The canvas keeps its address meanwhile; one replaced in place (a new size) gets its pen with
// the next SetDrawColor, which every frame makes before it draws. A view being destroyed first
// calls SetDrawingView(nullptr) when it is the drawing view.
class CanvasView {
 public:
  virtual DeviceContext& DrawingCanvas() = 0;
  // The screen depths of the view's shaded frames; null for a view that keeps none.
  virtual DepthRaster* ViewDepthRaster() { return nullptr; }
  // Something was drawn into the canvas outside a full frame; a window shows it.
  virtual void CanvasChanged() {}

  // Tells work kept for later whether the view still exists.
  const LifeToken& CanvasLife() const { return canvasLife_; }

 protected:
  ~CanvasView() = default;

 private:
  LifeToken canvasLife_;
};

// Polyline kinds of BeginPolyline; any other kind only counts its vertices.
inline constexpr int kPolylineMarkers = 0;
inline constexpr int kPolylineOpen = 1;
inline constexpr int kPolylineClosed = 2;

// Drawing outside a full frame (a tool's rubber band drawn as the mouse moves, a highlight) goes
// into the canvas, which a window shows only when told. The notice tells the drawing view once,
// as it goes, when anything reached a canvas while it lived.
class CanvasChangeNotice {
 public:
  CanvasChangeNotice();
  ~CanvasChangeNotice();
  CanvasChangeNotice(const CanvasChangeNotice&) = delete;
  CanvasChangeNotice& operator=(const CanvasChangeNotice&) = delete;

 private:
  std::uint64_t drawingsBefore_;
};

// While one lives, the lines drawn wait and reach the canvas together: one DrawPolylines call for
// each run of lines in one colour, made when the colour changes, a picture is copied, the drawing
// view changes or the last scope ends. The canvas gets the same lines in the same order, so the
// same pixels, without a call per line. A frame draws its lines under one.
class BatchedLines {
 public:
  BatchedLines();
  ~BatchedLines();
  BatchedLines(const BatchedLines&) = delete;
  BatchedLines& operator=(const BatchedLines&) = delete;
};

// Makes the view's canvas the drawing target, keeping the current colour; returns the previous
// drawing view. The same view again changes nothing. With no view, drawing draws nothing.
CanvasView* SetDrawingView(CanvasView* view);
CanvasView* GetDrawingView();

// V := the identity with s = (height - 1) x 0.5 x scale on the diagonal (y times ySign) and the
// pane centre as translation. S is left as it was until the next SetModelMatrix.
void SetViewportTransform(int width, int height, float scale, int ySign);
void SetModelMatrix(const Matrix4& m);
// M := a x M: a acts first, in the object's own space.
void MultiplyModelMatrix(const Matrix4& a);
Matrix4 GetModelMatrix();
Matrix4 GetViewTransform();
Matrix4 GetInverseViewTransform();
// Replaces the two coordinates of point other than axis (0 x, 1 y, 2 z) by those of the model
// point under pixel (x, y) on the plane where coordinate axis keeps its value. A plane seen
// edge-on, or a result that is not finite, leaves the point unchanged.
void UnprojectToPlane(int axis, int x, int y, Vector3* point);

// Returns the previous colour.
ColorRef SetDrawColor(ColorRef color);
int BeginPolyline(int kind);
// Draws the model point as the next vertex (or as a 4-pixel square for markers); returns the
// number of vertices since BeginPolyline.
int AddPolylineVertex(Vector3 point);
// Closes a closed polyline back to its first vertex.
void EndPolyline();
// Screen positions as floats; a pixel is the float plus 0.5, truncated toward zero. A point
// that is not finite draws nothing, and the next finite point starts afresh.
void DrawMoveTo(float x, float y);
void DrawLineTo(float x, float y);

// Draws with S the identity, so vertices are screen pixels whatever the matrices; M and S are
// back as they were when it goes.
class ScreenSpaceDrawing {
 public:
  ScreenSpaceDrawing();
  ~ScreenSpaceDrawing();
  ScreenSpaceDrawing(const ScreenSpaceDrawing&) = delete;
  ScreenSpaceDrawing& operator=(const ScreenSpaceDrawing&) = delete;

 private:
  Matrix4 savedModel_;
  Matrix4 savedModelScreen_;
  Matrix4 savedInverse_;
};

// A rubber-band box: the closed polyline (left, top), (right, top), (right, bottom),
// (left, bottom) in screen pixels.
void DrawTransformedRect(int left, int top, int right, int bottom);
// Draws the digits and points of text in the stroke font, the first cell at the anchor's pixel;
// other characters are skipped and take no room.
void DrawNumberLabel(Vector3 anchor, std::string_view text);

// The header of a bottom-up 24-bit DIB of the given size.
struct DibHeader {
  std::uint32_t size = 40;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint16_t planes = 1;
  std::uint16_t bitCount = 24;
  std::uint32_t compression = 0;  // uncompressed RGB
  std::uint32_t sizeImage = 0;
  std::int32_t xPelsPerMeter = 0;
  std::int32_t yPelsPerMeter = 0;
  std::uint32_t colorsUsed = 0;
  std::uint32_t colorsImportant = 0;
};
DibHeader GetDibHeader(int width, int height);
// Copies of pixel rows onto the drawing target (see DeviceContext).
void BlitDib(int x, int y, int width, int height, std::span<const std::uint8_t> rows);
void StretchDib(int destX, int destY, int destWidth, int destHeight, int sourceX, int sourceY,
                int sourceWidth, int sourceHeight, int imageWidth, int imageHeight,
                std::span<const std::uint8_t> rows);

// Start-up state: no drawing view, V, M and S all zeros but element 15, colour 0, an empty
// polyline, and the pick state of scene/picking.h at its start.
void ResetDrawingContext();
