#include "scene/drawing_context.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "scene/picking.h"
#include "scene/wireframe.h"

namespace {

// Every program that draws anything links this file, so the objects find their wire frames
// wherever they can be drawn.
const bool sceneWireframesInstalled = (InstallSceneWireframes(), true);

struct DrawingContext {
  CanvasView* view = nullptr;
  DeviceContext* target = nullptr;
  Matrix4 viewing;      // V
  Matrix4 model;        // M
  Matrix4 modelScreen;  // S = M x V
  // S inverted, kept until S changes: every label and screen-space drawing asks for it.
  Matrix4 inverseModelScreen;
  bool inverseValid = false;
  ColorRef color = 0;
  int polylineKind = kPolylineMarkers;
  int vertexCount = 0;
  Vector3 firstVertex;
  // The last point given to DrawMoveTo or DrawLineTo, while it was finite.
  bool penValid = false;
  float penX = 0.0f;
  float penY = 0.0f;
  // The target's current position is the pen's pixel.
  bool targetAtPen = false;
  // Lines and pictures that reached a canvas, for CanvasChangeNotice.
  std::uint64_t canvasDrawings = 0;
  // The open BatchedLines scopes and the polylines waiting under them.
  int batchDepth = 0;
  std::vector<PixelPoint> batchPoints;
  std::vector<std::uint32_t> batchCounts;
};

DrawingContext context;

void SetModelScreen(const Matrix4& s) {
  context.modelScreen = s;
  context.inverseValid = false;
}

float& Coordinate(Vector3& v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }

bool Finite(float x, float y) { return std::isfinite(x) && std::isfinite(y); }

// Far points, extreme zoom and hostile coordinates give floats far outside the int range. Lines
// are clipped to this box before their ends become pixels; it lies far beyond any canvas.
constexpr double kGuard = 16777216.0;

bool InsideGuard(float x, float y) { return std::fabs(x) <= kGuard && std::fabs(y) <= kGuard; }

// Float to pixel: add 0.5 and truncate toward zero. Only for values inside the guard box.
int ToPixel(float v) { return static_cast<int>(v + 0.5f); }

void FlushLines() {
  if (context.batchCounts.empty()) return;
  if (context.target != nullptr) context.target->DrawPolylines(context.batchPoints, context.batchCounts);
  context.batchPoints.clear();
  context.batchCounts.clear();
}

void TargetMoveTo(int x, int y) {
  if (context.batchDepth == 0) {
    context.target->MoveTo(x, y);
    return;
  }
  context.batchPoints.push_back({x, y});
  context.batchCounts.push_back(1);
}

// With nothing waiting, the target's own position is where the line starts.
void TargetLineTo(int x, int y) {
  if (context.batchCounts.empty()) {
    context.target->LineTo(x, y);
    return;
  }
  context.batchPoints.push_back({x, y});
  ++context.batchCounts.back();
}

int GuardOutcode(double x, double y) {
  return (x < -kGuard ? 1 : 0) | (x > kGuard ? 2 : 0) | (y < -kGuard ? 4 : 0) |
         (y > kGuard ? 8 : 0);
}

// Cohen-Sutherland against the guard box, in double. False when nothing of the segment lies
// inside; otherwise the ends that lay outside are moved onto the box. Each move puts one
// coordinate exactly on the box and finds the other from the line, so ends far beyond the box
// lose no precision.
bool ClipToGuard(float* x0, float* y0, float* x1, float* y1) {
  double ax = *x0, ay = *y0, bx = *x1, by = *y1;
  int a = GuardOutcode(ax, ay), b = GuardOutcode(bx, by);
  for (int moves = 0; (a | b) != 0; ++moves) {
    if ((a & b) != 0 || moves == 8) return false;
    const int code = a != 0 ? a : b;
    double x, y;
    if ((code & 3) != 0) {
      x = (code & 1) != 0 ? -kGuard : kGuard;
      y = ay + (by - ay) * (x - ax) / (bx - ax);
    } else {
      y = (code & 4) != 0 ? -kGuard : kGuard;
      x = ax + (bx - ax) * (y - ay) / (by - ay);
    }
    if (code == a) {
      ax = x, ay = y, a = GuardOutcode(ax, ay);
    } else {
      bx = x, by = y, b = GuardOutcode(bx, by);
    }
  }
  *x0 = static_cast<float>(ax), *y0 = static_cast<float>(ay);
  *x1 = static_cast<float>(bx), *y1 = static_cast<float>(by);
  return true;
}

void DrawSegmentTo(float x, float y) {
  float x0 = context.penX, y0 = context.penY, x1 = x, y1 = y;
  context.penX = x;
  context.penY = y;
  if (context.target == nullptr) return;
  const bool startInside = InsideGuard(x0, y0);
  const bool endInside = InsideGuard(x1, y1);
  if (!(startInside && endInside) && !ClipToGuard(&x0, &y0, &x1, &y1)) {
    context.targetAtPen = false;
    return;
  }
  if (!startInside || !context.targetAtPen) TargetMoveTo(ToPixel(x0), ToPixel(y0));
  TargetLineTo(ToPixel(x1), ToPixel(y1));
  context.targetAtPen = endInside;
  ++context.canvasDrawings;
}

}  // namespace

CanvasView* SetDrawingView(CanvasView* view) {
  CanvasView* previous = context.view;
  if (view == previous) return previous;
  FlushLines();
  context.view = view;
  context.target = view != nullptr ? &view->DrawingCanvas() : nullptr;
  // The pen follows the context: the new target draws in the current colour.
  if (context.target != nullptr) context.target->SetPenColor(context.color);
  context.targetAtPen = false;
  return previous;
}

CanvasView* GetDrawingView() { return context.view; }

CanvasChangeNotice::CanvasChangeNotice() : drawingsBefore_(context.canvasDrawings) {}

CanvasChangeNotice::~CanvasChangeNotice() {
  if (context.canvasDrawings != drawingsBefore_ && context.view != nullptr) {
    context.view->CanvasChanged();
  }
}

void SetViewportTransform(int width, int height, float scale, int ySign) {
  Matrix4 v = kIdentityMatrix;
  const float s = static_cast<float>(height - 1) * 0.5f * scale;
  v.at(0, 0) = s;
  v.at(1, 1) = static_cast<float>(ySign) * s;
  v.at(2, 2) = s;
  v.at(3, 0) = static_cast<float>(width - 1) * 0.5f;
  v.at(3, 1) = static_cast<float>(height - 1) * 0.5f;
  context.viewing = v;
}

void SetModelMatrix(const Matrix4& m) {
  context.model = m;
  SetModelScreen(MatMultiply(context.model, context.viewing));
}

void MultiplyModelMatrix(const Matrix4& a) { SetModelMatrix(MatMultiply(a, context.model)); }

Matrix4 GetModelMatrix() { return context.model; }

Matrix4 GetViewTransform() { return context.modelScreen; }

Matrix4 GetInverseViewTransform() {
  if (!context.inverseValid) {
    context.inverseModelScreen = MatInverse(context.modelScreen);
    context.inverseValid = true;
  }
  return context.inverseModelScreen;
}

void UnprojectToPlane(int axis, int x, int y, Vector3* point) {
  if (axis < 0 || axis > 2) return;
  const Matrix4 inverse = GetInverseViewTransform();
  const float c = Coordinate(*point, axis);
  const float along = inverse.at(2, axis);
  // Seen edge-on, the plane holds the view direction and no depth meets it.
  if (along == 0.0f) return;
  const float sx = static_cast<float>(x);
  const float sy = static_cast<float>(y);
  const float depth =
      -(sx * inverse.at(0, axis) + sy * inverse.at(1, axis) + inverse.at(3, axis) - c) / along;
  Vector3 result = TransformPoint({sx, sy, depth}, inverse);
  Coordinate(result, axis) = c;
  if (!std::isfinite(result.x) || !std::isfinite(result.y) || !std::isfinite(result.z)) return;
  *point = result;
}

ColorRef SetDrawColor(ColorRef color) {
  const ColorRef previous = context.color;
  if (color != previous) FlushLines();
  context.color = color;
  if (context.target != nullptr) context.target->SetPenColor(color);
  return previous;
}

int BeginPolyline(int kind) {
  context.polylineKind = kind;
  context.vertexCount = 0;
  return kind;
}

int AddPolylineVertex(Vector3 point) {
  const Vector3 p = TransformPoint(point, context.modelScreen);
  if (context.polylineKind == kPolylineMarkers) {
    // The offsets come before the rounding of the drawing calls.
    DrawMoveTo(p.x - 2.0f, p.y - 2.0f);
    DrawLineTo(p.x + 2.0f, p.y - 2.0f);
    DrawLineTo(p.x + 2.0f, p.y + 2.0f);
    DrawLineTo(p.x - 2.0f, p.y + 2.0f);
    DrawLineTo(p.x - 2.0f, p.y - 2.0f);
  } else if (context.polylineKind == kPolylineOpen || context.polylineKind == kPolylineClosed) {
    if (context.vertexCount == 0) {
      context.firstVertex = p;
      DrawMoveTo(p.x, p.y);
    } else {
      DrawLineTo(p.x, p.y);
    }
  }
  return ++context.vertexCount;
}

void EndPolyline() {
  if (context.polylineKind == kPolylineClosed && context.vertexCount > 0) {
    DrawLineTo(context.firstVertex.x, context.firstVertex.y);
  }
}

void DrawMoveTo(float x, float y) {
  if (IsPickMode()) {
    PickTestPoint(x, y);
    return;
  }
  context.penValid = Finite(x, y);
  context.penX = x;
  context.penY = y;
  context.targetAtPen = false;
  if (context.penValid && context.target != nullptr && InsideGuard(x, y)) {
    TargetMoveTo(ToPixel(x), ToPixel(y));
    context.targetAtPen = true;
  }
}

void DrawLineTo(float x, float y) {
  if (IsPickMode()) {
    PickTestSegmentTo(x, y);
    return;
  }
  if (!Finite(x, y)) {
    context.penValid = false;
    return;
  }
  if (!context.penValid) {
    DrawMoveTo(x, y);
    return;
  }
  DrawSegmentTo(x, y);
}

// S becomes exactly the identity rather than the product with its own inverse, so pixels stay
// whole numbers and a singular S does not spoil the drawing; M is set as that product would.
ScreenSpaceDrawing::ScreenSpaceDrawing()
    : savedModel_(context.model), savedModelScreen_(context.modelScreen), savedInverse_(GetInverseViewTransform()) {
  context.model = MatMultiply(savedInverse_, context.model);
  context.modelScreen = kIdentityMatrix;
  context.inverseModelScreen = kIdentityMatrix;
}

// Both come back as they were, so screen-space drawing nests.
ScreenSpaceDrawing::~ScreenSpaceDrawing() {
  context.model = savedModel_;
  context.modelScreen = savedModelScreen_;
  context.inverseModelScreen = savedInverse_;
  context.inverseValid = true;
}

void DrawTransformedRect(int left, int top, int right, int bottom) {
  const ScreenSpaceDrawing screen;
  const float l = static_cast<float>(left), t = static_cast<float>(top);
  const float r = static_cast<float>(right), b = static_cast<float>(bottom);
  BeginPolyline(kPolylineClosed);
  AddPolylineVertex({l, t, 0.0f});
  AddPolylineVertex({r, t, 0.0f});
  AddPolylineVertex({r, b, 0.0f});
  AddPolylineVertex({l, b, 0.0f});
  EndPolyline();
}

DibHeader GetDibHeader(int width, int height) {
  DibHeader header;
  header.width = width;
  header.height = height;
  return header;
}

void BlitDib(int x, int y, int width, int height, std::span<const std::uint8_t> rows) {
  if (context.target == nullptr) return;
  FlushLines();
  context.target->BlitDib(x, y, width, height, rows);
  ++context.canvasDrawings;
}

void StretchDib(int destX, int destY, int destWidth, int destHeight, int sourceX, int sourceY,
                int sourceWidth, int sourceHeight, int imageWidth, int imageHeight,
                std::span<const std::uint8_t> rows) {
  if (context.target == nullptr) return;
  FlushLines();
  context.target->StretchDib(destX, destY, destWidth, destHeight, sourceX, sourceY, sourceWidth,
                             sourceHeight, imageWidth, imageHeight, rows);
  ++context.canvasDrawings;
}

BatchedLines::BatchedLines() { ++context.batchDepth; }

// A reset of the context inside a scope has already dropped what waited.
BatchedLines::~BatchedLines() {
  if (context.batchDepth > 0 && --context.batchDepth == 0) FlushLines();
}

void ResetDrawingContext() {
  context = DrawingContext();
  ResetPickState();
}
