// Writes the program's material library into a folder: a material file for each row of the
// table below, the reflection map "Studio" computed here and each material's picture, rendered
// as the material editor renders it. The build runs it and puts the
// folder "material" beside the executable; the output depends on nothing but this source.

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "kernel/bmp_image.h"
#include "kernel/object_stream.h"
#include "platform/replacing_file.h"
#include "render/material_editor.h"
#include "render/material_file.h"
#include "services/app_settings.h"

namespace {

struct LibraryMaterial {
  const char* name;
  int ambient[3];
  int diffuse[3];
  int specular[3];
  int shininess;
  int transparency;
  const char* reflectMap;
};

// The metals take their look from the reflection map, the gems from a narrow highlight and
// their transparency. Gold is what every new object is made of.
constexpr LibraryMaterial kLibrary[] = {
    {"Gold", {96, 72, 16}, {232, 184, 64}, {255, 240, 200}, 90, 0, "Studio"},
    {"WhiteGold", {88, 88, 84}, {220, 218, 205}, {255, 255, 255}, 90, 0, "Studio"},
    {"RoseGold", {96, 60, 48}, {232, 160, 132}, {255, 230, 220}, 90, 0, "Studio"},
    {"Silver", {90, 90, 92}, {216, 216, 220}, {255, 255, 255}, 92, 0, "Studio"},
    {"Platinum", {84, 84, 86}, {200, 200, 198}, {255, 255, 255}, 92, 0, "Studio"},
    {"Copper", {90, 48, 28}, {208, 120, 80}, {255, 220, 200}, 88, 0, "Studio"},
    {"Diamond", {120, 124, 132}, {236, 240, 248}, {255, 255, 255}, 98, 40, ""},
    {"Ruby", {80, 0, 16}, {200, 16, 48}, {255, 255, 255}, 96, 25, ""},
    {"Sapphire", {8, 16, 80}, {24, 56, 200}, {255, 255, 255}, 96, 25, ""},
    {"Emerald", {0, 64, 24}, {16, 160, 72}, {255, 255, 255}, 96, 25, ""},
};

constexpr int kStudioSize = 256;

// 0 below a, 1 above b, a smooth cubic between.
double Blend(double a, double b, double x) {
  if (x <= a) return 0.0;
  if (x >= b) return 1.0;
  const double h = (x - a) / (b - a);
  return h * h * (3.0 - 2.0 * h);
}

double Mix(double from, double to, double weight) { return from + (to - from) * weight; }

// The studio seen in a mirror ball, by the direction of the normal (s right, t up): a dark
// horizon, soft bright bands above and below, a light middle so faces turned to the viewer
// show their metal, and one value outside the disc. It looks the same turned half a turn,
// because a surface seen from inside shows the map through normals pointing away.
// Only +, -, x, / and sqrt, so the bytes are the same on every machine.
double StudioValue(double s, double t) {
  const double outside = 0.55;
  const double height = t < 0.0 ? -t : t;
  const double r = std::sqrt(s * s + t * t);
  double value = Mix(0.3, 0.65, Blend(0.0, 0.25, height));
  value = Mix(value, 1.0, Blend(0.45, 0.55, height) * (1.0 - Blend(0.75, 0.85, height)));
  value = Mix(value, 0.8, 1.0 - Blend(0.15, 0.35, r));
  // Settled before the outermost pixels, so the sample's wrap-around at the edges shows nothing.
  return Mix(value, outside, Blend(0.85, 0.98, r));
}

bool WriteStudio(const std::string& path) {
  std::vector<std::uint8_t> pixels(kStudioSize * kStudioSize * 3);
  for (int row = 0; row < kStudioSize; ++row) {
    const double t = (2.0 * row + 1.0) / kStudioSize - 1.0;
    for (int column = 0; column < kStudioSize; ++column) {
      const double s = (2.0 * column + 1.0) / kStudioSize - 1.0;
      const auto grey = static_cast<std::uint8_t>(std::floor(StudioValue(s, t) * 255.0 + 0.5));
      std::uint8_t* pixel = &pixels[(row * kStudioSize + column) * 3];
      pixel[0] = pixel[1] = pixel[2] = grey;
    }
  }
  std::vector<const std::uint8_t*> rows;
  for (int row = 0; row < kStudioSize; ++row) rows.push_back(&pixels[row * kStudioSize * 3]);
  const std::unique_ptr<BmpFile> file = CreateBmpFile(path, kStudioSize, kStudioSize, 2835, 2835);
  return file != nullptr && WriteBmpRows(file.get(), rows.data(), kStudioSize, kStudioSize) && file->Close();
}

bool WriteMaterial(const std::string& path, const LibraryMaterial& entry) {
  MaterialRecord record;
  for (int i = 0; i < 3; ++i) {
    record.ambient[i] = entry.ambient[i];
    record.diffuse[i] = entry.diffuse[i];
    record.specular[i] = entry.specular[i];
  }
  record.shininess = entry.shininess;
  record.transparency = entry.transparency;
  record.reflectMap = entry.reflectMap;
  const std::unique_ptr<ReplacingFile> file = ReplacingFile::Open(path);
  if (file == nullptr) return false;
  int written = 0;
  {
    ObjectStreamScope stream(file->file());
    written = WriteMaterialRecord(record);
  }
  return written == 1 && file->Finish() && file->ReplaceTarget();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <material folder>\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  std::error_code error;
  std::filesystem::create_directories(folder + "/TxtrMap", error);
  bool ok = !error && WriteStudio(folder + "/TxtrMap/Studio.bmp");
  for (const LibraryMaterial& entry : kLibrary) ok = ok && WriteMaterial(folder + "/" + entry.name + ".mtl", entry);
  // The pictures are rendered with the library just written: the folder is the material folder.
  MaterialDir = std::filesystem::absolute(folder, error).string();
  for (const LibraryMaterial& entry : kLibrary) ok = ok && !error && MakeMaterialPreview(entry.name) == 0;
  if (!ok) {
    std::fprintf(stderr, "%s: cannot write the material library into %s\n", argv[0], argv[1]);
    return 1;
  }
  return 0;
}
