#pragma once

#include <array>
#include <vector>

#include "kernel/matrix4.h"
#include "kernel/vector3.h"
#include "platform/ui_services.h"

// One cut of the chooser: its text, the gem library prototype and the proportions it gets.
struct JewelCut {
  int textKey;
  int libraryIndex;
  Vector3 scale;
  const char* material;
};

inline constexpr int kJewelCutCount = 8;
inline constexpr int kRoundCutIndex = 0;
inline constexpr int kTaperCutIndex = 7;
// The round cut's scale comes from the size dialog; the taper keeps the library's placement.
inline constexpr std::array<JewelCut, kJewelCutCount> kJewelCuts = {{
    {10114, 0, {0.5f, 0.5f, 0.5f}, "Diamond"},
    {10116, 1, {0.746f, 0.36f, 0.746f}, "Diamond"},
    {10117, 2, {0.5f, 0.375f, 0.5f}, "Diamond"},
    {10118, 3, {0.538f, 0.564f, 0.538f}, "Diamond"},
    {10119, 8, {0.8f, 0.8f, 0.8f}, "Diamond"},
    {10123, 4, {0.5f, 0.5f, 0.5f}, "DiamSqr"},
    {10122, 9, {0.5747126f, 0.5747126f, 0.5747126f}, "Diamond"},
    {10121, 5, {1.0f, 1.0f, 1.0f}, "DiamSqr"},
}};

// A line of a cut's picture, in pixels of the picture, y downwards.
struct PictureLine {
  float x0, y0, x1, y1;
};
// The face edges of a cut's prototype seen from above; empty when the prototype is missing.
using CutPicture = std::vector<PictureLine>;

// The cut chooser: eight entries with their pictures; chosen is kept for the run, so the list
// opens on the entry chosen last.
class CJewelTypeDlg : public DialogModel {
 public:
  static constexpr char kName[] = "Jewel";
  static constexpr int kCaptionString = 31700;
  static constexpr int kPictureSize = 50;
  static constexpr int kPictureMargin = 3;

  const char* DialogName() const override { return kName; }
  // Draws the pictures at first use.
  void OnInitDialog() override;

  int chosen = 0;
  std::array<CutPicture, kJewelCutCount> pictures;
  bool picturesMade = false;
};

extern CJewelTypeDlg JewelTypeDialog;

// The cut's proportions on the diagonal of the identity; the taper's are 1.
Matrix4 CutScale(const JewelCut& cut);

// The picture of a cut: the prototype's face edges under its proportions, projected onto x-y and
// fitted into the picture square within its margin.
CutPicture DrawCutPicture(const JewelCut& cut);
// Start-up values of the chooser kept for the run.
void ResetJewelTypeDialog();
