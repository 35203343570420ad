#pragma once

#include "modelling/curve_dialogs.h"
#include "services/data_dialog.h"

// The Surface menu's parameter dialogs. Each keeps its values for the run; at OK the command
// resets to the pick tool and hands them to its worker.

class CSurfaceStepDlg : public CDataDialog {
 public:
  static constexpr char kName[] = "Surface Step";
  static constexpr int kUStepEdit = 1301;
  static constexpr int kVStepEdit = 1302;
  static constexpr int kMaxSteps = 256;
  const char* DialogName() const override { return kName; }
  // The user moved the focus into a step field: its direction is to be changed.
  void OnStepFieldFocused(int id);
  int uOn = 0;
  int vOn = 0;
  int uSteps = 8;
  int vSteps = 8;
  // 0 the number as given, 1 increasing ratio, 2 decreasing ratio.
  int way = 0;

 protected:
  void DoDataExchange(DataExchange& dx) override;
};

// Ends with one of three buttons, not OK: the mode (1 one section, 2 two sections, 3 circular
// section) is the result, and Escape leaves it at none.
class CPipeSurfaceDlg : public CDataDialog {
 public:
  static constexpr char kName[] = "Pipe Surface";
  static constexpr int kSizeEdit = 1301;
  static constexpr int kNoMode = 0;
  const char* DialogName() const override { return kName; }
  void OnInitDialog() override;
  // Reads and checks the fields as OK would; true, with the mode kept, when the dialog may end.
  bool PressMode(int pressed);
  // The size names a diameter (kind 0) or a radius (kind 1).
  float Radius() const { return sizeKind == 1 ? size : size / 2.0f; }
  int mode = kNoMode;
  int vertical = 0;
  float size = 2.0f;
  int sizeKind = 0;

 protected:
  void DoDataExchange(DataExchange& dx) override;
};

// The number field and its list are those of Divide Curves; the way picks the directions.
class CDivideSurfaceDlg : public CDivideCurvesDlg {
 public:
  static constexpr char kName[] = "Divide Surface";
  const char* DialogName() const override { return kName; }
  // 0 both, 1 the U curves, 2 the V curves.
  int way = 0;
};

struct KeptSurfaceDialogs {
  CSurfaceStepDlg step;
  CPipeSurfaceDlg pipe;
  CDivideSurfaceDlg divide;
  // The curve Offset dialog again, with values of its own.
  COffsetDlg offset;
};
extern KeptSurfaceDialogs SurfaceDialogs;
void ResetSurfaceDialogs();

void RunSurfaceStepDialog();
// Only a mode button goes on: Escape and the close box leave the tool and the scene alone.
void RunPipeSurfaceDialog();
void RunDivideSurfaceDialog();
void RunSurfaceOffsetDialog();
