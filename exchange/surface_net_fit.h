#pragma once

#include <vector>

#include "exchange/rational_bspline_surface.h"
#include "kernel/vector3.h"

// An imported surface arrives within this distance of the file's surface, or says how far off.
inline constexpr double kImportTolerance = 0.01;
// The fit refines a net up to this many points each way.
inline constexpr int kMaxFittedNetSide = 128;

// One of our uniform cubic nets, row by row, with phantom ends where it is open; and how far it
// lies from the surface it stands for, the largest distance found at the check samples between
// points of equal parameter (the range of each direction spread evenly over the net's spans).
struct SurfaceNet {
  std::vector<Vector3> points;
  int rows = 0;
  int columns = 0;
  bool closedU = false;
  bool closedV = false;
  double deviation = 0;
};

// The largest distance between the net and the surface at four samples a span each way.
double NetDeviation(const SurfaceNet& net, const RationalBSplineSurface& surface);

// A net interpolated through exact points of the surface, closed where its opposite edges meet
// without a crease, refined a direction at a time until it lies within kImportTolerance or the
// size limit is reached; then the closest net found, its deviation set. A surface with no extent
// one way gives no net (0 x 0).
SurfaceNet FitSurfaceNet(const RationalBSplineSurface& surface);
