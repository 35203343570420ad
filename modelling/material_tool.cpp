#include "modelling/material_tool.h"

#include <optional>

#include "kernel/boolean_object.h"
#include "kernel/geom_object.h"
#include "kernel/name_pool.h"
#include "render/current_material.h"
#include "render/material_browser.h"
#include "render/material_editor.h"
#include "scene/object_picking.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/tool_framework.h"
#include "scene/undo_history.h"
#include "services/file_names.h"
#include "services/ui_utilities.h"

namespace {

constexpr int kEditMaterialCommand = 2601;
constexpr int kRed = 255;

void GiveMaterial(CGeomObject* object, const std::string* name) {
  if (object->GetKind() == kKindBoolean) {
    for (CGeomObject* member = static_cast<CBooleanObject*>(object)->members.head(); member != nullptr;
         member = member->next) {
      GiveMaterial(member, name);
    }
    return;
  }
  RecordUndo(object, kUndoChanged);
  object->materialName = name;
  object->MarkChanged();
}

}  // namespace

void CMaterialPickTool::OnLButtonDown(int, int x, int y) { picked_ = PickObjectAt(x, y, 0, kRed); }

void CMaterialPickTool::OnLButtonUp(int, int, int) {
  CGeomObject* picked = picked_;
  picked_ = nullptr;
  if (picked == nullptr) return;
  *nameBuffer_ = picked->materialName != nullptr ? *picked->materialName : std::string();
  // Retires this tool: nothing of it is touched from here on.
  ResetToPickTool();
  SendCommand(kEditMaterialCommand);
}

void StartMaterialTool(int pick, std::string* name) {
  if (pick != 0) {
    if (GetActiveView() != nullptr) new CMaterialPickTool(name);
    return;
  }
  const std::string* pooled = PoolName(*name);
  BeginUndoStep();
  for (CGeomObject* object = nullptr; NextObject(object, kStateSelected, 0) != nullptr;) GiveMaterial(object, pooled);
  RedrawAllViews();
}

void OnMaterial() {
  const std::optional<std::string> chosen = ChooseMaterialFile();
  if (!chosen) return;
  ResetToPickTool();
  CurrentMaterialName() = StripExtensionIf(*chosen, "mtl").name;
  StartMaterialTool(0, &CurrentMaterialName());
}

void OnEditMaterial() {
  CEditMaterialDlg& dialog = EditMaterialDialog();
  dialog.LoadMaterial(StripExtensionIf(CurrentMaterialName(), "mtl").name);
  const int result = RunModalDialog(dialog);
  if (result != kAnswerOk && result != CEditMaterialDlg::kGetObjectMaterialResult) return;
  CurrentMaterialName() = StripExtensionIf(dialog.materialName, "mtl").name;
  // An unsaved material makes no picture, but the name still goes where the user asked.
  if (result == kAnswerOk && dialog.SaveMaterial() && dialog.generateImage) MakeMaterialPreview(CurrentMaterialName());
  ResetToPickTool();
  StartMaterialTool(result == kAnswerOk ? 0 : 1, &CurrentMaterialName());
}
