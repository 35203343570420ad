#include "modelling/mapping_items.h"

#include <cmath>

MappingState Mapping;

Vector3 MappingAnchor::Get() const {
  if (point != nullptr) return *point;
  return {matrix->m[12], matrix->m[13], matrix->m[14]};
}

void MappingAnchor::Set(Vector3 value) const {
  if (point != nullptr) {
    *point = value;
    return;
  }
  matrix->m[12] = value.x;
  matrix->m[13] = value.y;
  matrix->m[14] = value.z;
}

void CPointBatch::ApplyMatrix() {
  for (int i = 0; i < runCount; ++i) TransformPointInPlace(&run[i * runStride], rotation);
}

float AxisValue(const Vector3& v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }

void SetAxisValue(Vector3* v, int axis, float value) {
  (axis == 0 ? v->x : axis == 1 ? v->y : v->z) = value;
}

void Widen(float* lo, float* hi, float value) {
  if (!std::isfinite(value)) return;
  if (value < *lo) *lo = value;
  if (value > *hi) *hi = value;
}

void ExtendRange1(float* lo, float* hi, const Vector3& point) {
  Widen(lo, hi, AxisValue(point, Mapping.sweepAxis));
}

void ExtendRange2(float* minSweep, float* minCross, float* maxSweep, float* maxCross,
                  const Vector3& point) {
  Widen(minSweep, maxSweep, AxisValue(point, Mapping.sweepAxis));
  Widen(minCross, maxCross, AxisValue(point, Mapping.crossAxis));
}

CPointBatch* CPointBatchPool::Add() {
  if (size_ == chunks_.size() * kChunk) chunks_.push_back(std::make_unique_for_overwrite<Chunk>());
  auto* const item = new (chunks_[size_ / kChunk]->bytes + size_ % kChunk * sizeof(CPointBatch))
      CPointBatch();
  ++size_;
  return item;
}

void TransformIntoFrame(Vector3* point) { TransformPointInPlace(point, Mapping.FTransposed); }
