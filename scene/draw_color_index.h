#pragma once

#include "platform/device_context.h"

// Selects the colour an object is drawn in: which = 1 the picked-object colour, any other value
// the colour of layer index (an index outside the layer table takes the nearest layer). Returns
// the previous colour.
ColorRef SetDrawColorIndex(int which, int index);
