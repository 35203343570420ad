#pragma once

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "kernel/geom_object.h"
#include "kernel/mesh_object.h"
#include "kernel/surface_object.h"
#include "temp_dir.h"

// A scene list of its own: the objects linked in order through next, first() its head.
class ObjectList {
 public:
  template <class T>
  T* Add(std::unique_ptr<T> object) {
    T* added = object.get();
    if (!objects_.empty()) objects_.back()->next = added;
    objects_.push_back(std::move(object));
    return added;
  }
  const CGeomObject* first() const { return objects_.empty() ? nullptr : objects_.front().get(); }

 private:
  std::vector<std::unique_ptr<CGeomObject>> objects_;
};

// The faces are taken as given, unchecked, so that a test can hand the writers broken ones.
inline std::unique_ptr<CMeshObject> MakeMesh(const std::vector<Vector3>& points,
                                             const std::vector<std::vector<std::int32_t>>& faces) {
  auto mesh = std::make_unique<CMeshObject>();
  mesh->SetPoints(static_cast<int>(points.size()), points);
  for (const auto& face : faces) {
    mesh->faceSizes.push_back(static_cast<std::int32_t>(face.size()));
    mesh->faceIndices.insert(mesh->faceIndices.end(), face.begin(), face.end());
  }
  return mesh;
}

// The byte-exact fixture: a quad that fans into two facets with large coordinates, a face that
// rounds to a point, a face whose normal is too short to normalise and one whose normal has a -0.
inline std::unique_ptr<CMeshObject> FixtureMesh() {
  return MakeMesh({{123456, 0, 1234567},
                   {123458, 0, 1234567},
                   {123458, 2, 1234567},
                   {123456, 2, 1234567},
                   {1, 1, 1},
                   {1.00001f, 1, 1},
                   {1, 1.00002f, 1},
                   {0, 0, 0},
                   {0.0001f, 0, 0},
                   {0, 0.0002f, 0},
                   {10, 0, 0},
                   {12, 0, 0},
                   {9, 2, 0}},
                  {{0, 1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}});
}

// A side x side x side cube from the origin, six quads facing out.
inline std::unique_ptr<CMeshObject> CubeMesh(float side) {
  return MakeMesh({{0, 0, 0}, {side, 0, 0}, {side, side, 0}, {0, side, 0},
                   {0, 0, side}, {side, 0, side}, {side, side, side}, {0, side, side}},
                  {{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4}, {1, 2, 6, 5}, {2, 3, 7, 6}, {3, 0, 4, 7}});
}

inline std::unique_ptr<CSurfaceObject> MakeSurface(int rows, int columns, std::vector<Vector3> grid,
                                                   int closedU, int closedV, int steps) {
  auto surface = std::make_unique<CSurfaceObject>();
  EXPECT_TRUE(surface->SetGrid(rows, columns, std::move(grid)));
  surface->closedU = closedU;
  surface->closedV = closedV;
  surface->outputStepsU = surface->outputStepsV = steps;
  return surface;
}

// The tube of the checks: closed in U, whose rows run counter-clockwise round the z axis; open
// in V, whose two columns stand straight up from z = 0 to z = height.
inline std::unique_ptr<CSurfaceObject> TubeSurface(int around, float radius, float height, int steps) {
  std::vector<Vector3> grid;
  for (int i = 0; i < around; ++i) {
    const double angle = 6.283185307179586 * i / around;
    const auto x = static_cast<float>(radius * std::cos(angle));
    const auto y = static_cast<float>(radius * std::sin(angle));
    grid.insert(grid.end(), {{x, y, 0}, {x, y, height}});
  }
  return MakeSurface(around, 2, std::move(grid), 1, 0, steps);
}

// A torus control grid, closed both ways.
inline std::unique_ptr<CSurfaceObject> TorusSurface(int around, int across, int steps) {
  std::vector<Vector3> grid;
  for (int i = 0; i < around; ++i) {
    const double a = 6.283185307179586 * i / around;
    for (int j = 0; j < across; ++j) {
      const double b = 6.283185307179586 * j / across;
      const double r = 10 + 3 * std::cos(b);
      grid.push_back({static_cast<float>(r * std::cos(a)), static_cast<float>(r * std::sin(a)),
                      static_cast<float>(3 * std::sin(b))});
    }
  }
  return MakeSurface(around, across, std::move(grid), 1, 1, steps);
}

template <class T>
T* Shown(T* object) {
  object->ObjectState = kStateShown;
  return object;
}

// Hand-made binary STL bytes.
inline void AppendU32(std::vector<std::uint8_t>* bytes, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes->push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}
inline void AppendFloats(std::vector<std::uint8_t>* bytes, std::initializer_list<float> values) {
  for (const float v : values) AppendU32(bytes, std::bit_cast<std::uint32_t>(v));
}
inline std::vector<std::uint8_t> BinaryStlHeader(std::uint32_t count) {
  std::vector<std::uint8_t> bytes = {'L', 'u', 'm', 'i', 'd', 'r', 'e', 'x', 0};
  bytes.resize(80, ' ');
  AppendU32(&bytes, count);
  return bytes;
}

struct ReadFacet {
  float values[12];  // normal, V1, V2, V3
  Vector3 Corner(int k) const { return {values[3 + 3 * k], values[4 + 3 * k], values[5 + 3 * k]}; }
  Vector3 Normal() const { return {values[0], values[1], values[2]}; }
};

// The facets of a binary STL file, after checking that its size fits the count it claims.
inline std::vector<ReadFacet> ReadBinaryStl(const std::string& path) {
  const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
  std::vector<ReadFacet> facets;
  if (bytes.size() < 84) {
    ADD_FAILURE() << path << " is " << bytes.size() << " bytes";
    return facets;
  }
  std::uint32_t count = 0;
  for (int i = 3; i >= 0; --i) count = (count << 8) | bytes[80 + static_cast<std::size_t>(i)];
  EXPECT_EQ(bytes.size(), 84 + 50 * std::size_t{count});
  for (std::size_t at = 84; at + 50 <= bytes.size(); at += 50) {
    ReadFacet facet;
    std::memcpy(facet.values, &bytes[at], sizeof facet.values);
    facets.push_back(facet);
  }
  return facets;
}
