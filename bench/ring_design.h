#pragma once

// The ring of ring_scene.h as a design in model units, for the benchmarks that render whole
// designs: a band surface closed both ways minus a union of 60 cone seats (a subtraction group),
// 60 round gems of the built "gemlib" set as jewels in the seats, the band and seats in "Gold"
// and the gems in "Diamond". A 3-D view of 800 x 600 pixels looks along the ring's axis, which
// is model y, so that the ring fills it as the engine-only ring fills its raster: 24 pixels a
// unit, the viewer on the -y side. Reads the libraries of the build's program folder.

#include <cmath>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "kernel/boolean_object.h"
#include "kernel/gem_library.h"
#include "kernel/gem_object.h"
#include "kernel/kernel_state.h"
#include "kernel/mesh_object.h"
#include "kernel/name_pool.h"
#include "kernel/surface_object.h"
#include "platform/program_folder.h"
#include "render/render_state.h"
#include "scene/scene.h"
#include "scene/viewport.h"

namespace ring_design {

inline constexpr int kWidth = 800;
inline constexpr int kHeight = 600;
inline constexpr int kSeats = 60;
// Where the seats and gems sit: ring radius, girdle depth towards the viewer, girdle diameter.
inline constexpr double kSeatRadius = 245.0 / 24;
inline constexpr double kGirdleDepth = 78.0 / 24;
inline constexpr double kGemDiameter = 34.0 / 24;

// A point at ring angle a, radius r and depth d towards the viewer.
inline Vector3 RingPoint(double a, double r, double d) {
  return {static_cast<float>(r * std::cos(a)), static_cast<float>(-d), static_cast<float>(r * std::sin(a))};
}

// The band: its cross-section (radius, depth) revolved about the ring's axis, both directions
// closed; the front bulges towards the viewer.
inline std::unique_ptr<CSurfaceObject> Band() {
  static constexpr double kProfile[][2] = {{8.2, 0.0},  {10.2, -0.2}, {12.3, 0.0}, {12.4, 1.6},
                                           {12.2, 3.0}, {10.2, 3.7},  {8.2, 3.0},  {8.1, 1.6}};
  constexpr int kAround = 48;
  constexpr int kAcross = 8;
  std::vector<Vector3> points;
  for (int i = 0; i < kAround; ++i) {
    const double a = 2 * std::numbers::pi * i / kAround;
    for (const auto& [r, d] : kProfile) points.push_back(RingPoint(a, r, d));
  }
  auto band = std::make_unique<CSurfaceObject>();
  band->SetPoints(kAround * kAcross, points);
  band->rows = kAround;
  band->columns = kAcross;
  band->closedU = band->closedV = 1;
  return band;
}

// A seat: a cylinder over the girdle up through the band's front and a cone under it, as one
// closed mesh of outward triangles.
inline std::unique_ptr<CMeshObject> Seat(double a) {
  constexpr int kSides = 24;
  const double radius = kGemDiameter * 0.525;
  const double top = 4.5, apex = kGirdleDepth - 0.6 * kGemDiameter;
  const Vector3 centre = RingPoint(a, kSeatRadius, 0);
  const auto at = [&](int k, double r, double d) {
    const double t = 2 * std::numbers::pi * k / kSides;
    return Vector3{static_cast<float>(centre.x + r * std::cos(t)), static_cast<float>(-d),
                   static_cast<float>(centre.z + r * std::sin(t))};
  };
  std::vector<Vector3> points = {at(0, 0, top), at(0, 0, apex)};
  for (int k = 0; k < kSides; ++k) {
    points.push_back(at(k, radius, top));
    points.push_back(at(k, radius, kGirdleDepth));
  }
  const Vector3 inside = at(0, 0, (top + apex) / 2);
  std::vector<std::int32_t> indices;
  // Each triangle turned to face away from the axis point, which lies inside the convex seat.
  const auto triangle = [&](std::int32_t p, std::int32_t q, std::int32_t r) {
    const Vector3 n = VecCross(VecSub(points[q], points[p]), VecSub(points[r], points[p]));
    if (VecDot(n, VecSub(points[p], inside)) < 0) std::swap(q, r);
    indices.insert(indices.end(), {p, q, r});
  };
  for (std::int32_t k = 0; k < kSides; ++k) {
    const std::int32_t upper = 2 + 2 * k, lower = upper + 1;
    const std::int32_t nextUpper = 2 + 2 * ((k + 1) % kSides), nextLower = nextUpper + 1;
    triangle(0, upper, nextUpper);
    triangle(upper, lower, nextLower);
    triangle(upper, nextLower, nextUpper);
    triangle(1, nextLower, lower);
  }
  auto seat = std::make_unique<CMeshObject>();
  seat->SetPoints(static_cast<int>(points.size()), points);
  seat->SetFaces(std::vector<std::int32_t>(indices.size() / 3, 3), indices);
  return seat;
}

// The placement of library prototype 0 as the gem of seat a: its smallest extent is its axis,
// turned to face the viewer; its largest is the girdle, scaled to the gem's diameter.
inline Matrix4 GemPlacement(double a) {
  Vector3 lo, hi;
  GemLibrary.Prototype(0)->GetBounds(&lo, &hi, kIdentityMatrix);
  const float extent[3] = {hi.x - lo.x, hi.y - lo.y, hi.z - lo.z};
  int axis = 0;
  for (int k = 1; k < 3; ++k) axis = extent[k] < extent[axis] ? k : axis;
  const float scale = static_cast<float>(kGemDiameter) / std::max({extent[0], extent[1], extent[2]});
  // Rows of the turn (row vectors): the axis to -y, the next two cyclically to x and z.
  Matrix4 turn = kIdentityMatrix;
  const float rows[3][3] = {{1, 0, 0}, {0, 0, 1}, {0, -1, 0}};
  for (int k = 0; k < 3; ++k) {
    for (int j = 0; j < 3; ++j) turn.at((axis + 1 + k) % 3, j) = rows[k][j] * scale;
  }
  Matrix4 centre = kIdentityMatrix;
  centre[12] = -(lo.x + hi.x) / 2;
  centre[13] = -(lo.y + hi.y) / 2;
  centre[14] = -(lo.z + hi.z) / 2;
  Matrix4 place = kIdentityMatrix;
  const Vector3 at = RingPoint(a, kSeatRadius, kGirdleDepth);
  place[12] = at.x;
  place[13] = at.y;
  place[14] = at.z;
  return MatMultiply(MatMultiply(centre, turn), place);
}

// Builds the design into the scene and shows it in an active 3-D view. The scene, the render
// state and the program folder are put back when it goes.
class RingDesign {
 public:
  RingDesign() {
    // The library's records are read through the kind registry.
    ResetKernelState();
    SetProgramDirOverride(LUMIDREX_PROGRAM_FOLDER);
    GemLibrary.Load();
    ready_ = GemLibrary.Prototype(0) != nullptr;
    pane.SetSize(kWidth, kHeight);
    pane.viewType = kView3D;
    pane.SetAxes(0, 2, 1, 1, 1, -1);
    pane.viewExtent = 12.5f;
    pane.zoomScale = 1.0f;
    SetActiveView(&pane);
    if (!ready_) return;

    auto seats = std::make_unique<CBooleanObject>();
    seats->SetOperation(kBooleanUnion);
    for (int k = 0; k < kSeats; ++k) seats->members.Append(Named(Seat(Angle(k)), "Gold"));
    auto cut = std::make_unique<CBooleanObject>();
    cut->SetOperation(kBooleanSubtraction);
    cut->members.Append(Named(Band(), "Gold"));
    cut->members.Append(std::move(seats));
    Add(std::move(cut));
    for (int k = 0; k < kSeats; ++k) {
      auto gem = std::make_unique<CGemObject>();
      gem->placement = GemPlacement(Angle(k));
      gem->jewel = 1;
      Add(Named(std::move(gem), "Diamond"));
    }
  }
  ~RingDesign() {
    ResetScene();
    SetActiveView(nullptr);
    ResetRenderState();
    SetProgramDirOverride("");
  }
  RingDesign(const RingDesign&) = delete;
  RingDesign& operator=(const RingDesign&) = delete;

  // False when the gem library could not be read (the build's program folder is missing).
  bool ready() const { return ready_; }
  static double Angle(int k) { return 2 * std::numbers::pi * k / kSeats; }

  CViewport pane;

 private:
  template <class T>
  static std::unique_ptr<T> Named(std::unique_ptr<T> object, const char* material) {
    object->materialName = PoolName(material);
    object->mappingFrame = kIdentityMatrix;
    return object;
  }
  template <class T>
  static void Add(std::unique_ptr<T> object) {
    object->mappingFrame = kIdentityMatrix;
    CGeomObject* added = AddObject(object, 0);
    added->ObjectState = kStateShown;
    added->layer = 0;
  }

  bool ready_ = false;
};

}  // namespace ring_design
