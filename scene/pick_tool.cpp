#include "scene/pick_tool.h"

#include <string>

#include "app/core/layer_table.h"
#include "app/core/string_table.h"
#include "app/core/ui_utilities.h"
#include "scene/point_selection.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/tool_framework.h"
#include "scene/undo_history.h"

namespace {

constexpr int kPickingString = 10040;        // "Picking..."
constexpr int kPickingCVsString = 10041;     // "Picking CV's..."
constexpr int kPickingTLinesString = 10042;  // "Picking T-Lines..."
constexpr int kPickedObjectsString = 10138;  // "picked objects"

// Every selected object of the kind (0: any but axis lines) goes back to shown, each with an
// undo record.
void DeselectAll(int kind) {
  CGeomObject* cursor = nullptr;
  while (CGeomObject* object = NextObject(cursor, 1, kind)) {
    if (kind == 0 && object->GetKind() == kKindAxisLine) continue;
    RecordUndo(object, kUndoChanged);
    object->ObjectState = 0;
  }
}

// The prompt, then the tool as default tool (also without an active viewport), then its cursor.
template <class Make>
void StartPickVariant(int statusString, Make make) {
  ShowStatusText(GetLocalizedString(statusString));
  StoreDefaultTool(make());
  SetToolCursor();
}

}  // namespace

void CPickTool::ResetBox() { x0 = y0 = x1 = y1 = 0; }

void CPickTool::OnLButtonDblClk(int flags, int, int) {
  if ((flags & kMouseRightButton) == 0) return;
  ResetBox();
  BeginUndoStep();
  if ((flags & kMouseShift) != 0 || pointMode == 1) {
    CGeomObject* cursor = nullptr;
    while (CGeomObject* object = NextObject(cursor, 0, 0)) ClearPointSelection(object, 1);
    RedrawAllViews();
    return;
  }
  DeselectAll(0);
  RedrawAllViews();
  ShowPickedCount(0);
}

void CPickTool::Undo() { UndoCommand(); }

void CPickTool::Redo() { RedoCommand(); }

void CTLinePickTool::OnLButtonDblClk(int flags, int, int) {
  if ((flags & kMouseRightButton) == 0) return;
  BeginUndoStep();
  DeselectAll(kKindAxisLine);
  RedrawAllViews();
}

void StartPickCVs() {
  StartPickVariant(kPickingCVsString, [] {
    auto* tool = new CPickTool();
    tool->pointMode = 1;
    return tool;
  });
}

void StartPickTLines() {
  StartPickVariant(kPickingTLinesString, [] { return new CTLinePickTool(); });
}

void ShowPickedCount(int count) {
  ShowStatusText(GetLocalizedString(kPickingString) + " (" + std::to_string(count) + " " +
                 GetLocalizedString(kPickedObjectsString) + ")");
}

int CountPickedObjects() {
  int count = 0;
  CGeomObject* cursor = nullptr;
  while (CGeomObject* object = NextObject(cursor, 1, 0)) {
    if (IsLayerPickable(object->layer)) ++count;
  }
  return count;
}
