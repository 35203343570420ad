#include "render/material_editor.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "kernel/object_stream.h"
#include "kernel/surface_object.h"
#include "platform/file_handle.h"
#include "platform/replacing_file.h"
#include "platform/text_encoding.h"
#include "render/material_file.h"
#include "render/material_paths.h"
#include "render/picture_render.h"
#include "scene/view_background.h"
#include "services/file_names.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

namespace {

constexpr char kTextureFolder[] = "TxtrMap";
constexpr char kBmpFilter[] = "BMP Files (*.bmp)|*.bmp|All Files (*.*)|*.*|";
constexpr char kMaterialFilter[] = "Material Files (*.mtl)|*.mtl|All Files (*.*)|*.*|";
constexpr int kPreviewSide = 100;
constexpr int kPreviewSamples = 3;

// Each prompt's own filter choice, kept for the run.
int materialFilterIndex = 1;
int textureFilterIndex = 1;

std::unique_ptr<CEditMaterialDlg>& Instance() {
  static std::unique_ptr<CEditMaterialDlg> dialog;
  return dialog;
}

std::string WithSlashes(std::string_view name) {
  std::string path(name);
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

bool IsFullPath(std::string_view name) { return !name.empty() && (name[0] == '/' || name[0] == '\\'); }

std::uint32_t ColorOf(const std::int32_t rgb[3]) {
  const auto byte = [](std::int32_t value) { return static_cast<std::uint32_t>(std::clamp(value, 0, 255)); };
  return byte(rgb[0]) | byte(rgb[1]) << 8 | byte(rgb[2]) << 16;
}

void SetRgb(std::uint32_t color, std::int32_t rgb[3]) {
  for (int k = 0; k < 3; ++k) rgb[k] = static_cast<std::int32_t>((color >> (8 * k)) & 0xFF);
}

bool WriteMaterialFile(const std::string& path, const MaterialRecord& record) {
  const std::unique_ptr<ReplacingFile> file = ReplacingFile::Open(path);
  if (!file) return false;
  {
    ObjectStreamScope stream(file->file());
    if (WriteMaterialRecord(record) != 1) return false;
  }
  return file->Finish() && file->ReplaceTarget();
}

std::optional<std::string> PromptInFolder(int open, int* filterIndex, std::string_view filter,
                                          std::string_view current, const std::string& folder) {
  const std::optional<std::string> path = FileDialogPrompt(open, filterIndex, filter, {}, current, folder);
  if (!path) return std::nullopt;
  return NameInFolder(folder, *path);
}

}  // namespace

void CEditMaterialDlg::DoDataExchange(DataExchange& dx) {
  DDX_Text(dx, kMaterialEdit, materialName);
  for (int map = 0; map < kMapCount; ++map) DDX_Text(dx, kTextureEdit + map, maps[map]);
  DDX_Text(dx, kShininessEdit, shininess);
  DDV_MinMaxInt(dx, shininess, 0, 100);
  DDX_Text(dx, kTransparencyEdit, transparency);
  DDV_MinMaxInt(dx, transparency, 0, 100);
}

void CEditMaterialDlg::LoadMaterial(const std::string& name) {
  materialName = name;
  const std::string file = AddExtensionIfMissing(name, "mtl");
  const std::string folder = GetMaterialDirectory();
  std::string path = folder.empty() ? std::string() : FindInFolder(folder, file);
  if (!OpensForReading(path)) path = folder.empty() || IsFullPath(file) ? WithSlashes(file) : std::string();
  const FileHandle handle = path.empty() ? nullptr : OpenFile(path, "rb", kMaterialMagic);
  MaterialRecord record;
  bool read = false;
  if (handle) {
    ObjectStreamScope stream(handle.get());
    read = ReadMaterialRecord(&record) != -1;
  }
  if (read) {
    ambient = ColorOf(record.ambient);
    diffuse = ColorOf(record.diffuse);
    specular = ColorOf(record.specular);
    shininess = record.shininess;
    transparency = record.transparency;
    maps[0] = record.textureMap;
    maps[1] = record.bumpMap;
    maps[2] = record.reflectMap;
    maps[3] = record.shinyMap;
  }
  Changed();
}

bool CEditMaterialDlg::SaveMaterial() {
  MaterialRecord record;
  SetRgb(ambient, record.ambient);
  SetRgb(diffuse, record.diffuse);
  SetRgb(specular, record.specular);
  record.shininess = shininess;
  record.transparency = transparency;
  std::string* names[kMapCount] = {&record.textureMap, &record.bumpMap, &record.reflectMap, &record.shinyMap};
  for (int map = 0; map < kMapCount; ++map) *names[map] = Utf8Prefix(maps[map], kMaxNameChars);
  const std::string file = WithSlashes(AddExtensionIfMissing(Utf8Prefix(materialName, kMaxNameChars), "mtl"));
  const std::string folder = GetMaterialDirectory();
  const bool inFolder = !folder.empty() && !IsFullPath(file);
  const bool saved = (inFolder && WriteMaterialFile(folder + "/" + file, record)) || WriteMaterialFile(file, record);
  // Named where the material was meant to go.
  if (!saved) ShowFileMessage(kCannotWriteMessage, inFolder ? folder + "/" + file : file);
  return saved;
}

void CEditMaterialDlg::OnBrowse() {
  ReadBackQuietly();
  const std::optional<std::string> chosen = PromptMaterialFile(0, kMaterialFilter, materialName);
  if (chosen) LoadMaterial(StripExtensionIf(*chosen, "mtl").name);
}

void CEditMaterialDlg::OnMapButton(int map) {
  if (map < 0 || map >= kMapCount) return;
  ReadBackQuietly();
  const std::optional<std::string> chosen = PromptTextureFile(1, kBmpFilter, maps[map]);
  if (chosen) maps[map] = StripExtensionIf(*chosen, "bmp").name;
  Changed();
}

CEditMaterialDlg& EditMaterialDialog() {
  auto& dialog = Instance();
  if (!dialog) dialog = std::make_unique<CEditMaterialDlg>();
  return *dialog;
}

void ResetEditMaterialDialog() {
  Instance().reset();
  materialFilterIndex = textureFilterIndex = 1;
}

std::optional<std::string> PromptMaterialFile(int open, std::string_view filter, std::string_view current) {
  return PromptInFolder(open, &materialFilterIndex, filter, current, GetMaterialDirectory());
}

std::optional<std::string> PromptTextureFile(int open, std::string_view filter, std::string_view current) {
  const std::string folder = GetMaterialDirectory();
  const std::string textures = folder.empty() ? std::string() : FindInFolder(folder, kTextureFolder);
  return PromptInFolder(open, &textureFilterIndex, filter, current,
                        textures.empty() && !folder.empty() ? folder + "/" + kTextureFolder : textures);
}

std::unique_ptr<CSurfaceObject> MaterialPreviewSurface() {
  const double b = 3 / (2 + std::cos(std::numbers::pi / 3));
  std::vector<Vector3> points;
  for (int i = 0; i < 6; ++i) {
    const double phi = i * std::numbers::pi / 3;
    for (int k = -1; k <= 4; ++k) {
      const double theta = k * std::numbers::pi / 3;
      const double x = b * b * std::sin(theta);
      points.push_back({static_cast<float>(x * std::cos(phi)), static_cast<float>(x * std::sin(phi)),
                        static_cast<float>(-b * std::cos(theta))});
    }
  }
  auto surface = std::make_unique<CSurfaceObject>();
  surface->SetGrid(6, 6, std::move(points));
  surface->closedU = 1;
  surface->startAttributeV = surface->endAttributeV = 1;
  return surface;
}

int MakeMaterialPreview(const std::string& name) {
  const std::unique_ptr<CSurfaceObject> surface = MaterialPreviewSurface();
  const std::string material = name;
  surface->materialName = &material;
  const std::string path = GetMaterialDirectory() + "/" + WithSlashes(AddExtensionIfMissing(name, "bmp"));
  const BackgroundColor saved = GetBackgroundColor();
  SetBackgroundColorRGB(255, 255, 255);
  const int result = RenderObjectToPicture(surface.get(), path, kPreviewSide, kPreviewSide, kPreviewSamples);
  SetBackgroundColorRGB(saved[2], saved[1], saved[0]);
  if (result == kPictureNotWritten) ShowFileMessage(kCannotWriteMessage, path);
  return result;
}
