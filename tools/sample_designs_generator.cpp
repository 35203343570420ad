// Writes the program's sample designs, each with its thumbnail, into "<folder>/database/", and
// the splash picture "<folder>/splash.bmp". The build runs it with its own folder, where
// "gemlib" already lies. The designs are made from the kernel's own objects and depend on nothing
// but the numbers here; the pictures are drawn by the program's own OpenGL shading, so they need
// an OpenGL frame (the surfaceless EGL display) and no window system. Without OpenGL it fails:
// it never writes flat pictures.

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "kernel/block_object.h"
#include "kernel/bmp_image.h"
#include "kernel/boolean_object.h"
#include "kernel/curve_object.h"
#include "kernel/gem_object.h"
#include "kernel/kernel_state.h"
#include "kernel/mesh_object.h"
#include "kernel/name_pool.h"
#include "kernel/object_list_file.h"
#include "kernel/object_stream.h"
#include "kernel/surface_object.h"
#include "platform/command_queue.h"
#include "platform/gl/gl_frame.h"
#include "platform/gl/libgl_calls.h"
#include "platform/platform_services.h"
#include "platform/program_folder.h"
#include "platform/raster_canvas.h"
#include "platform/replacing_file.h"
#include "scene/drawing_context.h"
#include "scene/gl_table.h"
#include "scene/render_view.h"
#include "scene/scene.h"
#include "scene/undo_history.h"
#include "scene/viewport.h"
#include "services/app_settings.h"

namespace {

using Objects = std::vector<std::unique_ptr<CGeomObject>>;

// Ring sizes in millimetres: 17.3 across the inside of every band.
constexpr float kInnerRadius = 8.65f;
constexpr float kBandThickness = 1.6f;
constexpr float kBandWidth = 4.0f;
constexpr int kBandSteps = 16;
constexpr int kRoundGem = 0;
constexpr int kHeartGem = 3;
constexpr int kSquareGem = 8;

constexpr int kThumbnailSide = 100;
constexpr int kSplashWidth = 218;
constexpr int kSplashHeight = 320;
constexpr ColorRef kSplashClear = 0x00640000;  // RGB(0, 0, 100), the splash's left area

struct ProfilePoint {
  float radial, along;
};
using Profile = std::vector<ProfilePoint>;

// A band's cross-section: radial distance from the finger axis (y) and position along it, an
// octagon with its corners cut.
Profile BandProfile(float innerRadius, float thickness, float width) {
  const float r0 = innerRadius, r1 = innerRadius + thickness, cut = thickness * 0.3f;
  const float h = width / 2, hs = h - cut;
  return {{r0, -hs}, {r0, hs}, {r0 + cut, h}, {r1 - cut, h}, {r1, hs}, {r1, -hs}, {r1 - cut, -h}, {r0 + cut, -h}};
}

Vector3 AroundFinger(ProfilePoint p, double angle) {
  return {static_cast<float>(p.radial * std::sin(angle)), p.along, static_cast<float>(p.radial * std::cos(angle))};
}

double StepAngle(int i, int steps) { return 2 * std::numbers::pi * i / steps; }

std::unique_ptr<CSurfaceObject> SweptBand(const Profile& profile) {
  auto surface = std::make_unique<CSurfaceObject>();
  std::vector<Vector3> grid;
  for (int i = 0; i < kBandSteps; ++i) {
    for (const ProfilePoint& p : profile) grid.push_back(AroundFinger(p, StepAngle(i, kBandSteps)));
  }
  surface->SetGrid(kBandSteps, static_cast<int>(profile.size()), std::move(grid));
  surface->closedU = 1;
  surface->closedV = 1;
  // Rows run around the finger and the profile runs counter-clockwise: the outside faces out.
  surface->orientationSign = -1;
  return surface;
}

std::unique_ptr<CCurveObject> ClosedCurve(std::vector<Vector3> points) {
  auto curve = std::make_unique<CCurveObject>();
  const int count = static_cast<int>(points.size());
  curve->SetPoints(count, std::move(points));
  curve->closed = 1;
  return curve;
}

// The band's profile where it crosses the top of the ring.
std::unique_ptr<CCurveObject> ProfileCurve(const Profile& profile) {
  std::vector<Vector3> points;
  for (const ProfilePoint& p : profile) points.push_back(AroundFinger(p, 0));
  return ClosedCurve(std::move(points));
}

std::unique_ptr<CCurveObject> CircleCurve(Vector3 centre, float radius, int segments) {
  std::vector<Vector3> points;
  for (int i = 0; i < segments; ++i) {
    const double a = StepAngle(i, segments);
    points.push_back({centre.x + radius * static_cast<float>(std::cos(a)), centre.y,
                      centre.z + radius * static_cast<float>(std::sin(a))});
  }
  return ClosedCurve(std::move(points));
}

std::unique_ptr<CMeshObject> Mesh(std::vector<Vector3> points, std::vector<std::int32_t> sizes,
                                  std::vector<std::int32_t> indices) {
  auto mesh = std::make_unique<CMeshObject>();
  const int count = static_cast<int>(points.size());
  mesh->SetPoints(count, std::move(points));
  mesh->SetFaces(std::move(sizes), std::move(indices));
  mesh->flatShading = 1;
  return mesh;
}

// A box between two corners, its faces turned outward.
std::unique_ptr<CMeshObject> BoxMesh(Vector3 a, Vector3 b) {
  std::vector<Vector3> points;
  for (int i = 0; i < 8; ++i) points.push_back({(i & 1) ? b.x : a.x, (i & 2) ? b.y : a.y, (i & 4) ? b.z : a.z});
  return Mesh(std::move(points), std::vector<std::int32_t>(6, 4),
              {0, 2, 3, 1, 4, 5, 7, 6, 0, 1, 5, 4, 2, 6, 7, 3, 0, 4, 6, 2, 1, 3, 7, 5});
}

// The band's profile swept around the finger axis as quads.
std::unique_ptr<CMeshObject> RingMesh(const Profile& profile, int steps) {
  std::vector<Vector3> points;
  for (int i = 0; i < steps; ++i) {
    for (const ProfilePoint& p : profile) points.push_back(AroundFinger(p, StepAngle(i, steps)));
  }
  const int n = static_cast<int>(profile.size());
  std::vector<std::int32_t> indices;
  for (int i = 0; i < steps; ++i) {
    const int next = (i + 1) % steps;
    for (int j = 0; j < n; ++j) {
      const int k = (j + 1) % n;
      indices.insert(indices.end(), {i * n + j, i * n + k, next * n + k, next * n + j});
    }
  }
  return Mesh(std::move(points), std::vector<std::int32_t>(static_cast<std::size_t>(steps * n), 4),
              std::move(indices));
}

// A gem of the library, its girdle of the given radius centred at the point, table up (+z).
std::unique_ptr<CGemObject> Gem(int index, Vector3 centre, float radius) {
  auto gem = std::make_unique<CGemObject>();
  gem->SetLibraryIndex(index);
  Matrix4 placement = kIdentityMatrix;
  placement.at(0, 0) = placement.at(1, 1) = placement.at(2, 2) = radius;
  SetMatrixRow(&placement, 3, centre);
  gem->placement = placement;
  return gem;
}

std::unique_ptr<CBooleanObject> Group(int operation, Objects members) {
  auto group = std::make_unique<CBooleanObject>();
  group->SetOperation(operation);
  if (operation == kBooleanSubtraction) group->subtractBody = 1;
  for (auto& member : members) group->members.Append(std::move(member));
  return group;
}

// Four upright prongs around a gem of the given girdle radius whose girdle sits at height top.
Objects Prongs(Vector3 centre, float radius, float base, float top, double turn) {
  Objects prongs;
  for (int i = 0; i < 4; ++i) {
    const double a = turn + StepAngle(i, 4);
    const float x = centre.x + radius * static_cast<float>(std::cos(a));
    const float y = centre.y + radius * static_cast<float>(std::sin(a));
    prongs.push_back(BoxMesh({x - 0.35f, y - 0.35f, base}, {x + 0.35f, y + 0.35f, top}));
  }
  return prongs;
}

Objects BandDesign() {
  const Profile profile = BandProfile(kInnerRadius, kBandThickness, kBandWidth);
  Objects objects;
  objects.push_back(SweptBand(profile));
  objects.push_back(ProfileCurve(profile));
  return objects;
}

Objects SolitaireDesign() {
  const float top = kInnerRadius + kBandThickness;
  const Vector3 gemCentre = {0, 0, top + 2.4f};
  Objects united;
  united.push_back(SweptBand(BandProfile(kInnerRadius, kBandThickness, 2.6f)));
  for (auto& prong : Prongs(gemCentre, 2.5f, top - 0.4f, gemCentre.z + 1.0f, std::numbers::pi / 4)) {
    united.push_back(std::move(prong));
  }
  Objects objects;
  objects.push_back(Group(kBooleanUnion, std::move(united)));
  objects.push_back(Gem(kRoundGem, gemCentre, 2.6f));
  return objects;
}

Objects ChannelDesign() {
  const float top = kInnerRadius + 2.0f;
  Objects cut;
  cut.push_back(RingMesh(BandProfile(kInnerRadius, 2.0f, 4.0f), 32));
  cut.push_back(BoxMesh({-6.5f, -1.2f, top - 1.0f}, {6.5f, 1.2f, top + 1.0f}));
  Objects objects;
  objects.push_back(Group(kBooleanSubtraction, std::move(cut)));
  for (int i = -3; i <= 3; ++i) objects.push_back(Gem(kRoundGem, {1.8f * static_cast<float>(i), 0, top - 0.3f}, 0.9f));
  return objects;
}

Objects SignetDesign() {
  const float top = kInnerRadius + kBandThickness;
  auto block = std::make_unique<CBlockObject>();
  CBlockObject::Profile face;
  face.steps = 4;
  // A rounded square seen from above, pushed down from the table of the signet.
  for (int i = 0; i < 12; ++i) {
    const double a = StepAngle(i, 12) + std::numbers::pi / 12;
    const double r = 5.5 / std::max(std::fabs(std::cos(a)), std::fabs(std::sin(a)));
    face.points.push_back({static_cast<float>(std::min(r, 7.0) * std::cos(a)),
                           static_cast<float>(std::min(r, 7.0) * std::sin(a)), 0});
  }
  block->SetProfiles({face});
  block->thickness = 2.5f;
  block->radius = 0.6f;
  block->frontEndType = kBlockEndChamfer;
  Matrix4 placement = kIdentityMatrix;
  SetMatrixRow(&placement, 3, {0, 0, top - 0.8f});
  block->placement = placement;
  block->Rebuild();
  Objects objects;
  objects.push_back(std::move(block));
  objects.push_back(SweptBand(BandProfile(kInnerRadius, kBandThickness, 3.2f)));
  return objects;
}

Objects PendantDesign() {
  const Vector3 centre = {0, 0, 0};
  // The bezel: a collar of quads around the heart's girdle, in the x-y plane.
  const int steps = 24;
  std::vector<Vector3> points;
  for (int i = 0; i < steps; ++i) {
    const double a = StepAngle(i, steps);
    for (const auto& [r, z] : {std::pair{4.6, -0.8}, std::pair{4.6, 0.8}, std::pair{5.4, 0.8}, std::pair{5.4, -0.8}}) {
      points.push_back({static_cast<float>(r * std::cos(a)), static_cast<float>(r * std::sin(a)), static_cast<float>(z)});
    }
  }
  std::vector<std::int32_t> indices;
  for (int i = 0; i < steps; ++i) {
    const int next = (i + 1) % steps;
    for (int j = 0; j < 4; ++j) {
      const int k = (j + 1) % 4;
      indices.insert(indices.end(), {i * 4 + j, i * 4 + k, next * 4 + k, next * 4 + j});
    }
  }
  Objects objects;
  objects.push_back(Gem(kHeartGem, centre, 4.5f));
  objects.push_back(Mesh(std::move(points), std::vector<std::int32_t>(static_cast<std::size_t>(steps * 4), 4),
                         std::move(indices)));
  // The bail: a small band around the x axis above the bezel.
  auto bail = SweptBand(BandProfile(1.2f, 0.6f, 1.4f));
  Matrix4 lay = kIdentityMatrix;
  lay.at(1, 1) = 0, lay.at(1, 0) = 1, lay.at(0, 0) = 0, lay.at(0, 1) = 1;  // finger axis along x
  SetMatrixRow(&lay, 3, {0, 6.4f, 0});
  bail->Transform(lay, 1);
  // Swapping two axes mirrors the band: its outside stays out only with its side turned over.
  if (MatDeterminant(lay, 3) < 0) bail->orientationSign = -bail->orientationSign;
  objects.push_back(std::move(bail));
  objects.push_back(CircleCurve({0, 7.9f, 0}, 1.6f, 12));
  return objects;
}

Objects StudsDesign() {
  Objects settings;
  Objects gems;
  for (const float x : {-6.0f, 6.0f}) {
    const Vector3 centre = {x, 0, 0};
    for (auto& prong : Prongs(centre, 2.3f, -2.0f, 0.9f, 0)) settings.push_back(std::move(prong));
    settings.push_back(BoxMesh({x - 1.6f, -1.6f, -2.4f}, {x + 1.6f, 1.6f, -1.6f}));
    gems.push_back(Gem(kSquareGem, centre, 2.2f));
  }
  Objects objects;
  objects.push_back(Group(kBooleanUnion, std::move(settings)));
  for (auto& gem : gems) objects.push_back(std::move(gem));
  return objects;
}

// Metal in gold and stones in diamond, so the rendered views show what the design is made of.
void DressInMaterials(Objects& objects) {
  static const std::string* const gold = PoolName("Gold");
  static const std::string* const diamond = PoolName("Diamond");
  for (auto& object : objects) object->materialName = object->GetKind() == kKindGem ? diamond : gold;
}

bool WriteDesign(const std::string& path, Objects& objects) {
  for (std::size_t i = 1; i < objects.size(); ++i) objects[i - 1]->next = objects[i].get();
  std::unique_ptr<ReplacingFile> file = ReplacingFile::Open(path);
  if (file == nullptr) return false;
  bool written = false;
  {
    ObjectStreamScope stream(file->file());
    WriteObjectList(objects.front().get());
    written = !ObjectStreamFailed();
  }
  for (auto& object : objects) object->next = nullptr;
  return written && file->Finish() && file->ReplaceTarget();
}

class PictureView : public CanvasView {
 public:
  PictureView(int width, int height) : canvas(width, height) {}
  DeviceContext& DrawingCanvas() override { return canvas; }
  RasterCanvas canvas;
};

// The design in Fast Shading, turned a little from the front and zoomed to its extents.
bool RenderPicture(const Objects& objects, int width, int height, const std::string& path) {
  ResetScene();
  CUndoHistory history;
  CViewport pane;
  pane.documentHistory = &history;
  pane.SetSize(width, height);
  pane.SetAxes(0, 2, 1, 1, 1, -1);
  pane.RotateAboutAxis(0, 25);
  pane.RotateAboutAxis(1, 30);
  pane.displayMode = kDisplayFastShading;
  SetActiveView(&pane);
  Vector3 min = {1e30f, 1e30f, 1e30f}, max = {-1e30f, -1e30f, -1e30f};
  for (const auto& object : objects) {
    Vector3 low, high;
    object->GetBounds(&low, &high, kIdentityMatrix);
    min = {std::min(min.x, low.x), std::min(min.y, low.y), std::min(min.z, low.z)};
    max = {std::max(max.x, high.x), std::max(max.y, high.y), std::max(max.z, high.z)};
    std::unique_ptr<CGeomObject> copy = object->Clone();
    copy->ObjectState = 0;
    AddObject(copy, 0);
  }
  ZoomToExtents(&pane, min, max);
  PictureView view(width, height);
  SetDrawingView(&view);
  RedrawView(&pane);
  SetDrawingView(nullptr);
  SetActiveView(nullptr);
  ResetScene();
  // A frame without OpenGL says so through the command queue.
  if (ProgramCommandQueue().Pending() != 0) return false;
  std::unique_ptr<BmpFile> file = CreateBmpFile(path, width, height, 0, 0);
  if (file == nullptr) return false;
  std::vector<const std::uint8_t*> rows;
  for (int y = 0; y < height; ++y) rows.push_back(view.canvas.rows().data() + y * view.canvas.rowBytes());
  return WriteBmpRows(file.get(), rows.data(), width, height) && file->Close();
}

struct Sample {
  const char* file;  // below database/
  Objects (*build)();
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <program folder>\n", argv[0]);
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "/";
  ResetPlatformState();
  SetProgramDirOverride(folder);
  ResetKernelState();
  LibGlCalls gl;
  InstallGlCalls(&gl);
  if (GlFrame::Instance().Begin(8, 8) != GlFrameStatus::kReady) {
    std::fprintf(stderr, "%s: no OpenGL frame: %s\n", argv[0], GlFrame::Instance().lastError().c_str());
    return 1;
  }
  const Sample samples[] = {
      {"Rings/Rings1/001.lxd", BandDesign},   {"Rings/Rings1/002.lxd", SolitaireDesign},
      {"Rings/Rings1/003.lxd", ChannelDesign}, {"Rings/Rings2/001.lxd", SignetDesign},
      {"Pendants/001.lxd", PendantDesign},     {"Earrings/001.lxd", StudsDesign},
  };
  for (const Sample& sample : samples) {
    const std::filesystem::path design = std::filesystem::path(folder) / "database" / sample.file;
    std::error_code error;
    std::filesystem::create_directories(design.parent_path(), error);
    Objects objects = sample.build();
    DressInMaterials(objects);
    std::filesystem::path picture = design;
    picture.replace_extension(".bmp");
    if (!WriteDesign(design.string(), objects) ||
        !RenderPicture(objects, kThumbnailSide, kThumbnailSide, picture.string())) {
      std::fprintf(stderr, "%s: cannot make %s or its picture\n", argv[0], design.c_str());
      return 1;
    }
  }
  ColorBack = kSplashClear;
  if (!RenderPicture(SolitaireDesign(), kSplashWidth, kSplashHeight, folder + "splash.bmp")) {
    std::fprintf(stderr, "%s: cannot make %ssplash.bmp\n", argv[0], folder.c_str());
    return 1;
  }
  InstallGlCalls(nullptr);
  return 0;
}
