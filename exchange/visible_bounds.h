#pragma once

#include "kernel/vector3.h"

// The box of the shown and selected solids and surfaces (curves and axis lines left out), each
// object's bounds taken with the identity matrix; layer visibility is not looked at. 1 when the
// box has extent on all three axes, else 0 (min and max then hold what was found).
int GetVisibleBounds(Vector3* min, Vector3* max);
