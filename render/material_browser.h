#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/raster_canvas.h"
#include "platform/ui_services.h"
#include "services/folder_tree.h"

// The material library browser: the material folder's sub-folders as a tree under a root item
// named after the folder, the materials of the selected folder with their 100 x 100 pictures. One instance serves
// the run. Every lookup names its folder; the process's current folder never changes.
class CMaterialsDlg : public DialogModel {
 public:
  static constexpr const char* kName = "Materials";
  const char* DialogName() const override { return kName; }

  struct Material {
    std::string name;      // the file name without ".mtl"
    RasterCanvas picture;  // 100 x 100
  };

  // Builds the tree under the material folder, without the texture folder "TxtrMap" at its top,
  // and selects the folder of the chosen path.
  void OnInitDialog() override;
  // The selected material becomes the chosen path; none leaves chosen false (a Cancel).
  void OnOK() override;
  void SelectFolder(FolderTreeItem* item);
  // Lists the materials of the selected folder by name, ignoring case, selecting the chosen one.
  void OnFolderSelChanged();

  FolderTree tree;
  std::string rootFolder;
  std::string folderShown;
  // In: the current material as a path; out: the path of the material chosen, without ".mtl".
  std::string chosenPath;
  std::vector<Material> materials;
  int selectedMaterial = -1;
  bool chosen = false;
  // Tells the view that the list changed under it.
  std::function<void()> onListChanged;
};

// The picture of a material without a readable picture of its own: light grey, framed in mid
// grey, with both diagonals.
RasterCanvas MaterialPlaceholderPicture();

// Runs the browser on the current material. The chosen material as a design names it: relative
// to the material folder with '\', or a full path; none when the user cancels.
std::optional<std::string> ChooseMaterialFile();
CMaterialsDlg& MaterialsDialog();
void ResetMaterialsDialog();
