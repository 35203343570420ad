#include "app/database_dialog.h"

#include <filesystem>
#include <memory>

#include "app/design_thumbnails.h"
#include "platform/program_folder.h"
#include "scene/design_file.h"
#include "scene/tool_framework.h"
#include "services/app_settings.h"

namespace {

constexpr char kDesignExtension[] = ".lxd";
constexpr char kPictureExtension[] = ".bmp";

std::unique_ptr<CDatabaseDlg>& Instance() {
  static std::unique_ptr<CDatabaseDlg> dialog;
  return dialog;
}

bool EndsWithNoCase(const std::string& name, std::string_view ending) {
  return name.size() > ending.size() && CompareNoCase(std::string_view(name).substr(name.size() - ending.size()), ending) == 0;
}

// The regular files of a folder (links followed), by name.
std::vector<std::string> FileNames(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code kindError;
    if (it->is_regular_file(kindError)) names.push_back(it->path().filename().string());
  }
  return names;
}

}  // namespace

std::string ResolveDatabaseDir() {
  const std::string& setting = DataBaseDir;
  if (setting.empty()) return {};
  if (setting[0] == '/' || setting[0] == '\\' || (setting.size() > 1 && setting[1] == ':')) return setting;
  return GetProgramDir() + setting;
}

CDatabaseDlg::CDatabaseDlg() { StartAtDefault(); }

void CDatabaseDlg::StartAtDefault() {
  currentFolder = ResolveDatabaseDir() + "/Rings/Rings1";
  currentFile = currentFolder + "/001.lxd";
}

void CDatabaseDlg::OnInitDialog() {
  rootFolder = ResolveDatabaseDir();
  tree.Clear();
  if (!rootFolder.empty()) FillFolderTree(tree, tree.top(), rootFolder);
  // The folder may have changed in Directories since: a path outside the root means nothing.
  if (currentFolder.rfind(rootFolder + "/", 0) != 0) StartAtDefault();
  FolderTreeItem* first = tree.FirstTopItem();
  if (currentFolder.empty()) {
    tree.selected = first != nullptr && first->FirstChild() != nullptr ? first->FirstChild() : first;
  } else {
    SelectTreePath(tree, first, std::string_view(currentFolder).substr(rootFolder.size() + 1));
  }
  OnFolderSelChanged();
}

void CDatabaseDlg::SelectFolder(FolderTreeItem* item) {
  tree.selected = item;
  OnFolderSelChanged();
}

void CDatabaseDlg::OnFolderSelChanged() {
  designs.clear();
  selectedDesign = -1;
  if (tree.selected != nullptr) {
    currentFolder = rootFolder + "/" + FolderTree::PathOf(*tree.selected);
    std::vector<std::string> files = FileNames(currentFolder);
    std::vector<std::string> designFiles;
    for (const std::string& name : files) {
      if (EndsWithNoCase(name, kDesignExtension)) designFiles.push_back(name);
    }
    SortNamesForDisplay(designFiles);
    for (const std::string& name : designFiles) {
      Design design;
      design.fileName = name;
      design.title = name.substr(0, name.size() - 4);
      if (currentFolder + "/" + name == currentFile) selectedDesign = static_cast<int>(designs.size());
      // The picture beside the design, its name in any case; the exact spelling first.
      const std::string pictureName = design.title + kPictureExtension;
      std::string picture;
      for (const std::string& file : files) {
        if (file == pictureName || (picture.empty() && CompareNoCase(file, pictureName) == 0)) picture = file;
      }
      design.picture = picture.empty() ? PlaceholderPicture() : ThumbnailOf(currentFolder + "/" + picture);
      designs.push_back(std::move(design));
    }
    if (selectedDesign < 0 && !designs.empty()) selectedDesign = 0;
  }
  if (onListChanged) onListChanged();
}

void CDatabaseDlg::OnOK() {
  chosen = selectedDesign >= 0 && selectedDesign < static_cast<int>(designs.size());
  if (chosen) currentFile = currentFolder + "/" + designs[static_cast<std::size_t>(selectedDesign)].fileName;
}

void RunDatabaseDialog() {
  auto& dialog = Instance();
  if (!dialog) dialog = std::make_unique<CDatabaseDlg>();
  dialog->chosen = false;
  if (RunModalDialog(*dialog) != kAnswerOk || !dialog->chosen) return;
  ResetToPickTool();
  InsertDocumentFile(dialog->currentFile);
}

void ResetDatabaseDialog() { Instance().reset(); }
