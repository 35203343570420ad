#include "modelling/layer_command.h"

#include <algorithm>

#include "kernel/geom_object.h"
#include "scene/point_selection.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/tool_framework.h"
#include "scene/undo_history.h"
#include "services/layer_table.h"
#include "services/layers_dialog.h"

namespace {

bool OnUsableLayer(const CGeomObject& object) {
  return IsLayerVisible(object.layer) != 0 && IsLayerPickable(object.layer) != 0;
}

}  // namespace

void RunLayerDialog() {
  CLayersDlg dialog;
  dialog.selectedLayer = CurrentLayer;
  dialog.moveOption = 1;
  if (RunModalDialog(dialog) != kAnswerOk) return;
  CurrentLayer = std::clamp(dialog.selectedLayer, 0, kLayerCount - 1);
  for (int i = 0; i < kLayerCount; ++i) {
    // The views draw in LayerColors, and the profile keeps them.
    LayerColors[i] = LayerTable[i].color;
    if (LayerTable[i].visible == 0) LayerTable[i].pickable = 0;
  }
  LayerTable[CurrentLayer].visible = 1;
  LayerTable[CurrentLayer].pickable = 1;
  ResetToPickTool();
  if (dialog.moveOption != 0) {
    CGeomObject* cursor = nullptr;
    while (CGeomObject* object = NextObject(cursor, kStateSelected, 0)) {
      RecordUndo(object, kUndoChanged);
      object->ObjectState = kStateShown;
      object->layer = CurrentLayer;
    }
  }
  // Nothing stays selected or marked where it can be neither seen nor picked. Higher states,
  // removed curves among them, become plain hidden objects.
  for (CGeomObject* object = TheScene.head; object != nullptr; object = object->next) {
    if (object->ObjectState < 0 || OnUsableLayer(*object)) continue;
    object->ObjectState = object->ObjectState <= kStateSelected ? kStateShown : 2;
    ClearPointSelection(object, 0);
  }
  RedrawAllViews();
}
