#include "modelling/copy_tool.h"

#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>

#include "scene/drawing_context.h"
#include "scene/picking.h"
#include "scene/pointer_snapping.h"
#include "scene/render_view.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/tool_framework.h"
#include "scene/transform_matrix.h"
#include "scene/undo_history.h"
#include "scene/viewport.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

CFramedObject CopyState;
int CopyToolActive = 0;

namespace {

constexpr int kCopyingString = 10043;
constexpr int kNoObjectString = 10045;
constexpr int kSizingString = 10052;
constexpr int kRollingString = 10053;
// A smaller size factor would collapse the copies, and every later placement with them.
constexpr double kLeastSizeFactor = 0.001;

int ActiveDisplayMode() {
  CViewport* active = GetActiveView();
  return active != nullptr ? active->displayMode : kDisplayNormalWire;
}

Matrix4 Uniform(float f) {
  Matrix4 m = kIdentityMatrix;
  m.at(0, 0) = m.at(1, 1) = m.at(2, 2) = f;
  return m;
}

void ShowAmount(int word, double value) {
  char text[256];
  std::snprintf(text, sizeof text, "%s... %g", GetLocalizedString(word).c_str(), value);
  ShowStatusText(text);
}

// Marks dirty, in every view, the box of the chain of objects drawn under M.
void InvalidateChainBox(CGeomObject* first, int count, const Matrix4& M) {
  Vector3 low{1e30f, 1e30f, 1e30f};
  Vector3 high{-1e30f, -1e30f, -1e30f};
  int n = 0;
  for (CGeomObject* object = first; object != nullptr && (count < 0 || n < count); object = object->next, ++n) {
    object->GetBounds(&low, &high, M);
  }
  if (low.x > high.x) return;
  InvalidateBoxInViews(low.x, low.y, low.z, high.x, high.y, high.z);
}

}  // namespace

void ResetCopyState() {
  CopyState.orientation = kIdentityMatrix;
  CopyState.placement = kIdentityMatrix;
  CopyState.firstCopy = nullptr;
  CopyState.kindWord = 0;
  CopyToolActive = 0;
}

// The state another tool, or another document, left behind is not this tool's: it starts from
// identity matrices and no copies, with no undo record.
CCopyTool::CCopyTool(ObjectChain& objects) : CTool(0) {
  objectsToPlace.swap(objects);
  ResetCopyState();
  CopyToolActive = 1;
  DepthReadBackFlag = 1;
}

CCopyTool::~CCopyTool() {
  if (stage != 0) {
    CancelStage();
  }
  if (ToolPreviewList == objectsToPlace.head()) ToolPreviewList = nullptr;
  DepthReadBackFlag = 0;
  CopyToolActive = 0;
}

template <class F>
void CCopyTool::ForEachPlacedCopy(F f) {
  CGeomObject* copy = placedCopies;
  for (int i = 0; i < placedCount && copy != nullptr; ++i, copy = copy->next) f(copy);
}

void CCopyTool::SetPlacedStates(int from, int to) {
  ForEachPlacedCopy([from, to](CGeomObject* copy) {
    if (copy->ObjectState == from) copy->ObjectState = to;
  });
}

void CCopyTool::CancelStage() {
  stage = 0;
  SetPlacedStates(kStateBeingPlaced, kStateSelected);
  DragRedrawFlag = 0;
}

void CCopyTool::ReadCopyState() {
  placedCopies = CopyState.firstCopy;
  placedCount = static_cast<int>(CopyState.kindWord);
  M1 = CopyState.orientation;
}

void CCopyTool::StoreCopyState() {
  CopyState.firstCopy = placedCopies;
  CopyState.kindWord = static_cast<std::uint32_t>(placedCount);
  CopyState.orientation = M1;
}

void CCopyTool::PositionAt(int x, int y) {
  if (ActiveDisplayMode() < kDisplayFastShading) {
    Vector3 origin;
    SnapPointToGrid(&origin, x, y);
    M3 = kIdentityMatrix;
    SetMatrixRow(&M3, 3, origin);
  } else {
    PickPointInView(&M3, x, y);
  }
}

bool CCopyTool::PickPlacedCopy(int x, int y) {
  const int mode = ActiveDisplayMode();
  const int drawMode = mode < kDisplayFastShading ? mode : kDisplayMeshWire;
  ApplyActiveViewProjection();
  SetPickPoint(x, y);
  BeginPick();
  ForEachPlacedCopy([drawMode](CGeomObject* copy) {
    SetPickCandidate(copy);
    copy->Draw(drawMode);
  });
  return EndPick() > 0;
}

// The preview is set only around the tool's own full redraws, so the depth raster that a
// shaded placement reads never holds it.
void CCopyTool::RedrawWithPreview() {
  if (ActiveDisplayMode() > kDisplayFastShading) {
    RefreshAllViews(0);
    return;
  }
  ToolPreviewList = objectsToPlace.head();
  ToolPreviewMatrix = MatMultiply(MatMultiply(G(), M2), M3);
  RedrawAllViews();
  ToolPreviewList = nullptr;
  ToolPreviewMatrix = kIdentityMatrix;
}

void CCopyTool::OnLButtonDown(int flags, int x, int y) {
  if ((flags & kMouseShift) != 0) {
    stage = 2;
  } else {
    stage = 1;
    // The next commit makes new copies.
    placedCopies = nullptr;
    placedCount = 0;
  }
  BeginStage(x, y);
}

void CCopyTool::OnRButtonDown(int flags, int x, int y) {
  if (stage == 1) {
    CancelStage();
    RedrawAllViews();
    return;
  }
  if (stage == 0 && (flags & kMouseShift) != 0) {
    stage = 3;
    BeginStage(x, y);
  }
}

void CCopyTool::BeginStage(int x, int y) {
  const int mode = ActiveDisplayMode();
  DragRedrawFlag = mode < 101 ? 1 : 0;
  offsetX = offsetY = 0;
  M2 = kIdentityMatrix;
  BeginUndoStep();
  const bool havePlaced = placedCopies != nullptr && placedCopies->ObjectState > 0;
  if (stage != 1 && havePlaced && PickPlacedCopy(x, y)) {
    ApplyActiveViewProjection();
    const Vector3 screen = TransformPoint(MatrixRow(M1, 3), GetViewTransform());
    offsetX = static_cast<int>(screen.x + 0.5f) - x;
    offsetY = static_cast<int>(screen.y + 0.5f) - y;
    SetPlacedStates(kStateSelected, kStateBeingPlaced);
    if (mode > kDisplayFastShading) InvalidateChainBox(placedCopies, placedCount, kIdentityMatrix);
    RedrawAllViews();
    stage = 1;
  }
  if (stage == 1) {
    PositionAt(x + offsetX, y + offsetY);
    RedrawWithPreview();
    return;
  }
  M3 = M1;
  SnapDragPoint(&dragStart, x, y, 1);
  dragPoint = dragStart;
  SetPlacedStates(kStateSelected, kStateBeingPlaced);
  if (mode > kDisplayFastShading) {
    InvalidateChainBox(placedCopies, placedCount, kIdentityMatrix);
    RedrawAllViews();
  }
}

void CCopyTool::OnMouseMove(int, int x, int y) {
  if (stage == 0) return;
  if (stage == 1) {
    PositionAt(x + offsetX, y + offsetY);
    RedrawWithPreview();
    return;
  }
  if (placedCopies == nullptr || placedCopies->ObjectState <= 0) return;
  const int axis = SnapDragPoint(&dragPoint, x, y, 0);
  // Sizing and rolling act only along a locked axis.
  if (axis < 0) return;
  const double d = Coordinate(dragPoint, axis) - Coordinate(dragStart, axis);
  const double unit = GetGridStep(0);
  if (stage == 2) {
    const double f = std::fabs(d * 0.05 / unit + 1);
    if (f < kLeastSizeFactor) return;
    M2 = Uniform(static_cast<float>(f));
    ShowAmount(kSizingString, f);
  } else {
    const double degrees = d * 0.5 / unit;
    M2 = RotateXYZ(0, 0, static_cast<float>(degrees * std::numbers::pi / 180.0));
    ShowAmount(kRollingString, degrees);
  }
  RedrawWithPreview();
}

void CCopyTool::OnLButtonUp(int, int, int) {
  DragRedrawFlag = 0;
  if (stage == 0) return;
  const int mode = ActiveDisplayMode();
  if (stage == 1) {
    if (placedCopies != nullptr) {
      const Matrix4 T = MatMultiply(MatInverse(M1), M3);
      ForEachPlacedCopy([&T](CGeomObject* copy) {
        if (copy->ObjectState < 0) return;
        copy->ObjectState = kStateSelected;
        RecordUndo(copy, kUndoChanged);
        copy->Transform(T, 1);
      });
    } else {
      const Matrix4 T = MatMultiply(G(), M3);
      for (CGeomObject* source = objectsToPlace.head(); source != nullptr; source = source->next) {
        CGeomObject* copy = DuplicateObject(source);
        if (copy == nullptr) continue;
        if (placedCopies == nullptr) placedCopies = copy;
        ++placedCount;
        copy->ObjectState = kStateSelected;
        copy->Transform(T, 1);
      }
    }
    RecordUndo(&CopyState, kUndoChanged);
    hasPlaced_ = true;
    M1 = M3;
    StoreCopyState();
  } else if (placedCopies != nullptr && placedCopies->ObjectState >= 1) {
    // Sized or turned about the last placement.
    const Matrix4 T = MatMultiply(MatMultiply(MatInverse(M1), M2), M1);
    ForEachPlacedCopy([&T](CGeomObject* copy) {
      if (copy->ObjectState < 0) return;
      copy->ObjectState = kStateSelected;
      RecordUndo(copy, kUndoChanged);
      copy->Transform(T, 1);
    });
    RecordUndo(&CopyState, kUndoChanged);
    CopyState.placement = MatMultiply(G(), M2);
  }
  if (mode > kDisplayFastShading) {
    RefreshAllViews(0);
    InvalidateChainBox(objectsToPlace.head(), -1, MatMultiply(G(), M3));
  }
  stage = 0;
  RedrawAllViews();
}

void CCopyTool::DrawFeedback(int paneButtonBits) {
  if (paneButtonBits == 0) return;
  if (stage == 2 || stage == 3) {
    for (const int kind : {kPolylineMarkers, kPolylineOpen}) {
      BeginPolyline(kind);
      AddPolylineVertex(dragStart);
      AddPolylineVertex(dragPoint);
      EndPolyline();
    }
  }
  if (ToolPreviewList != nullptr) return;
  const Matrix4 saved = GetModelMatrix();
  MultiplyModelMatrix(MatMultiply(MatMultiply(G(), M2), M3));
  for (CGeomObject* object = objectsToPlace.head(); object != nullptr; object = object->next) object->Draw(0);
  SetModelMatrix(saved);
}

// A running stage ends without its commit first, so the copies it took are back in the scene.
void CCopyTool::Undo() {
  if (stage != 0) CancelStage();
  UndoCommand();
  if (hasPlaced_) ReadCopyState();
}

void CCopyTool::Redo() {
  if (stage != 0) CancelStage();
  RedoCommand();
  if (hasPlaced_) ReadCopyState();
}

void DoCutAndPaste() {
  // A tool made without an active viewport would be installed nowhere.
  if (GetActiveView() == nullptr) return;
  PushDeletedLevel();
  BeginUndoStep();
  ObjectChain clones;
  for (CGeomObject* object = nullptr; NextObject(object, kStateSelected, 0) != nullptr;) {
    std::unique_ptr<CGeomObject> clone = object->Clone();
    RecordUndo(object, kUndoChanged);
    object->ObjectState = -1;
    clone->materialName = object->materialName;
    clone->mappingKind = object->mappingKind;
    clone->mappingFrame = object->mappingFrame;
    // A clone keeps its source's next; the chain to place must end at its own last object.
    clone->next = nullptr;
    clones.Append(std::move(clone));
  }
  if (clones.empty()) {
    PopDeletedLevel();
    ShowMessageBox(GetLocalizedString(kNoObjectString));
    return;
  }
  auto* tool = new CCopyTool(clones);
  ShowToolPrompt(tool, GetLocalizedString(kCopyingString));
  RedrawAllViews();
}
