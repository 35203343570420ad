#pragma once

#include "kernel/matrix4.h"
#include "kernel/vector3.h"

class CCurveObject;
class CSurfaceObject;

// Surface > Extend, Transform and the two Revolves turn every selected curve into a surface and
// remove the curve in the same undo step; Cylinder, Cone and Sphere add primitives.

inline constexpr int kExtendSurfaceCommand = 8000;
inline constexpr int kVerticalRevolveSurfaceCommand = 8001;
inline constexpr int kHorizontalRevolveSurfaceCommand = 8002;
inline constexpr int kCylinderSurfaceCommand = 8010;
inline constexpr int kConeSurfaceCommand = 8011;
inline constexpr int kSphereSurfaceCommand = 8012;

// n rows: the curve, then each row the one above carried by M. Nothing for n < 2 or a curve
// without points. The new surface, or null when none was added.
CSurfaceObject* ExtendCurveToSurface(CCurveObject* curve, int n, const Matrix4& M);

// Two-phase commands: the first call opens the Extend or Revolve dialog, its OK calls again.
void DoExtendSurface();
void DoVerticalRevolveSurface();
void DoHorizontalRevolveSurface();
// The Transform dialog's worker: every selected curve extended by n rows of M.
void DoTransformSurface(int n, const Matrix4& M);

void MakeCylinderSurface();
void MakeConeSurface();
void MakeSphereSurface();

// The values the surface commands keep for the run, with their start-up values. The two
// Revolves share theirs.
struct SurfaceCommandValues {
  int extendCount = 2;
  Vector3 extendVector{0, 0, 1};
  int revolveCount = 6;
  float revolveAngle = 60.0f;
  int fullRevolution = 1;
  int clockwise = 0;
};
extern SurfaceCommandValues SurfaceCommands;
