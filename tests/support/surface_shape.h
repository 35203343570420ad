#pragma once

#include <vector>

#include "kernel/bspline_curve.h"
#include "kernel/surface_object.h"
#include "kernel/surface_tessellation.h"

// The surface evaluated at the given steps per span, by the kernel's tessellation: row by row,
// *rows x *columns points when those are given.
inline std::vector<Vector3> SurfaceShape(const CSurfaceObject& surface, int stepsU, int stepsV, int* rows = nullptr,
                                         int* columns = nullptr) {
  std::vector<Vector3> net;
  int nu = 0;
  int nv = 0;
  ExtendSurfaceNet(surface.points.data(), surface.rows, surface.columns, surface.startAttributeU,
                   surface.endAttributeU, surface.closedU, surface.startAttributeV, surface.endAttributeV,
                   surface.closedV, &net, &nu, &nv);
  std::vector<Vector3> points;
  int shapeRows = 0;
  int shapeColumns = 0;
  TessellateSurface(kBSplineBasis, net.data(), nu, nv, &points, nullptr, nullptr, &shapeRows, &shapeColumns, stepsU,
                    stepsV, 0);
  if (rows != nullptr) *rows = shapeRows;
  if (columns != nullptr) *columns = shapeColumns;
  return points;
}
