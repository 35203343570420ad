#include "exchange/surface_net_fit.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

// Edges closer than this meet: the seam of a closed surface.
constexpr double kSeamTolerance = 0.0001;
// Samples along each edge to find a seam, and the step (a fraction of the range) and the cosine
// of the angle within which the surface runs on across it.
constexpr int kSeamSamples = 9;
constexpr double kSeamStep = 1e-4;
constexpr double kSeamCosine = 0.9999;
// Check samples per span each way, and at most about this many along a direction.
constexpr int kChecksPerSpan = 4;
constexpr int kMaxChecksPerDirection = 256;
// Measuring the distance from a check sample to the surface: the steps towards the foot of the
// perpendicular, and the step of the differences (a fraction of the range) that give its
// derivatives.
constexpr int kProjectionSteps = 3;
constexpr double kDifferenceStep = 1e-6;
// Sweeps of the interpolation's relaxation: the system is diagonally dominant two to one, so each
// sweep at least halves the error.
constexpr int kRelaxationSweeps = 60;
// Fewer points make no closed cubic of any shape.
constexpr int kLeastClosedPoints = 4;

// How one direction of a net spreads the surface's range over its spans: evenly over each of the
// spans between the breaks (the surface's distinct knots in the range, with its ends) when the
// net has the same number of spans for each, else evenly over the whole range.
struct Direction {
  int points = 0;
  bool closed = false;
  std::vector<double> breaks;

  int Spans() const { return closed ? points : points - 1; }
  double Parameter(double s) const {
    const int pieces = static_cast<int>(breaks.size()) - 1;
    const int spans = Spans();
    if (spans % pieces != 0) return breaks.front() + (breaks.back() - breaks.front()) * s / spans;
    const double at = s * pieces / spans;
    const int piece = std::clamp(static_cast<int>(std::floor(at)), 0, pieces - 1);
    const double low = breaks[static_cast<std::size_t>(piece)];
    return low + (breaks[static_cast<std::size_t>(piece) + 1] - low) * (at - piece);
  }
};

double Distance(Point3d a, Point3d b) { return std::hypot(a.x - b.x, a.y - b.y, a.z - b.z); }

double Dot(Point3d a, Point3d b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Point3d Minus(Point3d a, Point3d b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

Point3d Scaled(Point3d a, double f) { return {a.x * f, a.y * f, a.z * f}; }

// The uniform cubic basis at t in [0, 1].
void CubicBasis(double t, double* b) {
  const double s = 1 - t;
  b[0] = s * s * s / 6;
  b[1] = (3 * t * t * t - 6 * t * t + 4) / 6;
  b[2] = (-3 * t * t * t + 3 * t * t + 3 * t + 1) / 6;
  b[3] = t * t * t / 6;
}

// Control point i of a direction of n points, from -1 to n, as up to two weighted points of the
// net: a phantom end is 2 P0 - P1, a closed direction wraps around.
int Extended(int i, int n, bool closed, int* index, double* weight) {
  if (closed) {
    index[0] = (i % n + n) % n;
    weight[0] = 1;
    return 1;
  }
  if (i < 0 || i >= n) {
    const int end = i < 0 ? 0 : n - 1;
    const int inner = i < 0 ? std::min(1, n - 1) : std::max(n - 2, 0);
    index[0] = end;
    weight[0] = 2;
    index[1] = inner;
    weight[1] = -1;
    return 2;
  }
  index[0] = i;
  weight[0] = 1;
  return 1;
}

// The weights of the four control points of the span holding s, each as up to two points.
struct SpanWeights {
  int count[4];
  int index[4][2];
  double weight[4][2];
};

SpanWeights SpanAt(const Direction& d, double s) {
  const int span = std::clamp(static_cast<int>(std::floor(s)), 0, d.Spans() - 1);
  double basis[4];
  CubicBasis(s - span, basis);
  SpanWeights w{};
  for (int a = 0; a < 4; ++a) {
    w.count[a] = Extended(span - 1 + a, d.points, d.closed, w.index[a], w.weight[a]);
    for (int k = 0; k < w.count[a]; ++k) w.weight[a][k] *= basis[a];
  }
  return w;
}

Point3d NetPoint(const SurfaceNet& net, const Direction& u, const Direction& v, double s, double t) {
  const SpanWeights wu = SpanAt(u, s);
  const SpanWeights wv = SpanAt(v, t);
  Point3d p;
  for (int a = 0; a < 4; ++a) {
    for (int ka = 0; ka < wu.count[a]; ++ka) {
      for (int b = 0; b < 4; ++b) {
        for (int kb = 0; kb < wv.count[b]; ++kb) {
          const double f = wu.weight[a][ka] * wv.weight[b][kb];
          const Vector3 q = net.points[static_cast<std::size_t>(wu.index[a][ka]) * net.columns + wv.index[b][kb]];
          p.x += f * q.x;
          p.y += f * q.y;
          p.z += f * q.z;
        }
      }
    }
  }
  return p;
}

// The distinct knots inside the range, with its ends.
std::vector<double> Breaks(const std::vector<double>& knots, double low, double high) {
  std::vector<double> breaks = {low};
  for (const double knot : knots) {
    if (knot > breaks.back() && knot < high) breaks.push_back(knot);
  }
  breaks.push_back(high);
  return breaks;
}

Direction DirectionU(const RationalBSplineSurface& surface, int points, bool closed) {
  return {points, closed, Breaks(surface.knotsU, surface.u0, surface.u1)};
}

Direction DirectionV(const RationalBSplineSurface& surface, int points, bool closed) {
  return {points, closed, Breaks(surface.knotsV, surface.v0, surface.v1)};
}

// A parameter moved by step: across the seam of a closed direction, else held in the range.
double Moved(double t, double step, double low, double high, bool closed) {
  t += step;
  if (!closed) return std::clamp(t, low, high);
  const double length = high - low;
  return low + (t - low) - length * std::floor((t - low) / length);
}

// The derivative along one parameter by a central difference held in the range.
Point3d Derivative(const RationalBSplineSurface& surface, double u, double v, bool alongU) {
  const double low = alongU ? surface.u0 : surface.v0;
  const double high = alongU ? surface.u1 : surface.v1;
  const double t = alongU ? u : v;
  const double h = kDifferenceStep * (high - low);
  const double a = std::max(t - h, low);
  const double b = std::min(t + h, high);
  const Point3d pa = alongU ? surface.Evaluate(a, v) : surface.Evaluate(u, a);
  const Point3d pb = alongU ? surface.Evaluate(b, v) : surface.Evaluate(u, b);
  return Scaled(Minus(pb, pa), 1 / (b - a));
}

// The distance from q to the surface, from the parameters (u, v) of a point near it on: a few
// Gauss-Newton steps towards the foot of the perpendicular.
double DistanceToSurface(const RationalBSplineSurface& surface, Point3d q, double u, double v, bool closedU, bool closedV) {
  for (int step = 0; step < kProjectionSteps; ++step) {
    const Point3d r = Minus(q, surface.Evaluate(u, v));
    const Point3d su = Derivative(surface, u, v, true);
    const Point3d sv = Derivative(surface, u, v, false);
    const double a = Dot(su, su), b = Dot(su, sv), c = Dot(sv, sv);
    const double determinant = a * c - b * b;
    if (!(determinant > 0)) break;
    const double ru = Dot(su, r), rv = Dot(sv, r);
    u = Moved(u, (c * ru - b * rv) / determinant, surface.u0, surface.u1, closedU);
    v = Moved(v, (a * rv - b * ru) / determinant, surface.v0, surface.v1, closedV);
  }
  return Distance(q, surface.Evaluate(u, v));
}

// The net parameters a direction is checked at: every quarter span, or on a large net the
// quarters of both end spans, where reading a net as ours goes wrong first, and an even spread
// between them.
std::vector<double> CheckParameters(const Direction& d) {
  const int spans = d.Spans();
  std::vector<double> checks;
  if (spans * kChecksPerSpan <= kMaxChecksPerDirection) {
    for (int i = 0; i <= spans * kChecksPerSpan; ++i) checks.push_back(static_cast<double>(i) / kChecksPerSpan);
    return checks;
  }
  for (int i = 0; i < kChecksPerSpan; ++i) checks.push_back(static_cast<double>(i) / kChecksPerSpan);
  for (int i = 0; i <= kMaxChecksPerDirection; ++i) {
    checks.push_back(1 + (spans - 2) * static_cast<double>(i) / kMaxChecksPerDirection);
  }
  for (int i = 1; i <= kChecksPerSpan; ++i) checks.push_back(spans - 1 + static_cast<double>(i) / kChecksPerSpan);
  return checks;
}

double Deviation(const SurfaceNet& net, const Direction& u, const Direction& v, const RationalBSplineSurface& surface) {
  double largest = 0;
  const std::vector<double> checksV = CheckParameters(v);
  for (const double s : CheckParameters(u)) {
    for (const double t : checksV) {
      const double d = DistanceToSurface(surface, NetPoint(net, u, v, s, t), u.Parameter(s), v.Parameter(t), u.closed, v.closed);
      // A distance that is no number is no fit.
      largest = std::isnan(d) ? HUGE_VAL : std::max(largest, d);
    }
  }
  return largest;
}

// Solves (P[k-1] + 4 P[k] + P[k+1]) / 6 = Q[k] in place along a line of n values at stride, the
// ends of an open line held (the phantom ends make the curve pass through them).
void InterpolateLine(Point3d* q, int n, std::ptrdiff_t stride, bool closed) {
  std::vector<Point3d> target(static_cast<std::size_t>(n));
  for (int k = 0; k < n; ++k) target[static_cast<std::size_t>(k)] = q[k * stride];
  const auto at = [&](int k) -> Point3d& { return q[((k % n + n) % n) * stride]; };
  const int first = closed ? 0 : 1;
  const int last = closed ? n - 1 : n - 2;
  for (int sweep = 0; sweep < kRelaxationSweeps; ++sweep) {
    for (int k = first; k <= last; ++k) {
      const Point3d a = at(k - 1);
      const Point3d b = at(k + 1);
      const Point3d& t = target[static_cast<std::size_t>(k)];
      at(k) = {(6 * t.x - a.x - b.x) / 4, (6 * t.y - a.y - b.y) / 4, (6 * t.z - a.z - b.z) / 4};
    }
  }
}

SurfaceNet Interpolate(const RationalBSplineSurface& surface, const Direction& u, const Direction& v) {
  std::vector<Point3d> grid(static_cast<std::size_t>(u.points) * static_cast<std::size_t>(v.points));
  for (int i = 0; i < u.points; ++i) {
    for (int j = 0; j < v.points; ++j) {
      grid[static_cast<std::size_t>(i) * v.points + j] = surface.Evaluate(u.Parameter(i), v.Parameter(j));
    }
  }
  for (int i = 0; i < u.points; ++i) InterpolateLine(&grid[static_cast<std::size_t>(i) * v.points], v.points, 1, v.closed);
  for (int j = 0; j < v.points; ++j) InterpolateLine(&grid[static_cast<std::size_t>(j)], u.points, v.points, u.closed);
  SurfaceNet net;
  net.rows = u.points;
  net.columns = v.points;
  net.closedU = u.closed;
  net.closedV = v.closed;
  net.points.reserve(grid.size());
  for (const Point3d& p : grid) net.points.push_back({static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z)});
  net.deviation = Deviation(net, u, v, surface);
  return net;
}

// The point at fractions (a, b) of the two ranges, a along U when alongU, else along V.
Point3d At(const RationalBSplineSurface& surface, bool alongU, double a, double b) {
  const double u = surface.u0 + (surface.u1 - surface.u0) * (alongU ? a : b);
  const double v = surface.v0 + (surface.v1 - surface.v0) * (alongU ? b : a);
  return surface.Evaluate(u, v);
}

// Whether the edges at the two ends of a direction meet all along, the surface running on across
// them without a crease: a closed direction.
bool SeamMeets(const RationalBSplineSurface& surface, bool alongU) {
  for (int k = 0; k < kSeamSamples; ++k) {
    const double b = static_cast<double>(k) / (kSeamSamples - 1);
    const Point3d first = At(surface, alongU, 0, b);
    const Point3d last = At(surface, alongU, 1, b);
    if (Distance(first, last) > kSeamTolerance) return false;
    const Point3d out = Minus(At(surface, alongU, kSeamStep, b), first);
    const Point3d in = Minus(last, At(surface, alongU, 1 - kSeamStep, b));
    const double lengths = std::sqrt(Dot(out, out) * Dot(in, in));
    if (lengths > 0 && Dot(out, in) < kSeamCosine * lengths) return false;
  }
  return true;
}

// Whether every line of the direction shrinks to a point: a surface with no extent that way.
bool Collapsed(const RationalBSplineSurface& surface, bool alongU) {
  for (int k = 0; k < kSeamSamples; ++k) {
    const double b = static_cast<double>(k) / (kSeamSamples - 1);
    const Point3d first = At(surface, alongU, 0, b);
    for (int i = 1; i < kSeamSamples; ++i) {
      if (Distance(first, At(surface, alongU, static_cast<double>(i) / (kSeamSamples - 1), b)) > kSeamTolerance) {
        return false;
      }
    }
  }
  return true;
}

// A span for every knot span of the range at first, enough for a closed cubic.
int FirstPoints(const Direction& d) {
  const int pieces = static_cast<int>(d.breaks.size()) - 1;
  const int spans = d.closed ? pieces * ((kLeastClosedPoints + pieces - 1) / pieces) : pieces;
  return std::min(d.closed ? spans : spans + 1, kMaxFittedNetSide);
}

}  // namespace

double NetDeviation(const SurfaceNet& net, const RationalBSplineSurface& surface) {
  return Deviation(net, DirectionU(surface, net.rows, net.closedU), DirectionV(surface, net.columns, net.closedV),
                   surface);
}

SurfaceNet FitSurfaceNet(const RationalBSplineSurface& surface) {
  if (Collapsed(surface, true) || Collapsed(surface, false)) return {};
  Direction u = DirectionU(surface, 0, SeamMeets(surface, true));
  Direction v = DirectionV(surface, 0, SeamMeets(surface, false));
  u.points = FirstPoints(u);
  v.points = FirstPoints(v);
  SurfaceNet best = Interpolate(surface, u, v);
  // Each round doubles the spans of the direction where that helps more; a round that helps
  // neither way ends the refinement.
  while (best.deviation > kImportTolerance) {
    const auto doubled = [](Direction d) {
      d.points = d.closed ? 2 * d.points : 2 * d.points - 1;
      return d;
    };
    const Direction du = doubled(u);
    const Direction dv = doubled(v);
    const bool canU = du.points <= kMaxFittedNetSide;
    const bool canV = dv.points <= kMaxFittedNetSide;
    if (!canU && !canV) break;
    SurfaceNet byU = canU ? Interpolate(surface, du, v) : SurfaceNet{};
    SurfaceNet byV = canV ? Interpolate(surface, u, dv) : SurfaceNet{};
    const bool takeU = canU && (!canV || byU.deviation <= byV.deviation);
    SurfaceNet& taken = takeU ? byU : byV;
    if (!(taken.deviation < best.deviation)) break;
    (takeU ? u : v) = takeU ? du : dv;
    best = std::move(taken);
  }
  return best;
}
