#include "modelling/measure_tool.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "modelling/start_tool.h"
#include "scene/drawing_context.h"
#include "scene/pointer_snapping.h"
#include "scene/scene_views.h"
#include "scene/view_axis.h"
#include "scene/viewport.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

namespace {

constexpr int kMeasuringString = 10134;
constexpr int kDistanceString = 10135;
constexpr double kDegreesPerRadian = 57.29577951308232;

}  // namespace

void CMeasureTool::PointUnderCursor(int x, int y) {
  const CViewport* active = GetActiveView();
  if (active != nullptr && active->displayMode >= kDisplayFastShading) {
    UnprojectPoint(&P2, x, y);
  } else {
    SnapPointToGrid(&P2, x, y);
  }
}

void CMeasureTool::OnLButtonDown(int, int x, int y) {
  ApplyActiveViewProjection();
  // The snapped point lies on the plane through P1.
  P2 = P1;
  PointUnderCursor(x, y);
  RefreshAllViews(1);
  ShowReadout();
}

void CMeasureTool::OnMouseMove(int, int x, int y) {
  RefreshAllViews(0);
  PointUnderCursor(x, y);
  RefreshAllViews(0);
  ShowReadout();
}

void CMeasureTool::OnLButtonUp(int, int, int) {
  RefreshAllViews(0);
  P1 = P2;
  a1 = a2 - 180.0f;
}

void CMeasureTool::DrawFeedback(int paneButtonBits) {
  if (paneButtonBits == 0) return;
  BeginPolyline(kPolylineMarkers);
  AddPolylineVertex(P1);
  AddPolylineVertex(P2);
  BeginPolyline(kPolylineOpen);
  AddPolylineVertex(P1);
  AddPolylineVertex(P2);
  EndPolyline();
}

void CMeasureTool::ShowReadout() {
  const double d[3] = {static_cast<double>(P2.x) - P1.x, static_cast<double>(P2.y) - P1.y,
                       static_cast<double>(P2.z) - P1.z};
  const int h = GetViewAxis(0);
  const int v = GetViewAxis(1);
  a2 = static_cast<float>(std::atan2(d[v], d[h]) * kDegreesPerRadian);
  double da = static_cast<double>(a2) - a1;
  if (da > 180.0) {
    da -= 360.0;
  } else if (da <= -180.0) {
    da += 360.0;
  }
  const double distance = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
  char text[256];
  std::snprintf(text, sizeof text, "    DX %8.7g    DY %8.7g    DZ %8.7g     %s = %8.7g    %s = %8.7g    %s = %8.7g", d[0],
                d[1], d[2], GetLocalizedString(kDistanceString).c_str(), distance, "Angle", static_cast<double>(a2),
                "DA", da);
  ShowStatusText(text);
}

void DoMeasureDistance() { StartDefaultTool<CMeasureTool>(kMeasuringString); }
