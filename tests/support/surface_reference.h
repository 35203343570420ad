#pragma once

// A uniform cubic B-spline surface evaluated in double from its control grid, apart from the
// kernel's tessellation: the end rules (closed wraps, attribute 0 adds the phantom point that
// makes the surface reach its end row, another attribute adds none), and the distance from a
// point to the surface by a search over its parameters.

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include "kernel/surface_object.h"

class SurfaceReference {
 public:
  using Point = std::array<double, 3>;

  explicit SurfaceReference(const CSurfaceObject& s) {
    std::vector<Point> grid;
    for (const Vector3& p : s.points) grid.push_back({p.x, p.y, p.z});
    // Along V (within each row) first, then along U (down each column).
    std::vector<std::vector<Point>> rows;
    for (int r = 0; r < s.rows; ++r) {
      rows.push_back(Extend({grid.begin() + r * s.columns, grid.begin() + (r + 1) * s.columns}, s.closedV,
                            s.startAttributeV, s.endAttributeV));
    }
    columns_ = static_cast<int>(rows[0].size());
    for (int c = 0; c < columns_; ++c) {
      std::vector<Point> column;
      for (const auto& row : rows) column.push_back(row[static_cast<std::size_t>(c)]);
      column = Extend(column, s.closedU, s.startAttributeU, s.endAttributeU);
      rows_ = static_cast<int>(column.size());
      net_.resize(static_cast<std::size_t>(rows_ * columns_));
      for (int r = 0; r < rows_; ++r) net_[static_cast<std::size_t>(r * columns_ + c)] = column[static_cast<std::size_t>(r)];
    }
  }

  double SpansU() const { return rows_ - 3; }
  double SpansV() const { return columns_ - 3; }

  Point At(double u, double v) const {
    const int i = std::clamp(static_cast<int>(std::floor(u)), 0, rows_ - 4);
    const int j = std::clamp(static_cast<int>(std::floor(v)), 0, columns_ - 4);
    double wu[4], wv[4];
    Weights(u - i, wu);
    Weights(v - j, wv);
    Point p{0, 0, 0};
    for (int a = 0; a < 4; ++a) {
      for (int b = 0; b < 4; ++b) {
        const Point& q = net_[static_cast<std::size_t>((i + a) * columns_ + j + b)];
        for (int k = 0; k < 3; ++k) p[k] += wu[a] * wv[b] * q[k];
      }
    }
    return p;
  }

  // The distance from q to the nearest point of the surface: the best of a grid of samples, then
  // a pattern search that halves its step down to 1e-7 of a span.
  double Distance(const Point& q) const {
    const auto distance = [&](double u, double v) {
      const Point p = At(std::clamp(u, 0.0, SpansU()), std::clamp(v, 0.0, SpansV()));
      return std::hypot(p[0] - q[0], p[1] - q[1], p[2] - q[2]);
    };
    double bestU = 0, bestV = 0, best = std::numeric_limits<double>::max();
    constexpr int kPerSpan = 8;
    for (int a = 0; a <= SpansU() * kPerSpan; ++a) {
      for (int b = 0; b <= SpansV() * kPerSpan; ++b) {
        const double d = distance(double(a) / kPerSpan, double(b) / kPerSpan);
        if (d < best) best = d, bestU = double(a) / kPerSpan, bestV = double(b) / kPerSpan;
      }
    }
    for (double step = 1.0 / kPerSpan; step > 1e-7;) {
      bool moved = false;
      for (const auto& [du, dv] : {std::pair{step, 0.0}, {-step, 0.0}, {0.0, step}, {0.0, -step}}) {
        const double u = std::clamp(bestU + du, 0.0, SpansU()), v = std::clamp(bestV + dv, 0.0, SpansV());
        const double d = distance(u, v);
        if (d < best) best = d, bestU = u, bestV = v, moved = true;
      }
      if (!moved) step /= 2;
    }
    return best;
  }

 private:
  static void Weights(double t, double w[4]) {
    w[0] = (1 - t) * (1 - t) * (1 - t) / 6;
    w[1] = (3 * t * t * t - 6 * t * t + 4) / 6;
    w[2] = (-3 * t * t * t + 3 * t * t + 3 * t + 1) / 6;
    w[3] = t * t * t / 6;
  }

  static std::vector<Point> Extend(const std::vector<Point>& p, int closed, int start, int end) {
    const std::size_t n = p.size();
    std::vector<Point> out;
    if (closed != 0) {
      out.push_back(p[n - 1]);
      out.insert(out.end(), p.begin(), p.end());
      out.push_back(p[0]);
      out.push_back(p[1]);
      return out;
    }
    const auto mirror = [](const Point& a, const Point& b) { return Point{2 * a[0] - b[0], 2 * a[1] - b[1], 2 * a[2] - b[2]}; };
    if (start == 0) out.push_back(mirror(p[0], p[1]));
    out.insert(out.end(), p.begin(), p.end());
    if (end == 0) out.push_back(mirror(p[n - 1], p[n - 2]));
    return out;
  }

  std::vector<Point> net_;
  int rows_ = 0;
  int columns_ = 0;
};
