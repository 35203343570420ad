#pragma once

#include <cmath>
#include <cstdio>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "exchange/iges_writer.h"
#include "exchange/stl_writers.h"
#include "grid_mesh.h"
#include "kernel/surface_object.h"

// The exchange benchmarks' inputs, also written for the peer comparison
// (bench/exchange_peer_compare.sh): 1,000,000 triangles on a 1001 x 501 grid of points, and a
// surface of 500 x 500 control points.

// Wrapped round a torus: the seam's points meet, so welding closes it.
inline std::unique_ptr<CMeshObject> BenchTorus() {
  std::unique_ptr<CMeshObject> mesh = GridMesh(1000, 500);
  for (Vector3& p : mesh->points) {
    const double a = std::numbers::pi * (p.x + 20) / 20;
    const double b = std::numbers::pi * (p.y + 20) / 20;
    const double r = 20 + 6 * std::cos(b);
    p = {static_cast<float>(r * std::cos(a)), static_cast<float>(r * std::sin(a)), static_cast<float>(6 * std::sin(b))};
  }
  return mesh;
}

// Flat: one zero extent puts every point into 32 x 32 of the welding cells.
inline std::unique_ptr<CMeshObject> BenchPlate() {
  std::unique_ptr<CMeshObject> mesh = GridMesh(1000, 500);
  for (Vector3& p : mesh->points) p.z = 0;
  return mesh;
}

inline bool WriteBenchStl(const CMeshObject& mesh, const std::string& path) { return StlBinaryWriter(&mesh, path); }

// One polyface mesh of the triangles, entities only, as CAD programs write it for R12.
inline bool WriteBenchPolyface(const CMeshObject& mesh, const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "w");
  if (file == nullptr) return false;
  std::fprintf(file, "0\nSECTION\n2\nENTITIES\n0\nPOLYLINE\n8\n0\n66\n1\n70\n64\n71\n%d\n72\n%d\n",
               mesh.PointCount(), mesh.FaceCount());
  for (const Vector3& p : mesh.points) {
    std::fprintf(file, "0\nVERTEX\n8\n0\n10\n%.3f\n20\n%.3f\n30\n%.3f\n70\n192\n", static_cast<double>(p.x),
                 static_cast<double>(p.y), static_cast<double>(p.z));
  }
  for (std::size_t i = 0; i + 2 < mesh.faceIndices.size(); i += 3) {
    std::fprintf(file, "0\nVERTEX\n8\n0\n10\n0\n20\n0\n30\n0\n70\n128\n71\n%d\n72\n%d\n73\n%d\n",
                 mesh.faceIndices[i] + 1, mesh.faceIndices[i + 1] + 1, mesh.faceIndices[i + 2] + 1);
  }
  std::fprintf(file, "0\nSEQEND\n0\nENDSEC\n0\nEOF\n");
  return std::fclose(file) == 0;
}

// An open wavy sheet of 500 x 500 control points.
inline std::unique_ptr<CSurfaceObject> BenchIgesSurface() {
  constexpr int kSide = 500;
  std::vector<Vector3> grid;
  grid.reserve(kSide * kSide);
  for (int i = 0; i < kSide; ++i) {
    for (int j = 0; j < kSide; ++j) {
      grid.push_back({0.1f * i, 0.1f * j, static_cast<float>(std::sin(0.05 * i) * std::cos(0.07 * j))});
    }
  }
  auto surface = std::make_unique<CSurfaceObject>();
  surface->SetGrid(kSide, kSide, std::move(grid));
  return surface;
}

inline bool WriteBenchIges(const CSurfaceObject& surface, const std::string& path) { return IgesWriter(&surface, path); }

// A torus of radii 20 and 6 as another CAD program writes it: a rational biquadratic surface of
// quarter arcs each way, 9 x 9 control points, which the import must fit a net of its own to.
inline bool WriteBenchRationalTorus(const std::string& path) {
  const double half = std::sqrt(0.5);
  const double arcX[9] = {1, 1, 0, -1, -1, -1, 0, 1, 1};
  const double arcY[9] = {0, 1, 1, 1, 0, -1, -1, -1, 0};
  const double arcW[9] = {1, half, 1, half, 1, half, 1, half, 1};
  std::vector<std::string> tokens = {"128", "8", "8", "2", "2", "1", "1", "0", "0", "0"};
  for (int direction = 0; direction < 2; ++direction) {
    for (const char* knot : {"0", "0", "0", "1", "1", "2", "2", "3", "3", "4", "4", "4"}) tokens.push_back(knot);
  }
  char number[64];
  for (int j = 0; j < 9; ++j) {
    for (int k = 0; k < 9; ++k) {
      std::snprintf(number, sizeof number, "%.17g", arcW[k] * arcW[j]);
      tokens.push_back(number);
    }
  }
  // The first index runs round the axis, the second round the tube.
  for (int j = 0; j < 9; ++j) {
    for (int k = 0; k < 9; ++k) {
      const double r = 20 + 6 * arcX[j];
      for (const double v : {r * arcX[k], r * arcY[k], 6 * arcY[j]}) {
        std::snprintf(number, sizeof number, "%.17g", v);
        tokens.push_back(number);
      }
    }
  }
  for (const char* range : {"0", "4", "0", "4"}) tokens.push_back(range);
  std::FILE* file = std::fopen(path.c_str(), "w");
  if (file == nullptr) return false;
  std::fprintf(file, "%-72sS%7d\n%-72sG%7d\n", "Bench", 1, "1H,,1H;;", 1);
  std::fprintf(file, "%8d%8d%56sD%7d\n%8d%64sD%7d\n", 128, 1, "", 1, 128, "", 2);
  std::string line;
  int lines = 0;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const std::string token = tokens[i] + (i + 1 < tokens.size() ? "," : ";");
    if (line.size() + token.size() > 64) {
      std::fprintf(file, "%-64s%8dP%7d\n", line.c_str(), 1, ++lines);
      line.clear();
    }
    line += token;
  }
  std::fprintf(file, "%-64s%8dP%7d\n", line.c_str(), 1, ++lines);
  std::fprintf(file, "S      1G      1D      2P%7d%40sT      1\n", lines, "");
  return std::fclose(file) == 0;
}
