#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/raster_canvas.h"
#include "platform/ui_services.h"
#include "services/folder_tree.h"

// The sample-design browser: the sub-folders of the database folder as a tree, the designs of
// the selected folder with their pictures. One instance serves the run, so the folder and design
// last chosen are where it opens next time.
class CDatabaseDlg : public DialogModel {
 public:
  static constexpr const char* kName = "Database";
  const char* DialogName() const override { return kName; }

  struct Design {
    std::string title;     // the file name without its extension
    std::string fileName;  // as the folder spells it
    RasterCanvas picture;  // 100 x 100
  };

  CDatabaseDlg();
  // Builds the tree anew under the database folder and selects the folder last shown.
  void OnInitDialog() override;
  // Takes the selected design as the current file; none leaves chosen false.
  void OnOK() override;
  // Fills the list with the designs of the tree's selected folder, selecting the current file.
  void OnFolderSelChanged();
  void SelectFolder(FolderTreeItem* item);

  FolderTree tree;
  std::vector<Design> designs;
  int selectedDesign = -1;
  std::string rootFolder;
  std::string currentFolder;
  std::string currentFile;
  bool chosen = false;
  // Tells the view that the list changed under it.
  std::function<void()> onListChanged;

 private:
  void StartAtDefault();
};

// The database folder setting as an absolute folder: empty stays empty; a setting that begins
// with '/' or '\', or has a drive colon, stays as it is; any other is taken in the program folder.
std::string ResolveDatabaseDir();
// Command 1002: runs the browser and inserts the chosen design into the current design.
void RunDatabaseDialog();
void ResetDatabaseDialog();
