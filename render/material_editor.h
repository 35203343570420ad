#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "services/data_dialog.h"

class CSurfaceObject;

// The material editor: three colours, shininess, transparency and four texture maps of one
// material file. One instance serves the run.
class CEditMaterialDlg : public CDataDialog {
 public:
  static constexpr const char* kName = "EditMaterial";
  static constexpr int kTextureEdit = 1310;  // then bump 1311, reflect 1312, shiny 1313
  static constexpr int kShininessEdit = 1314;
  static constexpr int kTransparencyEdit = 1315;
  static constexpr int kMaterialEdit = 1316;
  static constexpr int kMapCount = 4;
  // Names longer than this are cut before saving: the file's fields hold no more.
  static constexpr std::size_t kMaxNameChars = 255;
  // The result with which "Get Object Material" closes the dialog, its fields taken.
  static constexpr int kGetObjectMaterialResult = 11;
  const char* DialogName() const override { return kName; }

  // materialName := name; then the file name (".mtl" added unless it has an extension) inside
  // the material folder, else, for a full path, as given. When neither reads as a material file
  // the other fields keep their values. A relative name is never looked up in the process's
  // current folder here: the editor treats the material folder as its current folder.
  void LoadMaterial(const std::string& name);
  // Writes the fields to the material file, replacing it whole: inside the material folder,
  // else the name as given (relative to the process's current folder). When neither can be
  // written, says "Cannot write to file!", keeps the old file and returns false.
  bool SaveMaterial();
  // The "Browse" button: a save-style prompt in the material folder; the choice is loaded (a
  // name without a file only changes the material name).
  void OnBrowse();
  // The map buttons, 0 texture to 3 shiny: an open prompt in "TxtrMap".
  void OnMapButton(int map);
  // Keeps the typed fields, as the dialog is about to close with kGetObjectMaterialResult.
  void OnGetObjectMaterial() { ReadBackQuietly(); }

  std::string materialName;
  std::uint32_t ambient = 0x000000;  // COLORREF
  std::uint32_t diffuse = 0x808080;
  std::uint32_t specular = 0xFFFFFF;
  int shininess = 100;
  int transparency = 0;
  std::string maps[kMapCount];
  bool generateImage = true;
  // Tells the view that fields changed under it.
  std::function<void()> onChanged;

 protected:
  void DoDataExchange(DataExchange& dx) override;

 private:
  void Changed() {
    WriteTexts();
    if (onChanged) onChanged();
  }
};

CEditMaterialDlg& EditMaterialDialog();
void ResetEditMaterialDialog();

// The file dialog started in the material folder, or in its "TxtrMap" folder. A choice inside
// that folder comes back relative to it, joined with '\'; any other whole. None when cancelled.
// Each keeps its own filter index for the run.
std::optional<std::string> PromptMaterialFile(int open, std::string_view filter, std::string_view current);
std::optional<std::string> PromptTextureFile(int open, std::string_view filter, std::string_view current);

// The material image shape: a 6 x 6 surface revolved about z, closed around, like a sphere.
std::unique_ptr<CSurfaceObject> MaterialPreviewSurface();
// Renders the material on that shape, 100 x 100 with 3 samples on white, into the picture
// named like the material in the material folder (".bmp" added unless the name has an
// extension). The background colour is restored afterwards. 0 written; -1 cancelled or too
// little memory; kPictureNotWritten when the picture could not be written, which is named in a
// message box.
int MakeMaterialPreview(const std::string& name);
