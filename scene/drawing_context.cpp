#include "scene/drawing_context.h"

namespace {
Matrix4 modelMatrix;
}  // namespace

void SetModelMatrix(const Matrix4& m) { modelMatrix = m; }

void MultiplyModelMatrix(const Matrix4& a) { modelMatrix = MatMultiply(a, modelMatrix); }

Matrix4 GetModelMatrix() { return modelMatrix; }

void ResetDrawingContext() { modelMatrix = Matrix4(); }
