#pragma once

#include "kernel/matrix4.h"
#include "scene/transform_matrix.h"

// Transform references of the tools: the matrix acts in world space (0) or in each object's own
// frame (1 Object Axis, 2 Object Origin).
inline constexpr int kReferenceWorldOrigin = 0;
inline constexpr int kReferenceObjectAxis = 1;
inline constexpr int kReferenceObjectOrigin = 2;

// copies 0: every shown object on a visible, pickable layer is transformed in place with an undo
// record, a selected one whole, another only in its marked control points. copies n >= 1: each
// selected object gains n - 1 duplicates, moved by M, M squared and so on; the originals stay.
void ApplyTransformToObjects(int reference, const Matrix4& M, int copies);

// The numeric transform commands: the record's matrix applied to the selection, then every view
// redrawn.
void ApplyTransformToSelection(int flags, int reference, const TransformRecord& record, int copies);
