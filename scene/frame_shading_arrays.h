#pragma once

#include <span>

#include "kernel/geom_object.h"

// Derives the arrays that RenderObjectGL will draw for the objects, spread over the usable cores,
// and keeps each in its part's drawing cache, so that drawing the objects afterwards only hands
// kept arrays to GL and draws exactly what it would have drawn deriving them one by one. Parts
// whose kept arrays fit are left alone, and a part shown more than once (a gem's prototype) is
// derived once. Mesh normals flip under the current model matrix, as RenderObjectGL reads it.
void PrepareShadingArrays(std::span<const CGeomObject* const> objects);
