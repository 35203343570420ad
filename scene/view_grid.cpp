#include "scene/view_grid.h"

#include <algorithm>
#include <cmath>

#include "scene/drawing_context.h"
#include "scene/view_axis.h"
#include "scene/viewport.h"
#include "services/app_settings.h"

namespace {

float Coordinate(Vector3 v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }

// The point with coordinate h, coordinate v and 0 on the third axis.
Vector3 PlanePoint(int hAxis, float h, int vAxis, float v) {
  float coordinates[3] = {0.0f, 0.0f, 0.0f};
  coordinates[hAxis] = h;
  coordinates[vAxis] = v;
  return {coordinates[0], coordinates[1], coordinates[2]};
}

void DrawSegment(Vector3 from, Vector3 to) {
  BeginPolyline(kPolylineOpen);
  AddPolylineVertex(from);
  AddPolylineVertex(to);
  EndPolyline();
}

// Snaps outward to a multiple of ten grid steps, at least one such multiple beyond the view.
float Outward(float value, float coarse, float direction) {
  return coarse * std::trunc(value / coarse + direction);
}

// How many lines every g from low to high, counted in double: far from the origin low + i x g
// no longer moves in float, so a loop stopped only by reaching high would never end. NaN when
// the bounds are not finite.
double LineCount(float low, float high, float g) {
  return std::floor((static_cast<double>(high) - static_cast<double>(low)) / static_cast<double>(g)) + 1.0;
}

// Far from the origin a float step is coarser than the grid: lines placed there would pile up on
// each other, and the coordinate of the next line would not move at all.
bool FloatsResolve(float low, float high, float g) {
  const float far = std::max(std::fabs(low), std::fabs(high));
  return std::nextafter(far, INFINITY) - far <= g;
}

// Lines at low + i x g up to high, each placed from its own index so that no running sum
// drifts; one more than the count allows for rounding at the far end.
template <class DrawLine>
void DrawLines(float low, float high, float g, double count, DrawLine&& drawLine) {
  const int limit = static_cast<int>(count) + 1;
  for (int i = 0; i < limit; ++i) {
    const float a = low + static_cast<float>(i) * g;
    if (!(a <= high)) break;
    drawLine(a);
  }
}

}  // namespace

void DrawGridAndAxes(const CViewport& viewport) {
  const int h = GetViewAxis(0);
  const int v = GetViewAxis(1);
  const int d = GetViewAxis(2);

  float hMin = 0.0f, hMax = 0.0f, vMin = 0.0f, vMax = 0.0f;
  const int corners[4][2] = {{viewport.x, viewport.y},
                             {viewport.x + viewport.width, viewport.y},
                             {viewport.x, viewport.y + viewport.height},
                             {viewport.x + viewport.width, viewport.y + viewport.height}};
  for (int i = 0; i < 4; ++i) {
    Vector3 corner;
    UnprojectToPlane(d, corners[i][0], corners[i][1], &corner);
    const float ch = Coordinate(corner, h);
    const float cv = Coordinate(corner, v);
    hMin = i == 0 ? ch : std::min(hMin, ch);
    hMax = i == 0 ? ch : std::max(hMax, ch);
    vMin = i == 0 ? cv : std::min(vMin, cv);
    vMax = i == 0 ? cv : std::max(vMax, cv);
  }

  const float g = GridSpacing;
  if (g > 0.001f) {
    const float coarse = 10.0f * g;
    hMin = Outward(hMin, coarse, -1.0f);
    vMin = Outward(vMin, coarse, -1.0f);
    hMax = Outward(hMax, coarse, 1.0f);
    vMax = Outward(vMax, coarse, 1.0f);
    // Lines closer than 2 pixels merge into a flat tint, and at small zooms would number in the
    // millions: then only the axis lines are drawn. The same holds when there would be more
    // lines than the pane has pixel columns or rows, or when float coordinates are coarser
    // than the grid there, which the spacing alone cannot tell far from the origin.
    const float pixels = g * static_cast<float>(viewport.height - 1) * 0.5f * viewport.zoomScale /
                         viewport.viewExtent;
    const double columns = LineCount(hMin, hMax, g);
    const double rows = LineCount(vMin, vMax, g);
    if (pixels >= 2.0f && columns <= viewport.width && rows <= viewport.height &&
        FloatsResolve(hMin, hMax, g) && FloatsResolve(vMin, vMax, g)) {
      SetDrawColor(ColorGrid);
      DrawLines(hMin, hMax, g, columns,
                [&](float a) { DrawSegment(PlanePoint(h, a, v, vMax), PlanePoint(h, a, v, vMin)); });
      DrawLines(vMin, vMax, g, rows,
                [&](float b) { DrawSegment(PlanePoint(h, hMin, v, b), PlanePoint(h, hMax, v, b)); });
    }
  }

  SetDrawColor(ColorAxis);
  if (hMin <= 0.0f && hMax >= 0.0f) DrawSegment(PlanePoint(h, 0.0f, v, vMin), PlanePoint(h, 0.0f, v, vMax));
  if (vMin <= 0.0f && vMax >= 0.0f) DrawSegment(PlanePoint(h, hMin, v, 0.0f), PlanePoint(h, hMax, v, 0.0f));
}
