#pragma once

#include "kernel/vector3.h"

// Estimates of the visible design as the renderer sees it (Boolean groups, jewels and
// subtractors included), from the lengths of rays along z cast on a grid of samples at
// x = xmin + j rx, y = ymin + i ry. Each shows its progress and can be cancelled.

// The volume at one resolution on all axes; -1 when nothing has bounds, when the grid is refused
// or too little memory (10014 shown), or after a cancel. weightFlag only chooses the title.
float ComputeVolume(float resolution, int weightFlag);
// The centre; (0, 0, 0) when nothing has bounds, the grid is refused, memory runs out or no ray
// meets the solid. A cancel gives the centre of the rows scanned.
Vector3 ComputeCentreOfGravity(float resolution);

// Both from one scan, shown as the volume's: the volume as ComputeVolume gives it and the centre
// as ComputeCentreOfGravity does, to the bit.
struct VolumeAndCentre {
  float volume;
  Vector3 centre;
};
VolumeAndCentre ComputeVolumeAndCentre(float resolution);

float EstimateVolume(Vector3 min, Vector3 max, float rx, float ry, float rz, int weightFlag);
Vector3 EstimateCentreOfGravity(Vector3 min, Vector3 max, float rx, float ry, float rz);
