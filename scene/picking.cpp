#include "scene/picking.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr int kHitListGrowth = 256;

// Where a point lies against the pick rectangle: x -1 left of it, +1 right of it, 0 within its
// columns; y -1 above, +1 below, 0 within its rows. A point that is not finite is outside
// everything: it never hits and no segment through it does.
struct Outcodes {
  int x = 0;
  int y = 0;
  bool finite = false;
};

struct PickState {
  bool pickMode = false;
  int left = 0, top = 0, right = 0, bottom = 0;
  std::int16_t tolerance = 2;
  // Entry hitCount is the current candidate.
  std::vector<CGeomObject*> hitList = std::vector<CGeomObject*>(kHitListGrowth, nullptr);
  int hitCount = 0;
  bool candidateHit = false;
  std::span<const ScreenPoint> lasso;
  float previousX = 0.0f, previousY = 0.0f;
  Outcodes previous;
};

PickState pick;

int Saturate(std::int64_t v) {
  return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX));
}

// Truncation toward zero that stays defined for every float.
int TruncateToInt(float v) {
  if (std::isnan(v)) return 0;
  if (v <= static_cast<float>(INT_MIN)) return INT_MIN;
  if (v >= static_cast<float>(INT_MAX)) return INT_MAX;
  return static_cast<int>(v);
}

Outcodes OutcodesOf(float x, float y) {
  Outcodes codes;
  codes.finite = std::isfinite(x) && std::isfinite(y);
  codes.x = x < static_cast<float>(pick.left) ? -1 : x > static_cast<float>(pick.right) ? 1 : 0;
  codes.y = y < static_cast<float>(pick.top) ? -1 : y > static_cast<float>(pick.bottom) ? 1 : 0;
  return codes;
}

bool Inside(Outcodes codes) { return codes.finite && codes.x == 0 && codes.y == 0; }

bool SegmentMeetsRect(float px, float py, Outcodes p, float cx, float cy, Outcodes c) {
  if (!p.finite || !c.finite) return false;
  // Both ends beyond the same side.
  if (p.x != 0 && c.x == p.x) return false;
  if (p.y != 0 && c.y == p.y) return false;
  if ((p.x == 0 && c.x == 0) || (p.y == 0 && c.y == 0) || Inside(p) || Inside(c)) return true;
  // The line through P and C passes the rectangle when the two corners that P faces, or that lie
  // off P's diagonal, are on opposite sides of it or on it.
  const double left = pick.left, top = pick.top, right = pick.right, bottom = pick.bottom;
  double corners[2][2];
  if (p.x == 0) {
    const double edge = p.y > 0 ? bottom : top;
    corners[0][0] = left, corners[0][1] = edge, corners[1][0] = right, corners[1][1] = edge;
  } else if (p.y == 0) {
    const double edge = p.x > 0 ? right : left;
    corners[0][0] = edge, corners[0][1] = top, corners[1][0] = edge, corners[1][1] = bottom;
  } else if (p.x == p.y) {
    corners[0][0] = right, corners[0][1] = top, corners[1][0] = left, corners[1][1] = bottom;
  } else {
    corners[0][0] = left, corners[0][1] = top, corners[1][0] = right, corners[1][1] = bottom;
  }
  const auto f = [&](const double* corner) {
    return (double{px} - cx) * (corner[1] - py) + (double{cy} - py) * (corner[0] - px);
  };
  const double f0 = f(corners[0]);
  const double f1 = f(corners[1]);
  return f0 == 0.0 || f1 == 0.0 || (f0 < 0.0) != (f1 < 0.0);
}

bool LassoInUse() { return pick.lasso.size() >= 3; }

// Which side of the line through a and b the point lies on: positive, negative or 0 on it.
double Side(double ax, double ay, double bx, double by, double px, double py) {
  return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
}

}  // namespace

void SetPickTolerance(int pixels) { pick.tolerance = static_cast<std::int16_t>(pixels); }

int GetPickTolerance() { return pick.tolerance; }

void SetPickPoint(int x, int y) {
  const std::int64_t t = pick.tolerance;
  SetPickRect(Saturate(x - t), Saturate(y - t), Saturate(x + t), Saturate(y + t));
}

void SetPickRect(int left, int top, int right, int bottom) {
  pick.left = left;
  pick.top = top;
  pick.right = right;
  pick.bottom = bottom;
}

void BeginPick() {
  pick.hitCount = 0;
  pick.hitList[0] = nullptr;
  pick.lasso = {};
  pick.pickMode = true;
}

void BeginLassoPick(std::span<const ScreenPoint> points) {
  bool useLasso = points.size() >= 3;
  if (useLasso) {
    float minX = points[0].x, maxX = points[0].x, minY = points[0].y, maxY = points[0].y;
    for (const ScreenPoint& p : points) {
      minX = std::min(minX, p.x);
      maxX = std::max(maxX, p.x);
      minY = std::min(minY, p.y);
      maxY = std::max(maxY, p.y);
    }
    const float centreX = (minX + maxX) * 0.5f;
    const float centreY = (minY + maxY) * 0.5f;
    if (maxX - centreX > 1.0f && maxY - centreY > 1.0f) {
      SetPickRect(TruncateToInt(minX), TruncateToInt(minY), TruncateToInt(maxX),
                  TruncateToInt(maxY));
    } else {
      // Too small to draw a shape: a point pick at its centre.
      SetPickPoint(TruncateToInt(centreX), TruncateToInt(centreY));
      useLasso = false;
    }
  }
  BeginPick();
  if (useLasso) pick.lasso = points;
}

void SetPickCandidate(CGeomObject* object) {
  pick.hitList[static_cast<std::size_t>(pick.hitCount)] = object;
  pick.candidateHit = false;
}

void RecordPickHit() {
  ++pick.hitCount;
  pick.candidateHit = true;
  if (static_cast<std::size_t>(pick.hitCount) >= pick.hitList.size()) {
    pick.hitList.resize(pick.hitList.size() + kHitListGrowth, nullptr);
  }
}

int EndPick() {
  pick.pickMode = false;
  pick.candidateHit = false;
  return pick.hitCount;
}

CGeomObject* GetPickHit(int index) {
  if (index < 0 || index >= pick.hitCount) return nullptr;
  return pick.hitList[static_cast<std::size_t>(index)];
}

bool IsPickMode() { return pick.pickMode; }

bool SegmentHitsPickRect(float x0, float y0, float x1, float y1) {
  return SegmentMeetsRect(x0, y0, OutcodesOf(x0, y0), x1, y1, OutcodesOf(x1, y1));
}

bool PointInLasso(std::span<const ScreenPoint> lasso, float x, float y) {
  if (!std::isfinite(x) || !std::isfinite(y) || lasso.empty()) return false;
  bool inside = false;
  const ScreenPoint* previous = &lasso.back();
  for (const ScreenPoint& point : lasso) {
    const float x0 = previous->x, y0 = previous->y, x1 = point.x, y1 = point.y;
    previous = &point;
    if ((y0 > y) == (y1 > y)) continue;
    if ((x0 > x && x1 > x) || ((y0 - y) * x1 + (y - y1) * x0) / (y0 - y1) > x) inside = !inside;
  }
  return inside;
}

bool SegmentCrossesLasso(std::span<const ScreenPoint> lasso, float x0, float y0, float x1,
                         float y1) {
  if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1))
    return false;
  const ScreenPoint* previous = lasso.empty() ? nullptr : &lasso.back();
  for (const ScreenPoint& point : lasso) {
    const double ex0 = previous->x, ey0 = previous->y, ex1 = point.x, ey1 = point.y;
    previous = &point;
    const double a = Side(x0, y0, x1, y1, ex0, ey0);
    const double b = Side(x0, y0, x1, y1, ex1, ey1);
    const double c = Side(ex0, ey0, ex1, ey1, x0, y0);
    const double d = Side(ex0, ey0, ex1, ey1, x1, y1);
    if (((a > 0 && b < 0) || (a < 0 && b > 0)) && ((c > 0 && d < 0) || (c < 0 && d > 0)))
      return true;
  }
  return false;
}

void PickTestPoint(float x, float y) {
  if (pick.candidateHit) return;
  pick.previousX = x;
  pick.previousY = y;
  pick.previous = OutcodesOf(x, y);
  if (Inside(pick.previous) && (!LassoInUse() || PointInLasso(pick.lasso, x, y))) RecordPickHit();
}

void PickTestSegmentTo(float x, float y) {
  if (pick.candidateHit) return;
  const Outcodes codes = OutcodesOf(x, y);
  if (SegmentMeetsRect(pick.previousX, pick.previousY, pick.previous, x, y, codes)) {
    if (!LassoInUse() || PointInLasso(pick.lasso, x, y) ||
        SegmentCrossesLasso(pick.lasso, pick.previousX, pick.previousY, x, y)) {
      RecordPickHit();
    }
  }
  pick.previousX = x;
  pick.previousY = y;
  pick.previous = codes;
}

void ResetPickState() { pick = PickState(); }
