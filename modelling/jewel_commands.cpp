#include "modelling/jewel_commands.h"

#include <memory>
#include <string>

#include "kernel/gem_object.h"
#include "kernel/matrix4.h"
#include "modelling/jewel_type_dialog.h"
#include "modelling/round_diamond_size_dialog.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/tool_framework.h"

namespace {

const std::string* MaterialNamed(const char* name) {
  static const std::string diamond = "Diamond";
  static const std::string diamondSquare = "DiamSqr";
  return name == diamondSquare ? &diamondSquare : &diamond;
}

void MakeTaper() {
  const JewelCut& cut = kJewelCuts[kTaperCutIndex];
  auto instance = std::make_unique<CGemObject>();
  instance->SetLibraryIndex(cut.libraryIndex);
  CGeomObject* prototype = instance.get();
  Matrix4 placement;
  ResolveGemInstance(prototype, &placement);
  // A missing or short library has no taper: nothing to copy.
  if (prototype == nullptr) return;
  CGeomObject* copy = DuplicateObject(prototype);
  if (copy == nullptr) return;
  copy->jewel = 1;
  copy->Transform(placement, 1);
  copy->materialName = MaterialNamed(cut.material);
  RedrawAllViews();
}

}  // namespace

int JewelCodeOfListIndex(int listIndex) {
  if (listIndex == kTaperCutIndex) return kTaperJewelCode;
  return kJewelCuts[static_cast<std::size_t>(listIndex)].libraryIndex;
}

void OnJewel() {
  if (RunModalDialog(JewelTypeDialog) != kAnswerOk) return;
  const int chosen = JewelTypeDialog.chosen;
  if (chosen < 0 || chosen >= kJewelCutCount) return;
  MakeJewel(JewelCodeOfListIndex(chosen));
}

void MakeJewel(int code) {
  ResetToPickTool();
  if (code == kTaperJewelCode) {
    MakeTaper();
    return;
  }
  const JewelCut* cut = nullptr;
  for (int i = 0; i < kJewelCutCount; ++i) {
    if (i != kTaperCutIndex && kJewelCuts[i].libraryIndex == code) cut = &kJewelCuts[i];
  }
  if (cut == nullptr) return;
  Matrix4 scale = CutScale(*cut);
  if (cut == &kJewelCuts[kRoundCutIndex]) {
    const float diameter = AskRoundDiamondSize();
    if (!(diameter > 0.0f)) return;
    const JewelCut round = {cut->textKey, cut->libraryIndex, {diameter / 2, diameter / 2, diameter / 2}, cut->material};
    scale = CutScale(round);
  }
  auto made = std::make_unique<CGemObject>();
  CGemObject* gem = AddObject(made, 1);
  if (gem == nullptr) return;
  gem->SetLibraryIndex(code);
  gem->materialName = MaterialNamed(cut->material);
  gem->Transform(scale, 1);
  RedrawAllViews();
}
