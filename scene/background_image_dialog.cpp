#include "scene/background_image_dialog.h"

#include <cstdio>
#include <memory>
#include <optional>

#include "scene/input_tools.h"
#include "scene/view_axis.h"
#include "scene/view_background.h"
#include "services/file_names.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

namespace {

constexpr int kBackgroundCommand = 3000;
constexpr char kBmpFilter[] = "BMP Files (*.bmp)|*.bmp|All Files (*.*)|*.*|";

std::unique_ptr<CBackgroundImageDlg>& Instance() {
  static std::unique_ptr<CBackgroundImageDlg> dialog;
  return dialog;
}

// The sign with which the active view shows each of its screen axes' world axes.
void ViewAxes(int axes[3], int signs[3]) {
  for (int k = 0; k < 3; ++k) axes[k] = GetViewAxis(k, &signs[k]);
}

// Says why the chosen picture shows nothing: the file does not open, or it is no picture the
// reader takes.
void ReportUnloadedPicture(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file != nullptr) std::fclose(file);
  ShowFileMessage(file == nullptr ? kCannotOpenMessage : kInvalidFileFormatMessage, path);
}

}  // namespace

void CBackgroundImageDlg::DoDataExchange(DataExchange& dx) {
  DDX_Text(dx, kFileEdit, fileName);
  DDV_MaxChars(dx, fileName, kMaxFileNameChars);
  DDX_Text(dx, kCentreXEdit, centre[0]);
  DDX_Text(dx, kCentreYEdit, centre[1]);
  DDX_Text(dx, kScaleEdit, scale);
  DDV_MinMaxFloat(dx, scale, 1.0f, 10000.0f);
}

void CBackgroundImageDlg::OnScaleEdited() {
  const float oldScale = scale;
  float newScale = 0;
  if (!ParseFloatText(texts[kScaleEdit], &newScale) || newScale == 0 || oldScale == 0) return;
  ReadBackQuietly();
  for (float& c : centre) c *= newScale / oldScale;
  texts[kCentreXEdit] = FormatFloatText(centre[0]);
  texts[kCentreYEdit] = FormatFloatText(centre[1]);
  Changed();
}

void CBackgroundImageDlg::OnReset() {
  for (float& c : centre) c = 0;
  scale = 25.0f;
  texts[kCentreXEdit] = texts[kCentreYEdit] = FormatFloatText(0);
  texts[kScaleEdit] = FormatFloatText(scale);
  Changed();
}

void CBackgroundImageDlg::OnBrowse() {
  static int filterIndex = 1;
  const std::optional<std::string> path = FileDialogPrompt(1, &filterIndex, kBmpFilter, {}, {});
  if (!path) return;
  imageChoice = 1;
  texts[kFileEdit] = *path;
  Changed();
}

void CBackgroundImageDlg::OnImageCentre() {
  ReadBackQuietly();
  imageChoice = 1;
  fitMode = kFitLockedToView;
  StartPointPick(pickedPoint, kBackgroundCommand);
  SetToolCursor();
}

CBackgroundImageDlg& BackgroundImageDialog() {
  auto& dialog = Instance();
  if (!dialog) dialog = std::make_unique<CBackgroundImageDlg>();
  return *dialog;
}

void RunBackgroundImageDialog() {
  CBackgroundImageDlg& dialog = BackgroundImageDialog();
  int axes[3], signs[3];
  ViewAxes(axes, signs);
  // The pick gives world coordinates without the screen axes' signs; the centre is measured
  // along the screen axes, so the picked spot lands on the origin in every view.
  for (int k = 0; k < 3; ++k) {
    dialog.centre[k] -= static_cast<float>(signs[k]) * dialog.pickedPoint[k];
    dialog.pickedPoint[k] = 0;
  }
  if (RunModalDialog(dialog) != kAnswerOk) return;
  ViewAxes(axes, signs);
  float anchor[3] = {0, 0, 0};
  for (int k = 0; k < 3; ++k) anchor[axes[k]] = dialog.centre[k] * static_cast<float>(signs[k]);
  dialog.fileName = AddExtensionIfMissing(dialog.fileName, "bmp");
  SetBackgroundOptions(anchor[0], anchor[1], anchor[2], dialog.scale);
  if (dialog.imageChoice == 0) {
    SetBackgroundImage(std::nullopt, dialog.fitMode);
  } else if (SetBackgroundImage(dialog.fileName, dialog.fitMode) == 0) {
    ReportUnloadedPicture(dialog.fileName);
  }
}

void ResetBackgroundImageDialog() { Instance().reset(); }
