#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "kernel/point_set_object.h"

// One record of a surface's extra list, as read from a file. The pairs are kept as the raw 32-bit
// words they were stored as; the surface commands take them as float (u, v) parameters.
struct SurfaceExtraRecord {
  std::int32_t value = 0;
  std::vector<std::array<std::uint32_t, 2>> pairs;
};

// A uniform cubic B-spline surface over a rows x columns control grid, stored row by row (point
// index = row * columns + column); U runs along the rows index, V along the columns index.
class CSurfaceObject : public CPointSetObject {
 public:
  CSurfaceObject() { controlPointsHidden = 1; }

  int GetKind() const override { return kKindSurface; }
  // The wire frame (scene/surface_wireframe.cpp).
  void Draw(int mode) override;
  std::unique_ptr<CGeomObject> Clone() const override;
  // A grid below 2 x 2, or larger than the points read, reads as kStateBadRecord; so does an
  // extra list that runs past the end of the stream.
  void Read() override;
  // The extra list is always written empty. A grid that would not read back (below 2 x 2, or
  // larger than the points) fails the stream.
  void Write() override;
  // Replaces the grid and its points, row by row, when there are at least 2 x 2 and exactly
  // rows x columns of them; otherwise keeps what it had and returns false.
  bool SetGrid(int rowCount, int columnCount, std::vector<Vector3> gridPoints);
  bool GridFitsPoints() const;
  void Swap(CGeomObject& other) override;

  std::int32_t rows = 0;
  std::int32_t columns = 0;
  // Per direction, as the curve's end attributes and closed flag.
  std::int32_t startAttributeU = 0;
  std::int32_t startAttributeV = 0;
  std::int32_t endAttributeU = 0;
  std::int32_t endAttributeV = 0;
  std::int32_t closedU = 0;
  std::int32_t closedV = 0;
  // Steps per span for wireframe drawing; 0 draws that direction as the control rows.
  std::int32_t displayStepsU = 8;
  std::int32_t displayStepsV = 8;
  // Steps per span for shading, rendering and export.
  std::int32_t outputStepsU = 8;
  std::int32_t outputStepsV = 8;
  // +1 or -1: which side is the outside.
  std::int32_t orientationSign = 1;
  std::int32_t surfaceFlag = 0;
  // Not owned: what the rendering and output code keeps with the surface. Clone copies the
  // pointer and Swap exchanges it; its owner frees it.
  void* attachedData = nullptr;
  // In file order.
  std::vector<SurfaceExtraRecord> extras;
};
