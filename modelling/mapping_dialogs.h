#pragma once

#include "kernel/vector3.h"
#include "services/data_dialog.h"

// Project Mapping: the direction (Top, Bottom, Left, Right, or 4 for the typed vector), the
// placement, the kept sections and the vector in view terms.
class CProjectMapDlg : public CDataDialog {
 public:
  static constexpr char kName[] = "ProjectMap";
  static constexpr int kArbitraryButton = 1001;
  static constexpr int kVectorEdits[3] = {1302, 1303, 1304};
  static constexpr int kArbitraryDirection = 4;

  const char* DialogName() const override { return kName; }
  // The user typed into a vector box: the typed vector is the direction. Texts stay as typed.
  void OnVectorEdited();
  // "Arbitrary": true when the fields check and the dialog ends with kArbitraryButton.
  bool PressArbitrary();

  int direction = 0;
  int placement = 0;
  int keepSections = 0;
  float vector[3] = {0.0f, 1.0f, 0.0f};

 protected:
  void DoDataExchange(DataExchange& dx) override;
};

// UVMap: the source rectangle, automatic direction and extent, the direction, uniform spacing
// along curves and the target choice (0 one picked target, 1 every shown curve and surface).
class CUvMapDlg : public CDataDialog {
 public:
  static constexpr char kName[] = "UvMap";
  static constexpr int kExtentButton = 1003;
  static constexpr int kRectangleEdits[4] = {1301, 1302, 1303, 1304};

  const char* DialogName() const override { return kName; }
  // A user's click on a direction or edit of a rectangle box: the choice is no longer automatic.
  void OnUserChange();
  // "Mapping direction and extent": true when the fields check and the dialog ends with
  // kExtentButton.
  bool PressMappingExtent();

  float x0 = 0.0f;
  float x1 = 10.0f;
  float y0 = 0.0f;
  float y1 = 10.0f;
  int automatic = 1;
  int direction = 0;
  int uniform = 1;
  int targetChoice = 0;

 protected:
  void DoDataExchange(DataExchange& dx) override;
};

// The commands' own values: the last vector and the rectangle's corners. Tools that hand a
// result back keep pointers to them.
extern float ProjectMapVector[3];
extern Vector3 UvMapCornerA;
extern Vector3 UvMapCornerB;

CProjectMapDlg& ProjectMapDialog();
CUvMapDlg& UvMapDialog();

void OnProjectMap();
void OnUvMap();

// The dialogs, the commands' values and the mapping state as at start-up.
void ResetMappingCommands();
