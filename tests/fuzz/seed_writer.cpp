// Writes the seed corpora with the program's own writers:
//   fuzz_seed_writer <corpus folder>
// Run it again when a format changes; libFuzzer grows the corpus from these seeds.
#include <QApplication>
#include <QSettings>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/app_profile.h"
#include "app/qt/main_frame.h"
#include "app/qt/toolbar_state.h"
#include "app/recent_file_list.h"
#include "exchange/iges_writer.h"
#include "kernel/axis_line_object.h"
#include "kernel/block_object.h"
#include "kernel/bmp_image.h"
#include "kernel/boolean_object.h"
#include "kernel/curve_object.h"
#include "kernel/gem_object.h"
#include "kernel/mesh_object.h"
#include "kernel/object_list_file.h"
#include "kernel/surface_object.h"
#include "language_file_writer.h"
#include "platform/qt/qt_platform.h"
#include "program_reset.h"
#include "scratch_file.h"
#include "services/hotkey_file.h"
#include "services/layer_file.h"
#include "services/layer_table.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

namespace {

fs::path corpus;

void Save(const std::string& target, const std::string& name, const Bytes& bytes) {
  fs::create_directories(corpus / target);
  std::ofstream out(corpus / target / name, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes FileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::unique_ptr<CCurveObject> Curve() {
  auto curve = std::make_unique<CCurveObject>();
  curve->SetPoints(4, {{0, 0, 0}, {1, 2, 0}, {3, 2, 1}, {4, 0, 1}}, {0, 1, 0, 0});
  curve->closed = 1;
  return curve;
}

std::unique_ptr<CSurfaceObject> Surface() {
  auto surface = std::make_unique<CSurfaceObject>();
  std::vector<Vector3> grid;
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) grid.push_back({float(column), float(row), float(row * column) / 4});
  }
  surface->SetGrid(3, 3, grid);
  return surface;
}

std::unique_ptr<CMeshObject> Mesh() {
  auto mesh = std::make_unique<CMeshObject>();
  mesh->SetPoints(4, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}});
  mesh->SetFaces({3, 3, 3, 3}, {0, 2, 1, 0, 1, 3, 0, 3, 2, 1, 2, 3});
  return mesh;
}

std::unique_ptr<CBlockObject> Block() {
  auto block = std::make_unique<CBlockObject>();
  block->frontEndType = kBlockEndRound;
  block->thickness = 1;
  block->radius = 0.25f;
  block->SetProfiles({{{{0, 0, 0}, {2, 0, 0}, {2, 2, 0}, {0, 2, 0}}, 4}, {{{0, 0, 1}, {1, 0, 1}, {1, 1, 1}}, 3}});
  block->Rebuild();
  return block;
}

std::unique_ptr<CBooleanObject> BooleanGroup() {
  auto group = std::make_unique<CBooleanObject>();
  group->SetOperation(kBooleanSubtraction);
  group->members.Append(Mesh());
  group->members.Append(Curve());
  return group;
}

std::unique_ptr<CAxisLineObject> AxisLine() {
  auto line = std::make_unique<CAxisLineObject>();
  line->axisIndex = 1;
  return line;
}

std::unique_ptr<CGemObject> Gem() {
  auto gem = std::make_unique<CGemObject>();
  gem->SetLibraryIndex(2);
  return gem;
}

Bytes Design(std::vector<std::unique_ptr<CGeomObject>> objects) {
  for (std::size_t i = 0; i + 1 < objects.size(); ++i) objects[i]->next = objects[i + 1].get();
  const Bytes bytes = CaptureWrite([&] { WriteObjectList(objects.front().get()); });
  for (auto& object : objects) object->next = nullptr;
  return bytes;
}

void WriteDesignsAndRecords() {
  std::vector<std::unique_ptr<CGeomObject>> every;
  every.push_back(Curve());
  every.push_back(Surface());
  every.push_back(Mesh());
  every.push_back(Block());
  every.push_back(BooleanGroup());
  every.push_back(AxisLine());
  every.push_back(Gem());
  const char* const targets[] = {"record_curve",   "record_surface",   "record_mesh", "record_block",
                                 "record_boolean", "record_axis_line", "record_gem"};
  for (std::size_t i = 0; i < every.size(); ++i) {
    Bytes record = CaptureWrite([&] { every[i]->Write(); });
    // The target supplies the kind code itself.
    record.erase(record.begin(), record.begin() + 4);
    Save(targets[i], "written", record);
  }
  const Bytes design = Design(std::move(every));
  Save("design_open", "every_kind.lxd", design);
  Save("design_insert", "every_kind.lxd", design);
  Save("design_view", "every_kind.lxd", design);
  std::vector<std::unique_ptr<CGeomObject>> small;
  small.push_back(Gem());
  small.push_back(AxisLine());
  Save("design_insert", "gem_and_line.lxd", Design(std::move(small)));
}

void WritePicture(const fs::path& folder) {
  const std::string path = (folder / "picture.bmp").string();
  std::unique_ptr<BmpFile> bmp = CreateBmpFile(path, 3, 2, 2835, 2835);
  const std::uint8_t bottom[9] = {0, 0, 255, 0, 255, 0, 255, 0, 0};
  const std::uint8_t top[9] = {255, 255, 255, 0, 0, 0, 128, 128, 128};
  const std::uint8_t* rows[2] = {bottom, top};
  if (bmp == nullptr || !WriteBmpRows(bmp.get(), rows, 3, 2) || !bmp->Close()) {
    std::fprintf(stderr, "The picture was not written\n");
    std::exit(1);
  }
  Save("bmp_image", "three_by_two.bmp", FileBytes(path));
  Save("picture_uses", "three_by_two.bmp", FileBytes(path));
}

void WriteLayers(const fs::path& folder) {
  const std::string path = (folder / "layers.lyr").string();
  LayerSet layers = LayerTable;
  layers[3].name = "Stones";
  layers[3].color = 0x00FF8040;
  if (!WriteLayerFile(path, layers)) std::exit(1);
  Save("layer_file", "defaults.lyr", FileBytes(path));
}

// The profile as the program leaves it at shut-down: its values, recent files and toolbar layout.
void WriteProfile(const fs::path& folder) {
  static int argc = 1;
  static char name[] = "fuzz-seed-writer";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(folder.string()));
  {
    QtPlatform platform;
    LoadAppSettings(platform.settings());
    SaveAppSettings(platform.settings());
    RecentFileList recent;
    recent.Add("/home/user/designs/ring & band.lxd");
    recent.Add("/home/user/designs/pendant.lxd");
    recent.Save(platform.settings());
    platform.settings().Sync();
    CMainFrame frame;
    frame.addToolBar(Qt::BottomToolBarArea, frame.ToolBar(133));
    frame.DestroyWindow();
    const QByteArray state = StoredToolBarState(QSettings(QStringLiteral("Kelmora"), QStringLiteral("Lumidrex")));
    Save("toolbar_state", "written.state", Bytes(state.begin(), state.end()));
  }
  const Bytes profile = FileBytes(folder / "Kelmora" / "Lumidrex.conf");
  for (const char* target : {"zoom_factor", "recent_files", "toolbar_layout"}) Save(target, "written.conf", profile);
}

// An open patch, a tube closed one way, a surface closed both ways, curves open and closed,
// and a curve inside a group.
void WriteIges(const fs::path& folder) {
  std::vector<std::unique_ptr<CGeomObject>> objects;
  objects.push_back(Surface());
  auto tube = Surface();
  tube->closedU = 1;
  objects.push_back(std::move(tube));
  auto ring = Surface();
  ring->closedU = ring->closedV = 1;
  objects.push_back(std::move(ring));
  objects.push_back(Curve());
  auto open = Curve();
  open->closed = 0;
  objects.push_back(std::move(open));
  auto group = std::make_unique<CBooleanObject>();
  group->members.Append(Curve());
  objects.push_back(std::move(group));
  for (std::size_t i = 0; i < objects.size(); ++i) {
    objects[i]->ObjectState = 0;
    if (i + 1 < objects.size()) objects[i]->next = objects[i + 1].get();
  }
  const fs::path path = folder / "scene.igs";
  if (IgesWriter(objects.front().get(), path.string())) Save("iges_import", "scene.igs", FileBytes(path));
  // The list is owned by the vector, not by its links.
  for (auto& object : objects) object->next = nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "Usage: %s <corpus folder>\n", argv[0]);
    return 2;
  }
  corpus = argv[1];
  ResetProgramState([](const std::string&) {});
  const TempDir scratch;
  WriteDesignsAndRecords();
  Save("gem_library", "gemlib", FileBytes(LUMIDREX_PROGRAM_FOLDER "gemlib"));
  Save("language_file", "english.str", PrefixedLanguageFile("English", ""));
  Save("program_config", "programs.cfg", Bytes{'m', 'e', 'i', 'k', 'o', ' ', 'O', 'b', 'j', 'e', 't', '\n',
                                               'D', 'e', 's', 'k', 'P', 'r', 'o', 't', 'o', '\t', 'x', '\n'});
  ScratchFile hotkeys;
  WriteDefaultHotkeysFile(hotkeys.file());
  Save("hotkey_file", "defaults", hotkeys.Contents());
  Save("material_file", "Gold.mtl", FileBytes(LUMIDREX_PROGRAM_FOLDER "material/Gold.mtl"));
  WritePicture(scratch.path());
  WriteLayers(scratch.path());
  WriteProfile(scratch.path());
  WriteIges(scratch.path());
  return 0;
}
