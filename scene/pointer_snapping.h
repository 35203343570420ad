#pragma once

#include "kernel/vector3.h"

// Turning the pointer's screen position into model points, and echoing them.

// Every coordinate rounded to the nearest multiple of step.
Vector3 SnapToGrid(Vector3 v, double step);

// "    X %8.4g    Y %8.4g    Z %8.4g" in the status bar.
void ShowPointStatus(float x, float y, float z);
