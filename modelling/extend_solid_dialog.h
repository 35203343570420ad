#pragma once

#include "services/data_dialog.h"

// The direction a facet object is extended along to make it a solid; kept for the run.
class CExtendToSolidDlg : public CDataDialog {
 public:
  static constexpr char kName[] = "Extend Facet Object to Solid";
  static constexpr int kCaptionString = 33000;
  static constexpr int kSetupString = 33001;
  // "Setup" ends the dialog with this answer once the values check.
  static constexpr int kAnswerSetup = 1001;
  static constexpr int kEdits[3] = {1000, 1001, 1002};
  const char* DialogName() const override { return kName; }
  float direction[3] = {0.0f, 0.0f, 0.0f};

 protected:
  void DoDataExchange(DataExchange& dx) override;
};

// OK extends along the typed direction; "Setup" lets the user drag it in a view, which runs the
// command again with the dragged direction in the dialog.
void OnExtendToSolid();
void ResetExtendToSolidDialog();
