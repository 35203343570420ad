#include "render/span_setup.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "render/material.h"
#include "render/raster_rounding.h"
#include "render/render_state.h"
#include "render/shading.h"

namespace {

// Interpolated colour needs three values; material shading all of them, unused groups held at 0.
int AttributeValueCount() { return ShadingMode == 0 ? 3 : kAttributeCount; }

void PutVector(float* out, Vector3 v) {
  out[0] = v.x;
  out[1] = v.y;
  out[2] = v.z;
}

// The values a vertex brings to interpolate in the current shading mode.
void VertexValues(const PolygonVertex* vertex, const CMaterial& material, float out[kAttributeCount]) {
  std::fill(out, out + kAttributeCount, 0.0f);
  const VertexAttributes* a = vertex->attributes;
  if (a == nullptr) return;
  if (ShadingMode == 0) {
    ShadeDiffuse(a->normal, &out[0], &out[1], &out[2]);
    return;
  }
  // Groups the material does not ask for stay 0: a recycled record would otherwise carry another
  // span's values into a map that reads them.
  if (material.needsPositionAndTangents != 0) {
    PutVector(out + kAttrPosition, a->position);
    PutVector(out + kAttrTangentU, a->tangentU);
    PutVector(out + kAttrTangentV, a->tangentV);
  }
  if (material.needsNormal != 0) PutVector(out + kAttrNormal, a->normal);
  if (material.needsTextureCoordinates != 0) {
    out[kAttrTextureU] = a->u;
    out[kAttrTextureV] = a->v;
  }
}

void CopyWithoutSteps(EdgeAttributes* to, const EdgeAttributes* from) {
  for (int i = 0; i < kAttributeCount; ++i) {
    to->value[i] = from->value[i];
    to->step[i] = 0.0f;
  }
}

// Sampled just before a column, a span covers it when its near end lies that far short of it and
// its far end no nearer: a span ending on a column covers it, one starting there does not.
constexpr float kBeforeColumn = 0.0011f;

}  // namespace

void SetUpSide(TriangleSide* side, const PolygonVertex* p, const PolygonVertex* q, int row,
               const CMaterial* material) {
  side->end = q;
  side->material = material;
  if (ShadingMode != 2 && side->attributes == nullptr) side->attributes = AllocEdgeAttributes();

  float from[kAttributeCount];
  float to[kAttributeCount];
  const int count = AttributeValueCount();
  if (side->attributes != nullptr) {
    const CMaterial& shading = MaterialOrDefault(material);
    if (ShadingMode == 0) SetLightColour(shading.diffuse[0], shading.diffuse[1], shading.diffuse[2]);
    VertexValues(p, shading, from);
    VertexValues(q, shading, to);
    side->attributes->material = material;
  }

  const float dy = q->y - p->y;
  if (std::fabs(dy) < 0.001f) {
    side->x = p->x;
    side->xStep = 0.0f;
    side->depth = p->z;
    side->depthStep = 0.0f;
    if (side->attributes != nullptr) {
      for (int i = 0; i < kAttributeCount; ++i) {
        side->attributes->value[i] = from[i];
        side->attributes->step[i] = 0.0f;
      }
    }
    return;
  }
  const int t = std::max(RoundUpCoordinate(p->y), row);
  const float dt = static_cast<float>(t) - p->y;
  side->xStep = (q->x - p->x) / dy;
  side->depthStep = (q->z - p->z) / dy;
  side->x = p->x + side->xStep * dt;
  side->depth = p->z + side->depthStep * dt;
  if (side->attributes != nullptr) {
    EdgeAttributes* a = side->attributes;
    for (int i = 0; i < count; ++i) {
      a->step[i] = (to[i] - from[i]) / dy;
      a->value[i] = from[i] + a->step[i] * dt;
    }
    for (int i = count; i < kAttributeCount; ++i) {
      a->value[i] = 0.0f;
      a->step[i] = 0.0f;
    }
  }
}

void StepSide(TriangleSide* side) {
  side->x += side->xStep;
  side->depth += side->depthStep;
  if (side->attributes != nullptr) StepAttributes(side->attributes);
}

void StepAttributes(EdgeAttributes* attributes) {
  const int count = AttributeValueCount();
  for (int i = 0; i < count; ++i) attributes->value[i] += attributes->step[i];
}

void SetUpSpanColumns(ColumnSpan* span, int windowFirst, int windowLast) {
  span->facing = 1;
  if (span->rightSide->x < span->leftSide->x) {
    std::swap(span->leftSide, span->rightSide);
    span->facing = -1;
  }
  const TriangleSide* left = span->leftSide;
  const TriangleSide* right = span->rightSide;
  span->firstColumn = RoundUpCoordinate(left->x);
  span->lastColumn = RoundUpCoordinate(right->x);
  span->firstColumnBefore = span->firstColumn;
  span->lastColumnBefore = span->lastColumn;
  if (ClosedColumnsFlag != 0) {
    span->firstColumnBefore = RoundUpCoordinate(left->x + kBeforeColumn);
    span->lastColumnBefore = RoundUpCoordinate(right->x + kBeforeColumn);
  }
  const std::int32_t end = std::max(span->lastColumn, span->lastColumnBefore);
  if (span->firstColumn == end || end < windowFirst || span->firstColumn > windowLast) return;
  // Only the start is clipped: the driver stops at the window's end by itself.
  span->firstColumn = std::max(span->firstColumn, windowFirst);
  span->firstColumnBefore = std::max(span->firstColumnBefore, windowFirst);
  EdgeAttributes* a = span->attributes;
  if (a != nullptr) a->material = left->material;

  const float w = right->x - left->x;
  if (w < 0.00001f) {
    // Too narrow for a slope: the left side's values, held.
    span->depth = left->depth;
    span->depthStep = 0.0f;
    if (a != nullptr) CopyWithoutSteps(a, left->attributes);
    return;
  }
  const float dx = static_cast<float>(span->firstColumn) - left->x;
  span->depthStep = (right->depth - left->depth) / w;
  span->depth = left->depth + span->depthStep * dx;
  if (a != nullptr) {
    const EdgeAttributes* l = left->attributes;
    const EdgeAttributes* r = right->attributes;
    for (int i = 0; i < kAttributeCount; ++i) {
      a->step[i] = (r->value[i] - l->value[i]) / w;
      a->value[i] = l->value[i] + a->step[i] * dx;
    }
  }
}
