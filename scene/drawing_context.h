#pragma once

#include "kernel/matrix4.h"

// The one program-wide drawing context through which objects draw themselves.

// The model matrix takes model space to view space; the viewport loads its view matrix here and
// drawing code multiplies object placements into it. All zeros but element 15 at start.
void SetModelMatrix(const Matrix4& m);
// M := a x M: a acts first, in the object's own space.
void MultiplyModelMatrix(const Matrix4& a);
Matrix4 GetModelMatrix();

void ResetDrawingContext();
