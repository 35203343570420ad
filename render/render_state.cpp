#include "render/render_state.h"

#include <vector>

#include "render/material.h"
#include "render/picture_buffer.h"
#include "render/shading.h"

std::int16_t ShadingMode = 0;
int DepthTestFlag = 0;
int ClosedColumnsFlag = 0;
Matrix4 RenderProjection;
int RenderNestingCount = 0;

namespace {

// The first element is the base.
std::vector<Matrix4> renderMatrixStack{kIdentityMatrix};

}  // namespace

void PushRenderMatrix() { renderMatrixStack.push_back(renderMatrixStack.back()); }

void PopRenderMatrix() {
  if (renderMatrixStack.size() > 1) renderMatrixStack.pop_back();
}

void MultiplyRenderMatrix(const Matrix4& m) { renderMatrixStack.back() = MatMultiply(m, renderMatrixStack.back()); }

Matrix4& RenderMatrixTop() { return renderMatrixStack.back(); }

// One product, not the top and then the projection: the two round differently.
Matrix4 RenderPointProjection() { return MatMultiply(renderMatrixStack.back(), RenderProjection); }

Vector3 ProjectPointThrough(const Matrix4& m, float x, float y, float z) {
  const float px = x * m[0] + y * m[4] + z * m[8] + m[12];
  const float py = x * m[1] + y * m[5] + z * m[9] + m[13];
  const float pz = x * m[2] + y * m[6] + z * m[10] + m[14];
  const float w = x * m[3] + y * m[7] + z * m[11] + m[15];
  if (w == 0.0f || w == 1.0f) return {px, py, pz};
  return {px / w, py / w, pz / w};
}

void ResetRenderState() {
  ShadingMode = 0;
  DepthTestFlag = 0;
  ClosedColumnsFlag = 0;
  RenderProjection = Matrix4();
  RenderNestingCount = 0;
  renderMatrixStack.assign(1, kIdentityMatrix);
  ResetShadingState();
  FreeTexturesAndMaterials();
  FailNextPictureBuffer(false);
}
