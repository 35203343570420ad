#include "modelling/surface_commands.h"

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "kernel/curve_object.h"
#include "kernel/knot_moves.h"
#include "kernel/surface_object.h"
#include "modelling/curve_edits.h"
#include "modelling/extend_tool_dialog.h"
#include "modelling/revolve_tool_dialog.h"
#include "modelling/surface_grid.h"
#include "scene/pointer_snapping.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/tool_framework.h"
#include "scene/view_axis.h"

SurfaceCommandValues SurfaceCommands;

namespace {

// Makes the B-spline of points revolved in 60-degree steps pass through their radius at the
// knots: 3 / (2 + cos 60).
constexpr float kKnotScale = 1.2f;

// Adds the finished surface and removes its source curve.
CSurfaceObject* AddFromCurve(std::unique_ptr<CSurfaceObject> surface, CCurveObject* curve) {
  ApplyOrientationRule(*surface);
  CSurfaceObject* added = AddObject(surface, 1);
  if (added == nullptr) return nullptr;
  RemoveSourceObject(curve);
  return added;
}

// Row 0 is the curve's points scaled component by component, each further row the one above
// carried by M. With rowsAreKnots the rows are where the surface is to pass at its knots, and
// the control rows are solved from them.
CSurfaceObject* SweepCurve(CCurveObject* curve, int n, const Matrix4& M, Vector3 scale, int closedU,
                           bool rowsAreKnots = false) {
  if (n < 2 || curve->PointCount() == 0) return nullptr;
  auto surface = std::make_unique<CSurfaceObject>();
  SetupGridFromCurve(*curve, *surface, n);
  const int columns = surface->columns;
  for (int i = 0; i < columns; ++i) {
    const Vector3 p = curve->points[i];
    surface->points[i] = {p.x * scale.x, p.y * scale.y, p.z * scale.z};
  }
  for (int r = 1; r < n; ++r) {
    for (int i = 0; i < columns; ++i) {
      surface->points[r * columns + i] = TransformPoint(surface->points[(r - 1) * columns + i], M);
    }
  }
  surface->closedU = closedU;
  if (rowsAreKnots) {
    for (int i = 0; i < columns; ++i) {
      PassingPointsToControlPoints(&surface->points[i], n, columns, closedU, surface->startAttributeU,
                                   surface->endAttributeU);
    }
  }
  return AddFromCurve(std::move(surface), curve);
}

void DoRevolveSurface(int screenAxis, int command) {
  SurfaceCommandValues& kept = SurfaceCommands;
  if (!RevolveDialogConfirmed(command)) kept.fullRevolution = 1;
  Matrix4 M;
  if (RunRevolveToolDialog(&kept.revolveCount, &kept.revolveAngle, &kept.fullRevolution, screenAxis, &kept.clockwise,
                           &M, command, 1) == 0) {
    return;
  }
  ResetToPickTool();
  // A full turn widens its rows so that the B-spline of the turned points passes through their
  // radius at the knots; a partial one starts and ends on the profile, so its rows are solved
  // to pass through the turned profiles.
  const int a = GetViewAxis(screenAxis);
  const int d = (a + 1) % 3;
  const float widen = kept.fullRevolution != 0 ? 3.0f / (2.0f + M.at(d, d)) : 1.0f;
  Vector3 scale{widen, widen, widen};
  Coordinate(scale, a) = 1.0f;
  for (CCurveObject* curve : SelectedCurves()) {
    SweepCurve(curve, kept.revolveCount, M, scale, kept.fullRevolution, kept.fullRevolution == 0);
  }
  RedrawAllViews();
}

struct Primitive {
  int rows;
  int columns;
  std::vector<Vector3> points;
};

void AddPrimitive(Primitive primitive, void (*settings)(CSurfaceObject&)) {
  auto surface = std::make_unique<CSurfaceObject>();
  surface->SetGrid(primitive.rows, primitive.columns, std::move(primitive.points));
  surface->closedU = 1;
  settings(*surface);
  AddObject(surface, 1);
  RedrawAllViews();
}

// Six rows around z at 60 degrees, each of the columns the profile gives for the row's angle.
template <class Profile>
Primitive AroundZ(int columns, Profile profile) {
  Primitive primitive{6, columns, {}};
  for (int k = 0; k < 6; ++k) {
    const double phi = k * std::numbers::pi / 3.0;
    for (int c = 0; c < columns; ++c) primitive.points.push_back(profile(std::cos(phi), std::sin(phi), c));
  }
  return primitive;
}

}  // namespace

CSurfaceObject* ExtendCurveToSurface(CCurveObject* curve, int n, const Matrix4& M) {
  return SweepCurve(curve, n, M, {1, 1, 1}, 0);
}

void DoExtendSurface() {
  SurfaceCommandValues& kept = SurfaceCommands;
  Matrix4 M;
  if (RunExtendToolDialog(&kept.extendCount, &kept.extendVector, &M, kExtendSurfaceCommand, 1) == 0) return;
  ResetToPickTool();
  DoTransformSurface(kept.extendCount, M);
}

void DoTransformSurface(int n, const Matrix4& M) {
  for (CCurveObject* curve : SelectedCurves()) ExtendCurveToSurface(curve, n, M);
  RedrawAllViews();
}

void DoVerticalRevolveSurface() { DoRevolveSurface(1, kVerticalRevolveSurfaceCommand); }
void DoHorizontalRevolveSurface() { DoRevolveSurface(0, kHorizontalRevolveSurfaceCommand); }

void MakeCylinderSurface() {
  AddPrimitive(AroundZ(2,
                       [](double c, double s, int column) {
                         return Vector3{static_cast<float>(kKnotScale * c), static_cast<float>(kKnotScale * s),
                                        column == 0 ? -1.0f : 1.0f};
                       }),
               [](CSurfaceObject& s) { s.displayStepsV = 1; });
}

void MakeConeSurface() {
  AddPrimitive(AroundZ(2,
                       [](double c, double s, int column) {
                         if (column == 1) return Vector3{0, 0, 1};
                         return Vector3{static_cast<float>(kKnotScale * c), static_cast<float>(kKnotScale * s), -1.0f};
                       }),
               [](CSurfaceObject& s) { s.displayStepsV = 1; });
}

// The profile runs from -60 to 240 degrees, one point beyond each pole; the end attributes keep
// the surface from reaching those outer points.
void MakeSphereSurface() {
  AddPrimitive(AroundZ(6,
                       [](double c, double s, int column) {
                         const double psi = (column - 1) * std::numbers::pi / 3.0;
                         const double x = kKnotScale * kKnotScale * std::sin(psi);
                         return Vector3{static_cast<float>(x * c), static_cast<float>(x * s),
                                        static_cast<float>(-kKnotScale * std::cos(psi))};
                       }),
               [](CSurfaceObject& s) { s.startAttributeV = s.endAttributeV = 1; });
}
