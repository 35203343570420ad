#include "render/render_to_file.h"

#include <cstdio>
#include <memory>
#include <optional>

#include "platform/program_folder.h"
#include "render/picture_render.h"
#include "scene/tool_framework.h"
#include "scene/view_background.h"
#include "services/file_names.h"
#include "services/folder_tree.h"
#include "services/launching.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"
#include "services/view_pictures.h"

namespace {

constexpr char kPictureFilter[] = "BMP Files (*.bmp)|*.bmp|JPEG Files (*.jpg)|*.jpg|";
constexpr char kExchangePicture[] = "vorn.bmp";

std::unique_ptr<CRenderToFileDlg>& Instance() {
  static std::unique_ptr<CRenderToFileDlg> dialog;
  return dialog;
}

// Exactly the last four characters, so "ring.jpeg" is no JPEG and becomes "ring.jpeg.bmp".
bool IsJpegName(const std::string& name) {
  return name.size() >= 4 && CompareNoCase(std::string_view(name).substr(name.size() - 4), ".jpg") == 0;
}

}  // namespace

void CRenderToFileDlg::DoDataExchange(DataExchange& dx) {
  DDX_Text(dx, kFileEdit, fileName);
  DDV_MaxChars(dx, fileName, kMaxFileNameChars);
  DDX_Text(dx, kWidthEdit, width);
  DDV_MinMaxInt(dx, width, 1, kMaxSide);
  DDX_Text(dx, kHeightEdit, height);
  DDV_MinMaxInt(dx, height, 1, kMaxSide);
  DDX_Text(dx, kOutlineValueEdit, outlineValue);
  DDV_MinMaxInt(dx, outlineValue, 1, 100);
}

void CRenderToFileDlg::OnPictureSize(int index) {
  if (index < 0 || index >= static_cast<int>(kPictureSizes.size())) return;
  int first = 0, second = 0;
  char by[8] = {};
  if (std::sscanf(kPictureSizes[static_cast<std::size_t>(index)], "%d %7s %d", &first, by, &second) != 3) return;
  if (first > 0) texts[kWidthEdit] = std::to_string(first);
  if (second > 0) texts[kHeightEdit] = std::to_string(second);
  if (onChanged) onChanged();
}

void CRenderToFileDlg::OnImageFile() {
  ReadBackQuietly();
  const std::optional<std::string> name = FileDialogPrompt(0, &filterIndex_, kPictureFilter, {}, fileName);
  if (name) fileName = *name;
  WriteTexts();
  if (onChanged) onChanged();
}

CRenderToFileDlg& RenderToFileDialog() {
  auto& dialog = Instance();
  if (!dialog) dialog = std::make_unique<CRenderToFileDlg>();
  return *dialog;
}

void ResetRenderToFileDialog() { Instance().reset(); }

void OnRenderToFile() {
  CRenderToFileDlg& dialog = RenderToFileDialog();
  if (RunModalDialog(dialog) != kAnswerOk) return;
  ResetToPickTool();
  const bool jpeg = IsJpegName(dialog.fileName);
  // The system's temporary folder is shared: another user could read the picture there, or swap
  // it before the conversion.
  if (jpeg && GetExchangeFolder().empty()) return;
  const std::string target =
      jpeg ? GetExchangeFolder() + kExchangePicture : AddExtensionIfMissing(dialog.fileName, "bmp");
  const std::uint32_t colour = dialog.backgroundColour;
  SetBackgroundColorRGB(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
  const int result = RenderToPictureFile(target, dialog.width, dialog.height, dialog.antiAliasing + 1,
                                         dialog.outline, dialog.outlineValue);
  ResetBackgroundColor();
  if (result == kPictureNotWritten) ShowFileMessage(kCannotWriteMessage, target);
  if (result < 0) return;
  if (jpeg) {
    // The codec writes through a temporary file, so a failed conversion leaves an older picture
    // of that name whole; opening it would show the wrong picture.
    const int converted = ConvertPicture(target, dialog.fileName);
    std::remove(target.c_str());
    if (converted != 1) {
      ShowFileMessage(kCannotWriteMessage, dialog.fileName);
      return;
    }
  }
  const std::string& picture = jpeg ? dialog.fileName : target;
  // Without a program for pictures the user still learns where the picture went.
  if (!LaunchViaBatch(picture))
    ShowStatusText(FillStringArguments(GetLocalizedString(kPictureWrittenMessage), {picture}));
}
