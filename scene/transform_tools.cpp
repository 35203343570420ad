#include "scene/transform_tools.h"

#include <cmath>
#include <cstdio>

#include "scene/drawing_context.h"
#include "scene/pointer_snapping.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/tool_framework.h"
#include "scene/transform_apply.h"
#include "scene/transform_matrix.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

namespace {

constexpr int kMovingString = 10051;
constexpr int kSizingString = 10052;
constexpr int kRollingString = 10053;
constexpr int kFlippingString = 10054;

constexpr double kRadiansPerDegree = 0.017453292519943295;
// Flip and roll turn half a degree per grid unit dragged.
constexpr float kDegreesPerGridUnit = 0.5f;

char AxisLetter(int axis) { return static_cast<char>('X' + axis); }

// "Name...   X t   Y t   Z t    <--    X s   Y s   Z s": the totals, then this drag's step.
std::string AxisTotalsPrompt(int nameId, Vector3 totals, Vector3 steps) {
  char text[256];
  std::snprintf(text, sizeof text,
                "%s...   X %.4g   Y %.4g   Z %.4g    <--    X %.4g   Y %.4g   Z %.4g",
                GetLocalizedString(nameId).c_str(), totals.x, totals.y, totals.z, steps.x, steps.y,
                steps.z);
  return text;
}

// "Name...   A   t    <--    s" for one axis's angles.
std::string AngleTotalsPrompt(int nameId, int axis, float total, float step) {
  char text[256];
  std::snprintf(text, sizeof text, "%s...   %c   %.3g    <--    %.3g",
                GetLocalizedString(nameId).c_str(), AxisLetter(axis), total, step);
  return text;
}

Matrix4 RotationOfDegrees(const float degrees[3]) {
  return RotateXYZ(static_cast<float>(degrees[0] * kRadiansPerDegree),
                   static_cast<float>(degrees[1] * kRadiansPerDegree),
                   static_cast<float>(degrees[2] * kRadiansPerDegree));
}

}  // namespace

// Moving

void CMovingTool::BeginLeftDrag(int x, int y) {
  total = VecAdd(total, step);
  SnapDragPoint(&dragStart, x, y, 1);
}

void CMovingTool::BeginRightDrag(int x, int y) {
  total = VecAdd(total, step);
  StartOnDepthPlane(x, y);
  current = Vector3{};
  lastDisplacement = Vector3{};
}

void CMovingTool::TrackPoint(int x, int y) {
  if (dragState == 1) {
    SnapDragPoint(&current, x, y, 0);
  } else {
    // The right drag stays on the plane through the origin facing the view.
    UnprojectToPlane(depthAxis, x, y, &current);
  }
}

void CMovingTool::BuildStepMatrix() {
  step = current;
  stepMatrix = kIdentityMatrix;
  stepMatrix[12] = step.x;
  stepMatrix[13] = step.y;
  stepMatrix[14] = step.z;
}

std::string CMovingTool::FormatPrompt() {
  if (resetTotals != 0) total = Vector3{};
  return AxisTotalsPrompt(kMovingString, VecAdd(total, step), step);
}

// Sizing

void CSizingTool::BeginDrag(int kind, int x, int y) {
  totalFactors = {totalFactors.x * currentFactors.x, totalFactors.y * currentFactors.y,
                  totalFactors.z * currentFactors.z};
  SnapDragPoint(&dragStart, x, y, 2);
  dragKind = kind;
}

void CSizingTool::BeginLeftDrag(int x, int y) { BeginDrag(1, x, y); }
void CSizingTool::BeginRightDrag(int x, int y) { BeginDrag(2, x, y); }

void CSizingTool::TrackPoint(int x, int y) { lockedAxis = SnapDragPoint(&current, x, y, 0); }

void CSizingTool::BuildStepMatrix() {
  const int a = DragAxis();
  const float start = Coordinate(dragStart, a);
  // Too near the origin along the axis for a ratio of distances to mean anything.
  if (std::fabs(start) < GetGridStep(0)) return;
  const float c = std::fabs((Coordinate(current, a) + start) / start);
  stepMatrix = kIdentityMatrix;
  if (dragKind == 1) {
    currentFactors = {c, c, c};
    stepMatrix[0] = stepMatrix[5] = stepMatrix[10] = c;
  } else {
    currentFactors = {1, 1, 1};
    Coordinate(currentFactors, a) = c;
    stepMatrix[a * 5] = c;
  }
}

std::string CSizingTool::FormatPrompt() {
  if (resetTotals != 0) totalFactors = {1, 1, 1};
  const Vector3 product{totalFactors.x * currentFactors.x, totalFactors.y * currentFactors.y,
                        totalFactors.z * currentFactors.z};
  return AxisTotalsPrompt(kSizingString, product, currentFactors);
}

// Flipping

void CFlippingTool::BeginLeftDrag(int x, int y) {
  totalAngle += stepAngle;
  SnapDragPoint(&dragStart, x, y, 1);
}

void CFlippingTool::BeginRightDrag(int x, int y) {
  promptAxis = -1;
  StartOnDepthPlane(x, y);
  current = Vector3{};
  lastDisplacement = Vector3{};
}

void CFlippingTool::TrackPoint(int x, int y) {
  if (dragState == 1) {
    lockedAxis = SnapDragPoint(&current, x, y, 0);
  } else {
    UnprojectToPlane(depthAxis, x, y, &current);
  }
}

void CFlippingTool::BuildStepMatrix() {
  const int i = (depthAxis + 2) % 3;
  const int j = (depthAxis + 1) % 3;
  const float scale = kDegreesPerGridUnit / GetGridStep(0);
  float angles[3] = {0, 0, 0};
  const float di = Coordinate(current, i);
  const float dj = Coordinate(current, j);
  if (depthSign < 1) {
    angles[i] = -dj * scale;
    angles[j] = di * scale;
  } else {
    angles[i] = dj * scale;
    angles[j] = -di * scale;
  }
  if (dragState == 1) {
    stepAngle = DragAxis() == j ? angles[i] : angles[j];
  } else {
    stepAngle = angles[j];
    totalAngle = angles[i];
  }
  stepMatrix = RotationOfDegrees(angles);
}

std::string CFlippingTool::FormatPrompt() {
  if (dragState == 2) {
    const int i = (depthAxis + 2) % 3;
    const int j = (depthAxis + 1) % 3;
    char text[256];
    std::snprintf(text, sizeof text, "%s...   %c  %.3g   %c  %.3g",
                  GetLocalizedString(kFlippingString).c_str(), AxisLetter(i), totalAngle,
                  AxisLetter(j), stepAngle);
    return text;
  }
  if (resetTotals != 0) totalAngle = 0;
  int axis = 0;
  while (axis == depthAxis || axis == DragAxis()) ++axis;
  if (axis != promptAxis) {
    promptAxis = axis;
    totalAngle = 0;
  }
  return AngleTotalsPrompt(kFlippingString, axis, totalAngle + stepAngle, stepAngle);
}

// Rolling

void CRollingTool::BeginLeftDrag(int x, int y) {
  if (rollAxis == depthAxis) {
    totalAngle += stepAngle;
  } else {
    rollAxis = depthAxis;
    totalAngle = 0;
  }
  rollKind = 2;
  SnapDragPoint(&dragStart, x, y, 2);
}

void CRollingTool::TrackPoint(int x, int y) { lockedAxis = SnapDragPoint(&current, x, y, 0); }

void CRollingTool::BuildStepMatrix() {
  const int a = DragAxis();
  const int j = (a + 1) % 3;
  const int k = (a + 2) % 3;
  // Dragging along a turns the start point about the depth axis; the sense depends on the side of
  // the centre the drag started on.
  const bool forward = (j == depthAxis && Coordinate(dragStart, k) > 0) ||
                       (k == depthAxis && Coordinate(dragStart, j) < 0);
  const float c = forward ? Coordinate(current, a) : -Coordinate(current, a);
  stepAngle = c * kDegreesPerGridUnit / GetGridStep(0);
  float angles[3] = {0, 0, 0};
  angles[depthAxis] = stepAngle;
  stepMatrix = RotationOfDegrees(angles);
}

std::string CRollingTool::FormatPrompt() {
  if (resetTotals != 0) totalAngle = 0;
  return AngleTotalsPrompt(kRollingString, rollAxis, totalAngle + stepAngle, stepAngle);
}

void StartTransformTool(int type, int referenceKind) {
  // A tool made while no viewport is active would be installed nowhere.
  if (GetActiveView() == nullptr) return;
  CTransformTool* tool = nullptr;
  int nameId = kMovingString;
  switch (type) {
    case 1:
      tool = new CMovingTool();
      break;
    case 2:
    case 5:
      tool = new CSizingTool(type == 2 ? 1 : 2);
      nameId = kSizingString;
      break;
    case 3:
      tool = new CFlippingTool();
      nameId = kFlippingString;
      break;
    case 4:
      tool = new CRollingTool();
      nameId = kRollingString;
      break;
    default:
      return;
  }
  // Kinds 1 and 2 name the object references in the other order.
  tool->reference = referenceKind == 1   ? kReferenceObjectOrigin
                    : referenceKind == 2 ? kReferenceObjectAxis
                                         : kReferenceWorldOrigin;
  ShowToolPrompt(tool, "<" + TransformReferenceName(tool->reference) + "> " + GetLocalizedString(nameId));
}

void OnMoving() { StartTransformTool(1, TransformReference); }
void OnSizing() { StartTransformTool(2, TransformReference); }
void OnFlipping() { StartTransformTool(3, TransformReference); }
void OnRolling() { StartTransformTool(4, TransformReference); }
