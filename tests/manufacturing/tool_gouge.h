#pragma once

// How far a milling tool standing on a point reaches into a part given by its triangles, computed
// in double and independently of the program's height grid: the tool is a vertical cylinder
// (flat end) or a cylinder ending in a half ball (ball end), open upwards, with its tip at the
// point. The reach is the largest distance by which the part's surface lies inside the tool: the
// smallest erosion of the tool that clears every triangle.

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "exchange/stl_writers.h"
#include "export_fixtures.h"
#include "kernel/vector3.h"
#include "manufacturing/nc_program.h"
#include "nc_interpreter.h"

struct GougeTriangle {
  double a[3], b[3], c[3];
};

class ToolGouge {
 public:
  ToolGouge(const std::vector<GougeTriangle>& triangles, bool ball, double radius)
      : triangles_(triangles), ball_(ball), radius_(radius) {
    lo_[0] = lo_[1] = std::numeric_limits<double>::max();
    double hi[2] = {-lo_[0], -lo_[0]};
    for (const GougeTriangle& t : triangles_) {
      for (const double* p : {t.a, t.b, t.c}) {
        for (int k = 0; k < 2; ++k) {
          lo_[k] = std::min(lo_[k], p[k]);
          hi[k] = std::max(hi[k], p[k]);
        }
      }
    }
    for (int k = 0; k < 2; ++k) cells_[k] = std::max(1, static_cast<int>((hi[k] - lo_[k]) / kCell) + 1);
    buckets_.resize(static_cast<std::size_t>(cells_[0]) * cells_[1]);
    stamp_.assign(triangles_.size(), 0);
    for (std::size_t i = 0; i < triangles_.size(); ++i) {
      const GougeTriangle& t = triangles_[i];
      int from[2], to[2];
      for (int k = 0; k < 2; ++k) {
        from[k] = Cell(std::min({t.a[k], t.b[k], t.c[k]}), k);
        to[k] = Cell(std::max({t.a[k], t.b[k], t.c[k]}), k);
      }
      for (int x = from[0]; x <= to[0]; ++x) {
        for (int y = from[1]; y <= to[1]; ++y) buckets_[static_cast<std::size_t>(y) * cells_[0] + x].push_back(i);
      }
    }
  }

  // The reach of the tool with its tip at p; 0 when it is clear of the part.
  double Reach(Vector3 p) {
    const double x = p.x, y = p.y, tip = p.z;
    gather(x, y);
    if (Drop(x, y, radius_) <= tip + 1e-12) return 0.0;
    double clear = radius_, touching = 0.0;
    for (int i = 0; i < 30; ++i) {
      const double e = (clear + touching) / 2;
      if (Drop(x, y, radius_ - e) > tip + e) {
        touching = e;
      } else {
        clear = e;
      }
    }
    return touching;
  }

 private:
  static constexpr double kCell = 0.5;

  int Cell(double v, int k) const { return std::clamp(static_cast<int>((v - lo_[k]) / kCell), 0, cells_[k] - 1); }

  void gather(double x, double y) {
    near_.clear();
    ++query_;
    const int x0 = Cell(x - radius_, 0), x1 = Cell(x + radius_, 0);
    const int y0 = Cell(y - radius_, 1), y1 = Cell(y + radius_, 1);
    for (int cx = x0; cx <= x1; ++cx) {
      for (int cy = y0; cy <= y1; ++cy) {
        for (const std::size_t i : buckets_[static_cast<std::size_t>(cy) * cells_[0] + cx]) {
          if (stamp_[i] == query_) continue;
          stamp_[i] = query_;
          near_.push_back(i);
        }
      }
    }
  }

  // The highest tip of a tool of radius r on (x, y) that touches a nearby triangle.
  double Drop(double x, double y, double r) const {
    double best = -std::numeric_limits<double>::infinity();
    for (const std::size_t i : near_) {
      const GougeTriangle& t = triangles_[i];
      const double* v[3] = {t.a, t.b, t.c};
      if (std::equal(t.a, t.a + 3, t.b) && std::equal(t.a, t.a + 3, t.c)) {
        best = std::max(best, Vertex(t.a, x, y, r));
        continue;
      }
      for (int k = 0; k < 3; ++k) {
        best = std::max(best, Vertex(v[k], x, y, r));
        best = std::max(best, Edge(v[k], v[(k + 1) % 3], x, y, r));
      }
      best = std::max(best, Facet(t, x, y, r));
    }
    return best;
  }

  double Vertex(const double* v, double x, double y, double r) const {
    const double d2 = (v[0] - x) * (v[0] - x) + (v[1] - y) * (v[1] - y);
    if (d2 > r * r) return -std::numeric_limits<double>::infinity();
    return ball_ ? v[2] + std::sqrt(r * r - d2) - r : v[2];
  }

  double Edge(const double* a, const double* b, double x, double y, double r) const {
    const double none = -std::numeric_limits<double>::infinity();
    const double e[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
    if (!ball_) {
      // The part of the edge over the disc, by its horizontal parameter range; z is linear.
      const double ex = e[0], ey = e[1], wx = a[0] - x, wy = a[1] - y;
      const double qa = ex * ex + ey * ey;
      if (qa < 1e-18) return none;
      const double qb = 2 * (ex * wx + ey * wy), qc = wx * wx + wy * wy - r * r;
      const double disc = qb * qb - 4 * qa * qc;
      if (disc < 0) return none;
      const double s0 = std::max(0.0, (-qb - std::sqrt(disc)) / (2 * qa));
      const double s1 = std::min(1.0, (-qb + std::sqrt(disc)) / (2 * qa));
      if (s0 > s1) return none;
      return std::max(a[2] + s0 * e[2], a[2] + s1 * e[2]);
    }
    const double length = std::sqrt(e[0] * e[0] + e[1] * e[1] + e[2] * e[2]);
    if (length < 1e-12) return none;
    const double u[3] = {e[0] / length, e[1] / length, e[2] / length};
    const double wx = x - a[0], wy = y - a[1];
    const double k = wx * u[0] + wy * u[1];
    const double qa = 1 - u[2] * u[2];
    if (qa < 1e-12) return none;
    const double qb = -2 * k * u[2], qc = wx * wx + wy * wy - k * k - r * r;
    const double disc = qb * qb - 4 * qa * qc;
    if (disc < 0) return none;
    const double s = (-qb + std::sqrt(disc)) / (2 * qa);
    const double along = k + s * u[2];
    if (along < 0 || along > length) return none;
    return a[2] + s - r;
  }

  double Facet(const GougeTriangle& t, double x, double y, double r) const {
    const double none = -std::numeric_limits<double>::infinity();
    const double e1[3] = {t.b[0] - t.a[0], t.b[1] - t.a[1], t.b[2] - t.a[2]};
    const double e2[3] = {t.c[0] - t.a[0], t.c[1] - t.a[1], t.c[2] - t.a[2]};
    double n[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2], e1[0] * e2[1] - e1[1] * e2[0]};
    const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    if (length < 1e-18) return none;
    for (double& c : n) c /= (n[2] < 0 ? -length : length);
    if (n[2] < 1e-9) return none;
    // The contact point: below the ball's centre along the normal, or the flat end's rim point
    // where the plane is highest.
    double px, py;
    if (ball_) {
      px = x - r * n[0];
      py = y - r * n[1];
    } else {
      const double g = std::hypot(n[0], n[1]);
      px = g < 1e-12 ? x : x - r * n[0] / g;
      py = g < 1e-12 ? y : y - r * n[1] / g;
    }
    // Inside the triangle seen from above.
    const double d = e1[0] * e2[1] - e1[1] * e2[0];
    if (std::fabs(d) < 1e-18) return none;
    const double qx = px - t.a[0], qy = py - t.a[1];
    const double s = (qx * e2[1] - qy * e2[0]) / d;
    const double w = (e1[0] * qy - e1[1] * qx) / d;
    if (s < 0 || w < 0 || s + w > 1) return none;
    const double pz = t.a[2] + s * e1[2] + w * e2[2];
    return ball_ ? pz + r * n[2] - r : pz;
  }

  const std::vector<GougeTriangle>& triangles_;
  bool ball_;
  double radius_;
  double lo_[2];
  int cells_[2];
  std::vector<std::vector<std::size_t>> buckets_;
  std::vector<std::size_t> near_;
  std::vector<long> stamp_;
  long query_ = 0;
};

// How far the tool reaches into the part along a program's feed moves, sampled 0.05 apart:
// the largest reach, and the largest by which a point between two ends of a move reaches further
// than the move's ends. Program heights count from the top of the box; the program knows nothing
// of the part beyond its box, so only a tool wholly inside counts. Rapid moves stay above the
// stock, and the tool reaches no deeper higher up, so a move along z counts at its lower end.
struct ProgramReach {
  double largest = 0;
  double beyondEnds = 0;
};

inline ProgramReach ReachAlongMoves(const std::vector<NcMove>& moves, ToolGouge& gouge, const NcSettings& settings) {
  const double r = settings.toolDiameter / 2;
  const double top = std::max(settings.corner1.z, settings.corner2.z);
  const double x0 = std::min(settings.corner1.x, settings.corner2.x) + r;
  const double x1 = std::max(settings.corner1.x, settings.corner2.x) - r;
  const double y0 = std::min(settings.corner1.y, settings.corner2.y) + r;
  const double y1 = std::max(settings.corner1.y, settings.corner2.y) - r;
  const auto reach = [&](const NcMove& m, double t, const NcMove& n) {
    const double x = m.x + t * (n.x - m.x), y = m.y + t * (n.y - m.y);
    if (x < x0 || x > x1 || y < y0 || y > y1) return 0.0;
    return gouge.Reach(Vector3(static_cast<float>(x), static_cast<float>(y),
                               static_cast<float>(m.z + t * (n.z - m.z) + top)));
  };
  ProgramReach out;
  for (std::size_t i = 1; i < moves.size(); ++i) {
    const NcMove& a = moves[i - 1];
    const NcMove& b = moves[i];
    if (b.rapid) continue;
    if (a.x == b.x && a.y == b.y) {
      out.largest = std::max(out.largest, reach(a, b.z < a.z ? 1.0 : 0.0, b));
      continue;
    }
    const double ends = std::max(reach(a, 0, b), reach(a, 1, b));
    out.largest = std::max(out.largest, ends);
    const double length = std::max(std::fabs(b.x - a.x), std::fabs(b.y - a.y));
    const int steps = std::max(1, static_cast<int>(std::ceil(length / 0.05)));
    for (int k = 1; k < steps; ++k) {
      const double inside = reach(a, double(k) / steps, b);
      out.largest = std::max(out.largest, inside);
      out.beyondEnds = std::max(out.beyondEnds, inside - ends);
    }
  }
  return out;
}

// The triangles the STL export writes of the list from first.
inline std::vector<GougeTriangle> ExportedTriangles(const CGeomObject* first, const std::string& path) {
  EXPECT_TRUE(StlBinaryWriter(first, path));
  std::vector<GougeTriangle> triangles;
  for (const ReadFacet& f : ReadBinaryStl(path)) {
    GougeTriangle t;
    double* const corners[3] = {t.a, t.b, t.c};
    for (int k = 0; k < 3; ++k) {
      const Vector3 v = f.Corner(k);
      corners[k][0] = v.x, corners[k][1] = v.y, corners[k][2] = v.z;
    }
    triangles.push_back(t);
  }
  return triangles;
}

// The part as the program's grid samples it: at each point of the settings' grid the highest
// triangle above it, found by a vertical ray, as a point (a triangle of one corner) that the
// tool must not take in.
inline std::vector<GougeTriangle> GridSamples(const std::vector<GougeTriangle>& triangles, const NcSettings& s) {
  const double x0 = std::min(s.corner1.x, s.corner2.x), y0 = std::min(s.corner1.y, s.corner2.y);
  const int columns = static_cast<int>(std::floor((std::max(s.corner1.x, s.corner2.x) - x0) / s.xStep + 1.5));
  const int rows = static_cast<int>(std::floor((std::max(s.corner1.y, s.corner2.y) - y0) / s.yStep + 1.5));
  std::vector<double> tops(static_cast<std::size_t>(columns) * rows, -std::numeric_limits<double>::infinity());
  for (const GougeTriangle& t : triangles) {
    const double d = (t.b[0] - t.a[0]) * (t.c[1] - t.a[1]) - (t.b[1] - t.a[1]) * (t.c[0] - t.a[0]);
    if (std::fabs(d) < 1e-15) continue;
    const int j0 = std::max(0, static_cast<int>(std::ceil((std::min({t.a[0], t.b[0], t.c[0]}) - x0) / s.xStep)));
    const int j1 = std::min(columns - 1, static_cast<int>(std::floor((std::max({t.a[0], t.b[0], t.c[0]}) - x0) / s.xStep)));
    const int i0 = std::max(0, static_cast<int>(std::ceil((std::min({t.a[1], t.b[1], t.c[1]}) - y0) / s.yStep)));
    const int i1 = std::min(rows - 1, static_cast<int>(std::floor((std::max({t.a[1], t.b[1], t.c[1]}) - y0) / s.yStep)));
    for (int i = i0; i <= i1; ++i) {
      for (int j = j0; j <= j1; ++j) {
        const double qx = x0 + j * double(s.xStep) - t.a[0], qy = y0 + i * double(s.yStep) - t.a[1];
        const double u = (qx * (t.c[1] - t.a[1]) - qy * (t.c[0] - t.a[0])) / d;
        const double v = ((t.b[0] - t.a[0]) * qy - (t.b[1] - t.a[1]) * qx) / d;
        if (u < 0 || v < 0 || u + v > 1) continue;
        double& top = tops[static_cast<std::size_t>(i) * columns + j];
        top = std::max(top, t.a[2] + u * (t.b[2] - t.a[2]) + v * (t.c[2] - t.a[2]));
      }
    }
  }
  std::vector<GougeTriangle> points;
  for (int i = 0; i < rows; ++i) {
    for (int j = 0; j < columns; ++j) {
      const double top = tops[static_cast<std::size_t>(i) * columns + j];
      if (!std::isfinite(top)) continue;
      GougeTriangle p;
      p.a[0] = p.b[0] = p.c[0] = x0 + j * double(s.xStep);
      p.a[1] = p.b[1] = p.c[1] = y0 + i * double(s.yStep);
      p.a[2] = p.b[2] = p.c[2] = top;
      points.push_back(p);
    }
  }
  return points;
}
