#pragma once

#include <functional>

#include "platform/ui_services.h"
#include "services/layer_table.h"

// The Layers dialog: edits a working copy of the layer table, which reaches the live table only
// on OK, and loads or saves it as a layer file. The view binds its 20 rows (name, pickable,
// visible, colour button) to the working copy.
class CLayersDlg : public DialogModel {
 public:
  static constexpr const char* kName = "Layers";
  const char* DialogName() const override { return kName; }

  void OnInitDialog() override;
  void OnOK() override;
  void OnSaveLayerFile();
  void OnLoadLayerFile();

  LayerSet working;
  int selectedLayer = 0;
  int moveOption = 1;
  // Tells the view that the working copy changed under it (after a load).
  std::function<void()> onWorkingCopyChanged;
};

void ResetLayersDialog();
