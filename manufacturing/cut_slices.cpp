#include "manufacturing/cut_slices.h"

#include "exchange/number_format.h"
#include "manufacturing/slc_raster_nc.h"
#include "manufacturing/slc_to_mesh.h"
#include "manufacturing/slice_file_path.h"
#include "manufacturing/slicer.h"
#include "platform/program_folder.h"
#include "scene/tool_framework.h"
#include "services/app_settings.h"
#include "services/file_names.h"
#include "services/ui_utilities.h"

int HandOffMode = 0;
std::string LastSliceFile;

namespace {

CCutSlicesDlg keptDialog;

constexpr float kDefaultResolution = 0.0254f;
constexpr float kMmPerInch = 25.4f;

}  // namespace

void CCutSlicesDlg::DoDataExchange(DataExchange& dx) {
  DDX_Text(dx, kFileEdit, fileName);
  DDX_Text(dx, kThicknessEdit, thickness);
  DDV_MinMaxFloat(dx, thickness, 0.0001f, 10000.0f);
  DDX_Text(dx, kResolutionEdit, xyResolution);
  DDV_MinMaxFloat(dx, xyResolution, 0.0001f, 10000.0f);
  if (CfgMeiko != 1) return;
  // The hatching interval divides the raster step, so it gets a range of its own.
  DDX_Text(dx, kHatchingIntervalEdit, hatchingInterval);
  DDV_MinMaxFloat(dx, hatchingInterval, 0.001f, 1000.0f);
  DDX_Text(dx, kHatchingLayersEdit, hatchingLayers);
  DDV_MinMaxInt(dx, hatchingLayers, 1, 10000);
  DDX_Text(dx, kZRevisionEdit, zRevision);
  DDV_MinMaxFloat(dx, zRevision, 0.1f, 10.0f);
}

void CCutSlicesDlg::FillThicknessList(bool takeFirst) {
  thicknessEntries.clear();
  const RpMachine& rp = RpMachineThicknesses[static_cast<std::size_t>(machine)];
  for (const float value : rp.thicknesses) {
    if (!(value > 0)) break;
    thicknessEntries.push_back(GeneralText(unit == 1 ? double(value) * 0.03937007874015748 : double(value)));
  }
  float typed = 0;
  const bool readsPositive = ParseFloatText(texts[kThicknessEdit], &typed) && typed > 0;
  if ((takeFirst || !readsPositive) && !thicknessEntries.empty()) texts[kThicknessEdit] = thicknessEntries.front();
}

void CCutSlicesDlg::OnInitDialog() {
  CDataDialog::OnInitDialog();
  const bool handOff = HandOffMode == 3 || HandOffMode == 4;
  if (handOff) machine = HandOffMode;
  machineEnabled = !handOff;
  fileVisible = !handOff || HandOffMode == 4;
  thicknessEnabled = !handOff || HandOffMode == 3;
  advancedEnabled = !handOff;
  FillThicknessList(handOff);
}

void CCutSlicesDlg::SetUnit(int newUnit) {
  unit = newUnit == 1 ? 1 : 0;
  FillThicknessList(false);
}

void CCutSlicesDlg::SetMachine(int newMachine) {
  if (newMachine < 0 || newMachine >= static_cast<int>(RpMachineThicknesses.size())) return;
  machine = newMachine;
  FillThicknessList(true);
}

void CCutSlicesDlg::ChooseStlKind(int kind) {
  stlKind = kind == 1 ? 1 : 0;
  alsoStl = 1;
}

void CutIntoSlices() {
  CCutSlicesDlg dialog = keptDialog;
  if (RunModalDialog(dialog) != kAnswerOk) return;
  keptDialog = dialog;
  SetSliceFilePath(dialog.fileName);
  ResetToPickTool();
  WaitCursor wait;
  const float outputScale = dialog.unit == 1 ? kInchesPerMm : 1.0f;
  const std::string slicePath = HandOffMode == 3 ? GetExchangeFolder() + "lumidrex.slc"
                                                 : AddExtensionIfMissing(dialog.fileName, "slc");
  const float thicknessMm = dialog.unit == 1 ? dialog.thickness * kMmPerInch : dialog.thickness;
  const bool advanced = dialog.advanced != 0;
  const float resolution = advanced ? dialog.xyResolution : kDefaultResolution;
  const int fixedOrigin = advanced ? dialog.autoXyOffset : 0;
  const int fromZero = advanced ? dialog.autoZOffset : 0;
  // A hand-off into the exchange folder needs one; without it the slicing fails like any other.
  const bool sliceable = HandOffMode != 3 || !GetExchangeFolder().empty();
  const int sliced = sliceable ? WriteSlicesFile(slicePath, dialog.unit, thicknessMm, resolution, 1.0f, 1.0f, 1.0f,
                                                 1.0f, outputScale, fixedOrigin, fromZero, 0)
                               : -1;
  // A failed slicing leaves no slice file of this run to convert.
  if (sliced < 0) return;
  const std::string base = CutShortExtension(dialog.fileName);
  if (advanced && dialog.alsoStl != 0) {
    ConvertSlcToMesh(slicePath, AddExtensionIfMissing(base, "stl"), dialog.stlKind, 1, 0);
  }
  if (HandOffMode != 0) LastSliceFile = slicePath;
  if (CfgMeiko == 1 && dialog.meikoNc != 0) {
    SliceSetup(slicePath, AddExtensionIfMissing(base, "nc"), dialog.hatchingInterval, dialog.hatchingLayers,
               thicknessMm);
  }
}

void ResetCutSlices() {
  keptDialog = CCutSlicesDlg();
  HandOffMode = 0;
  LastSliceFile.clear();
}
