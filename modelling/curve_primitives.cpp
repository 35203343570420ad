#include "modelling/curve_primitives.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "modelling/new_curve.h"
#include "scene/pointer_snapping.h"
#include "scene/scene_views.h"
#include "scene/view_axis.h"

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

// The point with the two in-plane coordinates set and depth 0.
Vector3 InPlane(int h, float atH, int v, float atV) {
  Vector3 point;
  Coordinate(point, h) = atH;
  Coordinate(point, v) = atV;
  return point;
}

void AddAndRedraw(std::vector<Vector3> points, int closed) {
  AddNewCurve(std::move(points), closed);
  RedrawAllViews();
}

}  // namespace

void MakeLineCurve(float angle, int h, int v, int /*d*/) {
  const float radians = angle * kPi / 180.0f;
  const Vector3 end = InPlane(h, std::cos(radians), v, std::sin(radians));
  AddAndRedraw({NegateVector(end), end}, 0);
}

void MakeCircleCurve(float r, int count, int first, int h, int v, int /*d*/) {
  if (count < 3) return;
  const float step = 2.0f * kPi / static_cast<float>(count);
  const float cvRadius = 3.0f * r / (std::cos(step) + 2.0f);
  std::vector<Vector3> points;
  for (int i = 0; i < count; ++i) {
    if (first == kFirstCvFlat) {
      const float angle = step * (static_cast<float>(i) + 0.5f);
      points.push_back(InPlane(h, cvRadius * std::sin(angle), v, -cvRadius * std::cos(angle)));
    } else {
      const float angle = step * static_cast<float>(i);
      points.push_back(InPlane(h, cvRadius * std::cos(angle), v, cvRadius * std::sin(angle)));
    }
  }
  AddAndRedraw(std::move(points), 1);
}

void MakePolygonCurve(int sides, int first, int h, int v, int /*d*/) {
  if (sides < 3) return;
  const float step = 2.0f * kPi / static_cast<float>(sides);
  const float flatRadius = 1.0f / std::cos(step / 2.0f);
  std::vector<Vector3> points;
  for (int i = 0; i < sides; ++i) {
    Vector3 corner;
    if (first == kFirstCvFlat) {
      const float angle = step * (static_cast<float>(i) + 0.5f);
      corner = InPlane(h, flatRadius * std::sin(angle), v, -flatRadius * std::cos(angle));
    } else {
      const float angle = step * static_cast<float>(i);
      corner = InPlane(h, std::cos(angle), v, std::sin(angle));
    }
    points.push_back(corner);
    points.push_back(corner);
  }
  AddAndRedraw(std::move(points), 1);
}

void MakeHelixCurve(float turns, float r1, float r2, float length, int clockwise, float perTurn) {
  // Typed values can make the count anything, so it is judged in double before any array.
  constexpr double kMaxSpans = 100000.0;
  const double spans = std::floor(static_cast<double>(turns) * perTurn + 0.5);
  if (!std::isfinite(spans) || spans < 1.0 || spans > kMaxSpans) return;
  const int m = static_cast<int>(spans);
  int sh = 1;
  int sv = 1;
  int sd = 1;
  const int h = GetViewAxis(0, &sh);
  const int v = GetViewAxis(1, &sv);
  const int d = GetViewAxis(2, &sd);
  float angleStep = turns * 360.0f / static_cast<float>(m);
  if (clockwise != 0) angleStep = -angleStep;
  const float radiusStep = (r2 - r1) / static_cast<float>(m);
  const float rise = length / static_cast<float>(m);
  std::vector<Vector3> points;
  points.reserve(static_cast<std::size_t>(m) + 1);
  for (int i = 0; i <= m; ++i) {
    const float fi = static_cast<float>(i);
    const float radius = r1 + fi * radiusStep;
    const float angle = fi * angleStep * kPi / 180.0f;
    Vector3 point = InPlane(h, radius * std::cos(angle) * static_cast<float>(sh), v,
                            radius * std::sin(angle) * static_cast<float>(sv));
    Coordinate(point, d) = fi * rise * static_cast<float>(sd);
    points.push_back(point);
  }
  AddAndRedraw(std::move(points), 0);
}
