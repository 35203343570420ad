#include "scene/pending_views.h"
#include "scene/scene.h"
#include "scene/static_tools.h"
#include "scene/tool_framework.h"
#include "scene/transform_tool.h"
#include "scene/view_commands.h"
#include "scene/view_frame.h"
#include "scene/view_type_change.h"
#include "scene/vorn_view.h"
#include "scene/zoom_tools.h"
#include "services/snap_step.h"

namespace {

constexpr int kDisplayModeFirst = 3100;
constexpr int kDisplayModeLast = 3105;
constexpr int kViewTypeFirst = 3200;
constexpr int kViewTypeLast = 3206;
constexpr int kPanFirst = 3400;
constexpr int kFineSnapCommand = 3002;
constexpr int kObjectAxisCommand = 5010;
// TransformReference's value for Object Axis.
constexpr int kTransformReferenceObjectAxis = 2;

constexpr int kDisplayModeOfCommand[] = {kDisplayQuickWire,    kDisplayNormalWire,
                                         kDisplayMeshWire,     kDisplayFastShading,
                                         kDisplayShadingInColor, kDisplayRendering};

struct StepRotation {
  int id;
  int sign;
  int axis;
};
constexpr StepRotation kStepRotations[] = {
    {3420, -1, 0}, {3421, 1, 0}, {3422, -1, 1}, {3423, 1, 1}, {3430, 1, 2}, {3431, -1, 2},
};

}  // namespace

void CVornView::OnSetDisplayMode(int id) {
  if (id < kDisplayModeFirst || id > kDisplayModeLast) return;
  SetDisplayMode(this, kDisplayModeOfCommand[id - kDisplayModeFirst]);
}

void CVornView::OnViewDirection(int id) {
  if (id < kViewTypeFirst || id > kViewTypeLast) return;
  SetViewType(id - kViewTypeFirst, 1);
}

void CVornView::SetViewType(int type, int maximise) {
  const bool changed = ChangeType(type, maximise) != 0;
  if (maximise == 0) return;
  if (changed) {
    RedrawOrMaximize();
  } else if (ViewFrame* frame = Frame()) {
    frame->Maximize();
  }
}

int CVornView::ChangeType(int type, int restore3D) {
  const int changed = ChangeViewType(this, type, restore3D);
  if (changed != 0) {
    if (ViewFrame* frame = Frame()) frame->UpdateTitle();
  }
  return changed;
}

void CVornView::ResetCamera(int type) { ::ResetCamera(this, type); }

void CVornView::OnPan(int id) { PanView(this, id - kPanFirst); }
void CVornView::OnZoomIn() { StepZoom(this, 1); }
void CVornView::OnZoomOut() { StepZoom(this, -1); }

void CVornView::OnZoomBox() {
  CZoomBoxTool& tool = ZoomBoxTool();
  if (TheScene.secondaryTool == &tool) return;
  tool.KeepTool(TheScene.secondaryTool);
  TheScene.secondaryTool = &tool;
}

void CVornView::OnZoomAll() { ZoomAll(); }
void CVornView::OnZoomOneToOne() { ZoomOneToOne(this); }

// On a fixed view the first step only frees it; the next one turns it.
void CVornView::OnFlipRoll(int id) {
  for (const StepRotation& step : kStepRotations) {
    if (step.id != id) continue;
    if (viewType != kView3D) {
      MakeFree3D();
    } else {
      StepRotate(this, step.sign, step.axis);
    }
    return;
  }
}

void CVornView::OnResetView() {
  ResetCamera(viewType);
  AddDirtyRect(x, y, x + width, y + height);
  RedrawView(this);
}

void CVornView::OnNewWindow() {
  NewWindowSourceView = this;
  PushPendingViewType(viewType);
}

void CVornView::OnPick() { ResetToPickTool(); }
void CVornView::OnEditUndo() { UndoWithCurrentTool(); }
void CVornView::OnEditRedo() { RedoWithCurrentTool(); }

std::optional<bool> CVornView::ViewCommandCheck(int id) const {
  if (id == kFineSnapCommand) return IsFineSnap() != 0;
  if (id >= kDisplayModeFirst && id <= kDisplayModeLast) {
    return displayMode == kDisplayModeOfCommand[id - kDisplayModeFirst];
  }
  if (id >= kViewTypeFirst && id <= kViewTypeLast) return viewType == id - kViewTypeFirst;
  if (id == kObjectAxisCommand) return TransformReference == kTransformReferenceObjectAxis;
  return {};
}
