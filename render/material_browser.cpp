#include "render/material_browser.h"

#include <filesystem>
#include <memory>
#include <system_error>

#include "render/current_material.h"
#include "render/material_paths.h"
#include "services/file_names.h"
#include "services/thumbnails.h"

namespace {

constexpr char kTextureFolder[] = "TxtrMap";
constexpr ColorRef kPlaceholderFill = 0xD8D8D8;
constexpr ColorRef kPlaceholderLines = 0x808080;

std::unique_ptr<CMaterialsDlg>& Instance() {
  static std::unique_ptr<CMaterialsDlg> dialog;
  return dialog;
}

std::string WithSlashes(std::string name) {
  for (char& c : name) {
    if (c == '\\') c = '/';
  }
  return name;
}

// The root item's text: the material folder's own name, or the folder as given where it has
// none (the file system's root).
std::string FolderOwnName(const std::string& folder) {
  const std::filesystem::path path = std::filesystem::path(folder).lexically_normal();
  const std::string name = (path.has_filename() ? path : path.parent_path()).filename().string();
  return name.empty() ? folder : name;
}

// The names without ".mtl" of the folder's material files (links followed).
std::vector<std::string> MaterialNames(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code kindError;
    if (!it->is_regular_file(kindError)) continue;
    StrippedName name = StripExtensionIf(it->path().filename().string(), "mtl");
    if (name.comparison == 0 && !name.name.empty()) names.push_back(std::move(name.name));
  }
  return names;
}

// The path of a current material name: a relative name lies in the material folder.
std::string PathOfMaterial(const std::string& root, const std::string& name) {
  const std::string path = WithSlashes(name);
  return !path.empty() && path[0] == '/' ? path : root + "/" + path;
}

}  // namespace

RasterCanvas MaterialPlaceholderPicture() {
  constexpr int last = kThumbnailSide - 1;
  RasterCanvas canvas(kThumbnailSide, kThumbnailSide);
  canvas.FillSolidRect(0, 0, kThumbnailSide, kThumbnailSide, kPlaceholderLines);
  canvas.FillSolidRect(1, 1, kThumbnailSide - 1, kThumbnailSide - 1, kPlaceholderFill);
  canvas.SetPenColor(kPlaceholderLines);
  canvas.MoveTo(0, 0);
  canvas.LineTo(last, last);
  canvas.MoveTo(last, 0);
  canvas.LineTo(0, last);
  return canvas;
}

void CMaterialsDlg::OnInitDialog() {
  rootFolder = GetMaterialDirectory();
  tree.Clear();
  FolderTreeItem* root = tree.Append(tree.top(), FolderOwnName(rootFolder));
  if (!rootFolder.empty()) FillFolderTree(tree, *root, rootFolder);
  std::erase_if(root->children, [](const auto& child) { return CompareNoCase(child->text, kTextureFolder) == 0; });
  tree.selected = root;
  const std::string prefix = rootFolder + "/";
  if (chosenPath.size() > prefix.size() && chosenPath.compare(0, prefix.size(), prefix) == 0) {
    const std::string below = chosenPath.substr(prefix.size());
    const std::size_t slash = below.rfind('/');
    if (slash != std::string::npos) SelectTreePath(tree, root->FirstChild(), std::string_view(below).substr(0, slash));
  }
  OnFolderSelChanged();
}

void CMaterialsDlg::SelectFolder(FolderTreeItem* item) {
  tree.selected = item;
  OnFolderSelChanged();
}

void CMaterialsDlg::OnFolderSelChanged() {
  materials.clear();
  selectedMaterial = -1;
  folderShown = rootFolder;
  std::string below;
  for (const FolderTreeItem* item = tree.selected; item != nullptr && item->parent != nullptr && item->parent->parent != nullptr;
       item = item->parent) {
    below = "/" + item->text + below;
  }
  folderShown += below;
  if (tree.selected == nullptr || rootFolder.empty()) {
    if (onListChanged) onListChanged();
    return;
  }
  std::vector<std::string> names = MaterialNames(folderShown);
  SortNamesNoCase(names);
  for (std::string& name : names) {
    const std::string path = folderShown + "/" + name;
    if (CompareNoCase(path, chosenPath) == 0) selectedMaterial = static_cast<int>(materials.size());
    materials.push_back({std::move(name), PictureThumbnail(path + ".bmp", &MaterialPlaceholderPicture)});
  }
  if (onListChanged) onListChanged();
}

void CMaterialsDlg::OnOK() {
  chosen = selectedMaterial >= 0 && selectedMaterial < static_cast<int>(materials.size());
  if (chosen) chosenPath = folderShown + "/" + materials[static_cast<std::size_t>(selectedMaterial)].name;
}

CMaterialsDlg& MaterialsDialog() {
  auto& dialog = Instance();
  if (!dialog) dialog = std::make_unique<CMaterialsDlg>();
  return *dialog;
}

void ResetMaterialsDialog() { Instance().reset(); }

std::optional<std::string> ChooseMaterialFile() {
  CMaterialsDlg& dialog = MaterialsDialog();
  const std::string root = GetMaterialDirectory();
  dialog.chosenPath = PathOfMaterial(root, CurrentMaterialName());
  dialog.chosen = false;
  if (RunModalDialog(dialog) != kAnswerOk || !dialog.chosen) return std::nullopt;
  return NameInFolder(root, dialog.chosenPath);
}
