#pragma once

#include <functional>
#include <string>

#include "services/data_dialog.h"

// The Background Image dialog: a blank background or a BMP picture in one of the six fits, with
// the centre and scale of the locked fit. One instance serves the run, so its values persist
// between uses of the command.
class CBackgroundImageDlg : public CDataDialog {
 public:
  static constexpr const char* kName = "BackgroundImage";
  static constexpr int kFileEdit = 1301;
  static constexpr int kCentreXEdit = 1302;
  static constexpr int kCentreYEdit = 1303;
  static constexpr int kScaleEdit = 1305;
  static constexpr int kMaxFileNameChars = 256;
  // The result with which "Image centre" closes the dialog; nothing is applied.
  static constexpr int kPickCentreResult = 1002;
  const char* DialogName() const override { return kName; }

  // The user changed the scale text: a new non-zero scale over a non-zero old one scales the
  // centre with it. No messages: they would stop the typing.
  void OnScaleEdited();
  void OnReset();
  void OnBrowse();
  // Keeps what was typed, chooses the picture in the locked fit and starts the point pick that
  // runs the command again. The view then closes with kPickCentreResult.
  void OnImageCentre();

  int imageChoice = 0;  // 0 blank, 1 the picture
  std::string fileName = "vorn";
  int fitMode = 0;
  float centre[3] = {0, 0, 0};  // horizontal, vertical, depth of the view
  float scale = 25.0f;
  // Where the point pick leaves the picked spot: the view's horizontal and vertical world
  // coordinates, then 0.
  float pickedPoint[3] = {0, 0, 0};
  // Tells the view that texts or choices changed under it.
  std::function<void()> onChanged;

 protected:
  void DoDataExchange(DataExchange& dx) override;

 private:
  void Changed() const {
    if (onChanged) onChanged();
  }
};

// Command 3000: takes a picked centre in, runs the dialog and applies it on OK.
void RunBackgroundImageDialog();
// The instance, created on first use (for the view's tests).
CBackgroundImageDlg& BackgroundImageDialog();
void ResetBackgroundImageDialog();
