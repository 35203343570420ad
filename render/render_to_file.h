#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "services/data_dialog.h"

// The Render to File dialog. One instance serves the run, so each use opens with the values of
// the last.
class CRenderToFileDlg : public CDataDialog {
 public:
  static constexpr const char* kName = "RenderToFile";
  static constexpr int kFileEdit = 1301;
  static constexpr int kWidthEdit = 1302;
  static constexpr int kHeightEdit = 1303;
  static constexpr int kOutlineValueEdit = 1304;
  static constexpr int kMaxFileNameChars = 250;
  static constexpr int kMaxSide = 10000;
  static constexpr std::array<const char*, 7> kPictureSizes = {
      "100 x 100", "320 x 240", "640 x 480", "800 x 600", "1024 x 768", "1280 x 1024", "1600 x 1200"};
  const char* DialogName() const override { return kName; }

  // A size-list entry puts its numbers into the width and height texts, each only when above 0.
  void OnPictureSize(int index);
  // The save dialog for the picture's name; the other texts are read first and shown again.
  void OnImageFile();

  std::string fileName = "vorn";
  int width = 640;
  int height = 480;
  int outline = 0;
  int outlineValue = 10;
  int antiAliasing = 2;                      // samples per pixel side - 1
  std::uint32_t backgroundColour = 0xE4E4E4;  // COLORREF
  // Tells the view that texts changed under it.
  std::function<void()> onChanged;

 protected:
  void DoDataExchange(DataExchange& dx) override;

 private:
  int filterIndex_ = 1;
};

CRenderToFileDlg& RenderToFileDialog();
void ResetRenderToFileDialog();

// Misc > Render to file: renders what the active view shows into the picture the dialog names
// and opens it in the desktop's viewer. A name ending in ".jpg" (any case) is rendered as a BMP in
// the user's exchange folder first and converted; any other name without an extension gets
// ".bmp", and one with another extension is written as a BMP under that name. A picture that
// could not be written is named in a message box; one that no program opens, in the status bar.
void OnRenderToFile();
