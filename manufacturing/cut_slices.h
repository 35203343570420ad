#pragma once

#include <array>
#include <string>
#include <vector>

#include "services/data_dialog.h"

// The rapid-prototyping hand-off in progress: 0 none, 3 and 4 the machines of that index. The
// hand-off commands set it; Cut into Slices records the slice file it wrote while one is set.
extern int HandOffMode;
extern std::string LastSliceFile;

struct RpMachine {
  const char* name;
  // In mm; the list ends at the first value that is not positive.
  std::array<float, 20> thicknesses;
};
inline constexpr std::array<RpMachine, 6> RpMachineThicknesses = {{
    {"Solidscape", {0.0127f, 0.0254f, 0.0381f, 0.0508f, 0.0762f}},
    {"3D Systems Viper", {0.01f, 0.02f, 0.05f, 0.1f, 0.2f, 0.5f}},
    {"3D Systems Invision HR", {0.0254f}},
    {"EnvisionTec Perfactory", {0.01f, 0.015f, 0.02f, 0.025f, 0.05f}},
    {"OBJET Eden System", {0.016f}},
    {"Next Factory DigitalWax", {0.02f, 0.03f, 0.04f, 0.05f, 0.06f}},
}};

inline constexpr float kInchesPerMm = 0.03937007874015748f;

class CCutSlicesDlg : public CDataDialog {
 public:
  static constexpr char kName[] = "Cutting into Slices";
  static constexpr int kCaptionString = 33100;
  static constexpr int kFileEdit = 1000;
  static constexpr int kThicknessEdit = 1001;
  static constexpr int kResolutionEdit = 1002;
  static constexpr int kHatchingIntervalEdit = 1003;
  static constexpr int kHatchingLayersEdit = 1004;
  static constexpr int kZRevisionEdit = 1005;
  static constexpr std::array<const char*, 2> kUnits = {"mm", "inch"};
  static constexpr std::array<const char*, 6> kResolutions = {"0.00635", "0.0127", "0.0254", "0.025", "0.05", "0.1"};
  static constexpr char kSliceFilter[] = "Slice Files (*.slc)|*.slc|All Files (*.*)|*.*|";
  const char* DialogName() const override { return kName; }
  // Fills the thickness list; with a hand-off mode set, takes its machine and sets the controls.
  void OnInitDialog() override;
  void SetUnit(int newUnit);
  void SetMachine(int newMachine);
  // "ASCII" or "Binary" also checks "Also output STL file".
  void ChooseStlKind(int kind);

  std::string fileName = "vorn";
  int modelUnitScale = 0;
  int unit = 0;
  float thickness = 0.0f;
  float xyResolution = 0.0254f;
  int autoXyOffset = 0;
  int autoZOffset = 0;
  int alsoStl = 0;
  int stlKind = 0;
  int advanced = 0;
  int direction = 0;
  int machine = 0;
  // The "meiko" form's raster NC program. The Z revision is kept, though nothing reads it.
  int meikoNc = 0;
  float hatchingInterval = 0.05f;
  int hatchingLayers = 4;
  float zRevision = 1.0f;

  // The thickness list: the machine's values in "%g", in inches when the unit is.
  std::vector<std::string> thicknessEntries;
  // Control states the view follows.
  bool machineEnabled = true;
  bool fileVisible = true;
  bool thicknessEnabled = true;
  bool advancedEnabled = true;

 protected:
  void DoDataExchange(DataExchange& dx) override;

 private:
  // Refills the list; the first entry goes into the field when asked or when the field does not
  // read as a number above 0.
  void FillThicknessList(bool takeFirst);
};

// Cut into Slices: slices the visible design for the chosen machine, optionally with an STL and,
// with "meiko" in the settings, a raster NC program written only after a successful slicing.
void CutIntoSlices();
void ResetCutSlices();
