#include "manufacturing/nc_show_path.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <optional>

#include "manufacturing/nc_path_object.h"
#include "manufacturing/nc_path_reader.h"
#include "manufacturing/unit_conversion_dialog.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/tool_framework.h"
#include "services/file_names.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

namespace {

constexpr int kCannotOpenFile = 10018;

std::unique_ptr<CNcShowPathDlg>& Instance() {
  static std::unique_ptr<CNcShowPathDlg> dialog;
  return dialog;
}

bool IsReadableRegularFile(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) && ::access(path.c_str(), R_OK) == 0;
}

// The dialect of a readable file, from its first bytes.
NcPathDialect FileDialect(const std::string& path) {
  std::string head(kNcDialectHeadBytes, '\0');
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return NcPathDialect::kGCode;
  head.resize(std::fread(head.data(), 1, head.size(), file));
  std::fclose(file);
  return NcPathDialectOf(head);
}

}  // namespace

void CNcShowPathDlg::DoDataExchange(DataExchange& dx) {
  DDX_Text(dx, kFileEdit, fileName);
  DDX_Text(dx, kScaleEdit, scale);
  DDV_MinMaxFloat(dx, scale, kMinScale, kMaxScale);
}

void CNcShowPathDlg::OnBrowse() {
  ReadBackQuietly();
  const std::optional<std::string> name = FileDialogPrompt(1, &filterIndex_, kFilter, {}, fileName);
  if (name) fileName = *name;
  WriteTexts();
  if (onChanged) onChanged();
}

void CNcShowPathDlg::OnUnits() {
  ReadBackQuietly();
  AskUnitConversion(&scale);
  WriteTexts();
  if (onChanged) onChanged();
}

CNcShowPathDlg& NcShowPathDialog() {
  auto& dialog = Instance();
  if (!dialog) dialog = std::make_unique<CNcShowPathDlg>();
  return *dialog;
}

void ResetNcShowPathDialog() { Instance().reset(); }

void OnShowNcProgram() {
  CNcShowPathDlg& dialog = NcShowPathDialog();
  if (RunModalDialog(dialog) != kAnswerOk) return;
  ResetToPickTool();
  const std::string name = AddExtensionIfMissing(dialog.fileName, "nc");
  if (!IsReadableRegularFile(name)) {
    ShowStatusText(GetLocalizedString(kCannotOpenFile) + " " + name);
  } else if (FileDialect(name) == NcPathDialect::kUnreadable) {
    // A dialect whose units are not known would draw a path the file does not hold.
    ShowStatusText(GetLocalizedString(kInvalidFileFormatMessage) + " " + name);
  }
  ShowNcProgram(name, dialog.scale);
}

void ShowNcProgram(const std::string& fileName, float scale) {
  auto object = std::make_unique<CNcPathObject>();
  CNcPathObject* const path = object.get();
  if (AddObject(object, 1) == nullptr) return;
  path->fileName = fileName;
  path->scale = scale;
  RedrawAllViews();
}
