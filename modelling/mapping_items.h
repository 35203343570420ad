#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>
#include <vector>

#include "kernel/geom_object.h"
#include "kernel/matrix4.h"

// Three floats inside an object that a mapping moves: a control point, or the origin row of a
// matrix (elements 12-14). A matrix row is read and written element by element, never through a
// Vector3 laid over the matrix.
struct MappingAnchor {
  Vector3* point = nullptr;
  Matrix4* matrix = nullptr;
  Vector3 Get() const;
  void Set(Vector3 value) const;
};

// One moved thing of a mapping run, in a singly linked list built at the tail.
struct CPointBatch {
  CPointBatch* next = nullptr;
  MappingAnchor anchor;
  // The anchor in the projection frame at collection (UV runs: in world terms).
  Vector3 local;
  // A frame of an object that turns with the item, or null.
  Matrix4* frame = nullptr;
  // For an attached frame: that frame without its origin. For a section: the turn and the centroid.
  Matrix4 rotation = kIdentityMatrix;
  // The control points of one surface section, centroid-relative while the run lasts.
  Vector3* run = nullptr;
  int runCount = 0;
  int runStride = 1;
  float bestDepth = 0.0f;
  // The anchor's world value at collection, given back exactly to items that nothing took.
  Vector3 world;
  bool taken = false;
  CGeomObject* owner = nullptr;

  // Carries each point of the run through the rotation.
  void ApplyMatrix();
};

// Items in chunks of a few thousand: their addresses stay put while the pool grows, and a run of
// millions of items costs a few hundred allocations.
static_assert(std::is_trivially_destructible_v<CPointBatch>);
class CPointBatchPool {
 public:
  // A fresh item at the end.
  CPointBatch* Add();
  // Drops the item Add returned last.
  void RemoveLast() { --size_; }
  template <class Visit>
  void ForEach(Visit&& visit) const {
    for (std::size_t i = 0; i < size_; ++i) visit(*At(i));
  }

 private:
  static constexpr std::size_t kChunk = 4096;
  // Raw storage: an item is made only when added (items need no destruction).
  struct Chunk {
    alignas(CPointBatch) std::byte bytes[kChunk * sizeof(CPointBatch)];
  };
  CPointBatch* At(std::size_t i) const {
    return std::launder(reinterpret_cast<CPointBatch*>(chunks_[i / kChunk]->bytes) + i % kChunk);
  }
  std::vector<std::unique_ptr<Chunk>> chunks_;
  std::size_t size_ = 0;
};

// A rigid object's orientation frame before the run changed anything.
struct SavedFrameRecord {
  SavedFrameRecord* next = nullptr;
  CGeomObject* object = nullptr;
  Matrix4 saved;
  CPointBatch* item = nullptr;
};

// Module-wide state of the mapping commands; one run at a time uses it.
struct MappingState {
  int sweepAxis = 0;
  int crossAxis = 1;
  int depthAxis = 2;
  int lowestHit = 0;
  int justTouch = 0;
  Matrix4 F;
  Matrix4 FTransposed;
  // UV options: direction -1 automatic, 0 horizontal, 1 vertical.
  int uvDirection = -1;
  int uvUniform = 1;
  float x0 = 0.0f;
  float x1 = 10.0f;
  float y0 = 0.0f;
  float y1 = 10.0f;
};
extern MappingState Mapping;

float AxisValue(const Vector3& v, int axis);
void SetAxisValue(Vector3* v, int axis, float value);

// Ranges start empty (lo = +1e10, hi = -1e10) and widen only by finite coordinates.
void Widen(float* lo, float* hi, float value);
void ExtendRange1(float* lo, float* hi, const Vector3& point);
void ExtendRange2(float* minSweep, float* minCross, float* maxSweep, float* maxCross,
                  const Vector3& point);
// The point, in place, times F-transposed.
void TransformIntoFrame(Vector3* point);
