#include "scene/transform_tool.h"

#include "kernel/boolean_object.h"
#include "kernel/point_set_object.h"
#include "scene/drawing_context.h"
#include "scene/pointer_snapping.h"
#include "scene/render_view.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/tool_framework.h"
#include "scene/transform_apply.h"
#include "scene/undo_history.h"
#include "scene/view_axis.h"
#include "scene/viewport.h"
#include "services/layer_table.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

int TransformReference = 0;
int TransformToolActive = 0;

namespace {

constexpr int kWorldOriginString = 10048;
constexpr int kObjectOriginString = 10049;
constexpr int kObjectAxisString = 10050;

bool HasMarkedPoint(const CGeomObject* object) {
  const auto* points = dynamic_cast<const CPointSetObject*>(object);
  if (points == nullptr) return false;
  for (const std::int32_t mark : points->marks) {
    if (mark != 0) return true;
  }
  return false;
}

// The moved parts of an object that is not selected: its marked control points, or the members
// of a group that move.
void DrawMovedParts(CGeomObject* object, int mode) {
  if (auto* group = dynamic_cast<CBooleanObject*>(object)) {
    // A subtraction that does not subtract bodies moves only its first member.
    const bool allMembers = group->Operation() != kBooleanSubtraction || group->subtractBody != 0;
    for (CGeomObject* member = group->members.head(); member != nullptr; member = member->next) {
      if (member->ObjectState < 2) member->Draw(mode);
      if (!allMembers) break;
    }
    return;
  }
  if (HasMarkedPoint(object)) object->Draw(mode);
}

}  // namespace

std::string TransformReferenceName(int reference) {
  switch (reference) {
    case kReferenceObjectAxis:
      return GetLocalizedString(kObjectAxisString);
    case kReferenceObjectOrigin:
      return GetLocalizedString(kObjectOriginString);
    default:
      return GetLocalizedString(kWorldOriginString);
  }
}

CTransformTool::CTransformTool() : CTool(0) { TransformToolActive = 1; }

CTransformTool::~CTransformTool() {
  // A tool replaced in mid-drag must not leave later redraws in drag quality.
  if (dragState != 0) DragRedrawFlag = 0;
  TransformToolActive = 0;
}

void CTransformTool::OnLButtonDblClk(int, int, int) {}
void CTransformTool::OnRButtonDblClk(int, int, int) {}

void CTransformTool::OnLButtonDown(int, int x, int y) { StartDrag(1, x, y); }
void CTransformTool::OnRButtonDown(int, int x, int y) { StartDrag(2, x, y); }
void CTransformTool::OnLButtonUp(int, int, int) { EndDrag(1); }
void CTransformTool::OnRButtonUp(int, int, int) { EndDrag(2); }

void CTransformTool::StartDrag(int state, int x, int y) {
  if (dragState != 0) return;
  dragState = state;
  BeginUndoStep();
  if (frameObject != nullptr) MultiplyModelMatrix(frameObject->orientation);
  int sign = 1;
  depthAxis = GetViewAxis(2, &sign);
  depthSign = sign;
  if (state == 1) {
    BeginLeftDrag(x, y);
  } else {
    BeginRightDrag(x, y);
  }
  lastDisplacement = Vector3{};
  current = Vector3{};
  stepMatrix = kIdentityMatrix;
  ApplyActiveViewProjection();
  if (CViewport* active = GetActiveView()) active->Refresh(1);
  DragRedrawFlag = 1;
}

void CTransformTool::EndDrag(int state) {
  if (dragState != state) return;
  dragState = 0;
  FinishDrag();
}

void CTransformTool::OnMouseMove(int, int x, int y) {
  if (dragState == 0) return;
  ApplyActiveViewProjection();
  if (frameObject != nullptr) MultiplyModelMatrix(frameObject->orientation);
  TrackPoint(x, y);
  const Vector3 displacement = SnapToGrid(VecSub(current, dragStart), GetGridStep(1));
  current = displacement;
  if (VectorsEqual(displacement, lastDisplacement)) return;
  CViewport* active = GetActiveView();
  const int mode = active != nullptr ? active->displayMode : kDisplayNormalWire;
  if (mode < kDisplayFastShading) RefreshAllViews(0);
  lastDisplacement = displacement;
  BuildStepMatrix();
  UndoOpenStep();
  BeginUndoStep();
  ApplyTransformToObjects(reference, stepMatrix, 0);
  if (mode >= kDisplayFastShading) {
    RedrawAllViews();
  } else {
    RefreshAllViews(0);
  }
  ShowToolPrompt(this, "<" + TransformReferenceName(reference) + "> " + FormatPrompt());
  resetTotals = 0;
}

void CTransformTool::DrawFeedback(int paneButtonBits) {
  if (paneButtonBits == 0) return;
  const Vector3 end = VecAdd(dragStart, lastDisplacement);
  for (const int kind : {kPolylineMarkers, kPolylineOpen}) {
    BeginPolyline(kind);
    AddPolylineVertex(dragStart);
    AddPolylineVertex(end);
    EndPolyline();
  }
  CViewport* active = GetActiveView();
  const int displayMode = active != nullptr ? active->displayMode : kDisplayNormalWire;
  if (displayMode >= kDisplayFastShading) return;
  const int drawMode = displayMode <= 0 ? -10 : displayMode;
  for (CGeomObject* object = nullptr; NextObject(object, -1, 0) != nullptr;) {
    if (object->ObjectState != 0 && object->ObjectState != kStateSelected) continue;
    if (IsLayerVisible(object->layer) == 0 || IsLayerPickable(object->layer) == 0) continue;
    if (object->ObjectState == kStateSelected) {
      object->Draw(drawMode);
    } else {
      DrawMovedParts(object, drawMode);
    }
  }
}

void CTransformTool::Undo() {
  EndDrag(dragState);
  UndoCommand();
  resetTotals = 1;
}

void CTransformTool::Redo() {
  EndDrag(dragState);
  RedoCommand();
  resetTotals = 0;
}

void CTransformTool::FinishDrag() {
  DragRedrawFlag = 0;
  RedrawAllViews();
}

void CTransformTool::BeginLeftDrag(int, int) {}
void CTransformTool::BeginRightDrag(int, int) {}
void CTransformTool::TrackPoint(int, int) {}
void CTransformTool::BuildStepMatrix() {}
std::string CTransformTool::FormatPrompt() { return {}; }

void CTransformTool::StartOnDepthPlane(int x, int y) {
  Coordinate(dragStart, depthAxis) = 0.0f;
  UnprojectToPlane(depthAxis, x, y, &dragStart);
  dragStart = SnapToGrid(dragStart, GetGridStep(1));
}

void ToggleTransformReference() {
  TransformReference = TransformReference == 0 ? 2 : 0;
  if (TransformToolActive == 0) return;
  // The flag also covers a retired tool not yet destroyed; only a transform tool is retargeted.
  if (auto* tool = dynamic_cast<CTransformTool*>(GetTool(1))) {
    tool->reference = TransformReference == 0 ? kReferenceWorldOrigin : kReferenceObjectAxis;
  }
}

void ResetTransformTools() {
  TransformReference = 0;
  TransformToolActive = 0;
}
