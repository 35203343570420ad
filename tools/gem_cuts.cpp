#include "tools/gem_cuts.h"

#include <cmath>
#include <initializer_list>

// Every prototype is built from rings of its girdle outline: a girdle band between z = +-g/2, a
// crown of trapezoids up to a table ring (the outline scaled about the origin, so each trapezoid
// is planar), the table as one face (a fan about its centre when the outline is not convex), and
// a pavilion of triangles down to a culet on the z axis. The girdle lies in the x-y plane with
// the table toward +z. Outlines run counter-clockwise seen from +z and are star-shaped about the
// origin, so every crown face is convex and every fan triangle has positive area.

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Point2 {
  double x, y;
};
using Outline = std::vector<Point2>;

// Proportions in units where the spanning outlines are 2 across: each style is 1.2 deep, 60 % of
// that width, as real stones are cut. A cut's height scale keeps that proportion to the stone's
// smaller width once the Jewel command has scaled it, which scales the depth with the length.
struct Style {
  double tableScale, crown, girdle, pavilion;
};
constexpr Style kBrilliant = {0.56, 0.30, 0.04, 0.86};
constexpr Style kStep = {0.70, 0.20, 0.04, 0.96};

// The rose: a flat base, the girdle band, a first tier of trapezoids up to a ring of this scale
// and height above the girdle, and a second tier of triangles up to the apex.
constexpr double kRoseGirdle = 0.04;
constexpr double kRoseTierScale = 0.6;
constexpr double kRoseTierHeight = 0.58;
constexpr double kRoseApexHeight = 1.16;

class CutBuilder {
 public:
  // Adds a ring of the outline scaled about the origin at height z; returns its first index.
  int AddRing(const Outline& outline, double scale, double z) {
    const int first = static_cast<int>(cut_.points.size());
    for (const Point2& p : outline) AddPoint(p.x * scale, p.y * scale, z);
    return first;
  }
  int AddPoint(double x, double y, double z) {
    cut_.points.emplace_back(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
    return static_cast<int>(cut_.points.size()) - 1;
  }
  void AddFace(std::initializer_list<int> indices) {
    cut_.faceSizes.push_back(static_cast<std::int32_t>(indices.size()));
    for (const int i : indices) cut_.faceIndices.push_back(i);
  }
  // Quads between two rings of n points, the upper one above the lower, facing outward.
  void AddBand(int lower, int upper, int n) {
    for (int i = 0; i < n; ++i) {
      const int j = (i + 1) % n;
      AddFace({lower + i, lower + j, upper + j, upper + i});
    }
  }
  // Triangles from a ring to a point above it (outward and up) or below it (outward and down).
  void AddFan(int ring, int n, int apex, bool above) {
    for (int i = 0; i < n; ++i) {
      const int j = (i + 1) % n;
      if (above) {
        AddFace({ring + i, ring + j, apex});
      } else {
        AddFace({ring + j, ring + i, apex});
      }
    }
  }
  // The whole ring as one face, seen from above or from below.
  void AddCap(int ring, int n, bool fromAbove) {
    cut_.faceSizes.push_back(n);
    for (int k = 0; k < n; ++k) cut_.faceIndices.push_back(ring + (fromAbove ? k : n - 1 - k));
  }
  GemCut Take() { return std::move(cut_); }

 private:
  GemCut cut_;
};

GemCut FacetedCut(const Outline& outline, bool convex, const Style& style, double heightScale) {
  const int n = static_cast<int>(outline.size());
  const double halfGirdle = style.girdle / 2 * heightScale;
  const double tableZ = halfGirdle + style.crown * heightScale;
  CutBuilder b;
  const int bottom = b.AddRing(outline, 1.0, -halfGirdle);
  const int top = b.AddRing(outline, 1.0, halfGirdle);
  const int table = b.AddRing(outline, style.tableScale, tableZ);
  const int culet = b.AddPoint(0, 0, -halfGirdle - style.pavilion * heightScale);
  b.AddBand(bottom, top, n);
  b.AddBand(top, table, n);
  if (convex) {
    b.AddCap(table, n, true);
  } else {
    b.AddFan(table, n, b.AddPoint(0, 0, tableZ), true);
  }
  b.AddFan(bottom, n, culet, false);
  return b.Take();
}

GemCut RoseCut(const Outline& outline) {
  const int n = static_cast<int>(outline.size());
  const double halfGirdle = kRoseGirdle / 2;
  CutBuilder b;
  const int bottom = b.AddRing(outline, 1.0, -halfGirdle);
  const int top = b.AddRing(outline, 1.0, halfGirdle);
  const int tier = b.AddRing(outline, kRoseTierScale, halfGirdle + kRoseTierHeight);
  const int apex = b.AddPoint(0, 0, halfGirdle + kRoseApexHeight);
  b.AddCap(bottom, n, false);
  b.AddBand(bottom, top, n);
  b.AddBand(top, tier, n);
  b.AddFan(tier, n, apex, true);
  return b.Take();
}

// Points on a circle of the given centre and radius from angle a0 to a1 (radians), `steps`
// intervals; the first point is left out when withFirst is false.
void AddArc(Outline* out, Point2 centre, double radius, double a0, double a1, int steps, bool withFirst) {
  for (int k = withFirst ? 0 : 1; k <= steps; ++k) {
    const double a = a0 + (a1 - a0) * k / steps;
    out->push_back({centre.x + radius * std::cos(a), centre.y + radius * std::sin(a)});
  }
}

Outline Normalized(Outline outline, double halfWidth, double halfHeight) {
  for (Point2& p : outline) p = {p.x / halfWidth, p.y / halfHeight};
  return outline;
}

Outline Polygon(std::initializer_list<Point2> points) { return Outline(points); }

// n points on the unit circle starting at the angle given (degrees).
Outline Regular(int n, double startDegrees, double radius) {
  Outline out;
  AddArc(&out, {0, 0}, radius, startDegrees * kPi / 180, startDegrees * kPi / 180 + 2 * kPi * (n - 1) / n,
         n - 1, true);
  return out;
}

// The classic marquise of length 0.746 and width 0.36: two circular arcs meeting at the tips
// (+-0.373, 0), 16 intervals each; divided by its half sizes so that it spans [-1, 1] square.
Outline Marquise() {
  const double a = 0.746 / 2, b = 0.36 / 2;
  const double radius = (a * a + b * b) / (2 * b);
  const double k = radius - b;  // the arcs' centres lie at (0, -+k)
  const double tip = std::atan2(k, a);
  Outline out{{a, 0}};
  AddArc(&out, {0, -k}, radius, tip, kPi - tip, 16, false);
  out.back() = {-a, 0};
  AddArc(&out, {0, k}, radius, kPi + tip, 2 * kPi - tip, 16, false);
  out.pop_back();  // the right tip again
  return Normalized(out, a, b);
}

// The pear of length 0.5 and width 0.375: a half circle of radius 0.1875 at the round end (-x)
// joined smoothly to half a marquise running to the point at (0.25, 0).
Outline Pear() {
  const double halfLength = 0.25, r = 0.375 / 2;
  const double cx = -halfLength + r;     // centre of the round end
  const double reach = halfLength - cx;  // from that centre to the point
  const double radius = (reach * reach + r * r) / (2 * r);
  const double k = radius - r;
  const double tip = std::atan2(k, reach);
  Outline out{{halfLength, 0}};
  AddArc(&out, {cx, -k}, radius, tip, kPi / 2, 8, false);
  AddArc(&out, {cx, 0}, r, kPi / 2, 3 * kPi / 2, 16, false);
  AddArc(&out, {cx, k}, radius, 3 * kPi / 2, 2 * kPi - tip, 8, false);
  out.pop_back();  // the point again
  return Normalized(out, halfLength, r);
}

// The heart of width 0.538 and height 0.564: two lobes of radius 0.15 whose circles overlap at
// the cleft, and straight sides tangent to them running to the point at the bottom. Not convex,
// but star-shaped about the centre of its box.
Outline Heart() {
  const double halfWidth = 0.538 / 2, halfHeight = 0.564 / 2;
  const double r = 0.15;
  const Point2 lobe{halfWidth - r, halfHeight - r};  // the right lobe's centre
  const Point2 point{0, -halfHeight};
  // Where the side leaves the right lobe: the tangent point seen from the bottom point.
  const double toPoint = std::atan2(point.y - lobe.y, point.x - lobe.x);
  const double distance = std::hypot(point.x - lobe.x, point.y - lobe.y);
  const double tangent = toPoint + std::acos(r / distance);
  const double cleft = std::atan2(std::sqrt(r * r - lobe.x * lobe.x), -lobe.x);

  // The right lobe from the tangent point over its outermost and topmost points to the cleft.
  Outline right;
  AddArc(&right, lobe, r, tangent, 0, 3, true);
  AddArc(&right, lobe, r, 0, kPi / 2, 5, false);
  AddArc(&right, lobe, r, kPi / 2, cleft, 4, false);

  Outline out{point};
  out.insert(out.end(), right.begin(), right.end());
  for (auto p = right.rbegin() + 1; p != right.rend(); ++p) out.push_back({-p->x, p->y});
  return Normalized(out, halfWidth, halfHeight);
}

}  // namespace

// Library index: the cut.
//  0 round brilliant, 32 girdle points     5 taper, step (real size, unscaled by its command)
//  1 marquise brilliant, 32 points         6 round rose, 24 points
//  2 pear brilliant, 32 points             7 baguette, step
//  3 heart brilliant, 26 points            8 square, step
//  4 octagon, step                         9 triangle, step
std::vector<GemCut> BuildGemCuts() {
  std::vector<GemCut> cuts;
  cuts.push_back(FacetedCut(Regular(32, 0, 1), true, kBrilliant, 1));
  // Width over length: the command scales the depth by the length.
  cuts.push_back(FacetedCut(Marquise(), true, kBrilliant, 0.36 / 0.746));
  cuts.push_back(FacetedCut(Pear(), true, kBrilliant, 0.375 / 0.5));
  cuts.push_back(FacetedCut(Heart(), false, kBrilliant, 1));
  // Flats on the axes, so it spans [-1, 1] square.
  cuts.push_back(FacetedCut(Regular(8, 22.5, 1 / std::cos(kPi / 8)), true, kStep, 1));
  // Width 1.0 at x = -1 narrowing to 0.6 at x = 1; heights as for a width of 1.
  cuts.push_back(FacetedCut(Polygon({{-1, -0.5}, {1, -0.3}, {1, 0.3}, {-1, 0.5}}), true, kStep, 0.5));
  cuts.push_back(RoseCut(Regular(24, 0, 1)));
  cuts.push_back(FacetedCut(Polygon({{1, -0.5}, {1, 0.5}, {-1, 0.5}, {-1, -0.5}}), true, kStep, 0.5));
  cuts.push_back(FacetedCut(Polygon({{1, -1}, {1, 1}, {-1, 1}, {-1, -1}}), true, kStep, 1));
  // Equilateral, vertices on the unit circle, one at +y: 1.5 high, the smaller width.
  cuts.push_back(FacetedCut(Regular(3, 90, 1), true, kStep, 0.75));
  return cuts;
}
