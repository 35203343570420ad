#pragma once

#include "kernel/vector3.h"

// Curve > Extend and Revolve (and their Adjust forms): the Extend or Revolve dialog first; once
// it returns its values the transform variant of the drawing tool starts with them.
void DoCurveExtend();
void DoAdjustExtend();
void DoCurveRevolve();
void DoAdjustRevolve();

// The values these commands keep for the run, with their start-up values.
struct CurveRepeatValues {
  int extendCount = 2;
  Vector3 extendVector{1, 0, 0};
  int revolveCount = 4;
  float revolveAngle = 90.0f;
  int fullRevolution = 1;
  int clockwise = 0;
};
extern CurveRepeatValues CurveRepeat;
