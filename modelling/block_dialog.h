#pragma once

#include <string>

#include "services/data_dialog.h"

// What the Create Block from curves dialog hands over: end types (0 sharp, 1 fillet, 2 chamfer),
// the fillet or chamfer radius and the thickness.
struct BlockFromCurvesParams {
  int frontEndType = 0;
  int backEndType = 0;
  float radius = 1.0f;
  float thickness = 1.0f;
};

class CBlockFromCurvesDlg : public CDataDialog {
 public:
  static constexpr char kName[] = "Create Block from curves";
  static constexpr int kRadiusEdit = 1301;
  static constexpr int kThicknessEdit = 1302;
  const char* DialogName() const override { return kName; }
  // The sizes stay as typed; OK needs each to read as a number, which values then holds.
  std::string radiusText = "1";
  std::string thicknessText = "1";
  BlockFromCurvesParams values;

 protected:
  void DoDataExchange(DataExchange& dx) override;
};

// Runs the dialog kept for the run on a copy, which it keeps at OK; returns kAnswerOk or
// kAnswerCancel.
int RunBlockFromCurvesDialogModal();
// The dialog's last values.
BlockFromCurvesParams GetBlockFromCurvesParams();
void ResetBlockFromCurvesDialog();

// Create Block from curves: at OK, the pick tool, then the selected curves become a block with
// the dialog's values across the active view.
void OnMakeBlockFromCurves();
