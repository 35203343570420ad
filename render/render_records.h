#pragma once

#include <cstddef>
#include <cstdint>

#include "kernel/vector3.h"

class CMaterial;
struct TriangleSide;

// Where each value sits in an attribute record. Interpolated-colour shading uses only the colour;
// material shading uses the rest, a group at a time.
enum AttributeIndex : int {
  kAttrColour = 0,
  kAttrPosition = 0,
  kAttrTangentU = 3,
  kAttrTangentV = 6,
  kAttrNormal = 9,
  kAttrTextureU = 12,
  kAttrTextureV = 13,
  kAttributeCount = 14,
};

// Shading values interpolated along a side or a span, with their steps.
struct EdgeAttributes {
  EdgeAttributes* next;
  const CMaterial* material;
  float value[kAttributeCount];
  float step[kAttributeCount];
};

// One piece of a primitive's surface cut by the current row: a segment in the (column, depth) plane.
struct ColumnSpan {
  ColumnSpan* next;
  ColumnSpan* activeNext;
  TriangleSide* leftSide;
  TriangleSide* rightSide;
  std::int16_t facing;
  std::int32_t firstColumn;
  std::int32_t lastColumn;
  // The columns covered when sampled just before each column, for closed columns; the span is
  // walked from firstColumn to the later of the two ends.
  std::int32_t firstColumnBefore;
  std::int32_t lastColumnBefore;
  float depth;
  float depthStep;
  EdgeAttributes* attributes;
};

// One place where a pixel's ray crosses a surface.
struct CrossingEntry {
  CrossingEntry* next;
  ColumnSpan* span;
  std::int16_t facing;
  float depth;
};

// What the tree builder gives each projected vertex to interpolate.
struct VertexAttributes {
  VertexAttributes* next;
  // Object space.
  Vector3 position;
  Vector3 normal;
  Vector3 tangentU;
  Vector3 tangentV;
  float u;
  float v;
};

// A projected vertex: x the column, y the row, z the depth (larger is nearer). Three follow each
// other for a triangle, and the third links to the next triangle's first.
struct PolygonVertex {
  PolygonVertex* next;
  float x;
  float y;
  float z;
  VertexAttributes* attributes;
};

// A triangle side at the current row. The sides of the active triangles are linked in pairs.
struct TriangleSide {
  TriangleSide* next;
  ColumnSpan* span;
  const PolygonVertex* end;
  float x;
  float xStep;
  float depth;
  float depthStep;
  EdgeAttributes* attributes;
  const CMaterial* material;
};

// Records from the engine's pools. Every field is the caller's to write; attribute records come
// from cleared blocks but are reused as they were left.
CrossingEntry* AllocCrossingEntry();
ColumnSpan* AllocColumnSpan();
EdgeAttributes* AllocEdgeAttributes();
TriangleSide* AllocTriangleSide();
PolygonVertex* AllocPolygonVertex();
VertexAttributes* AllocVertexAttributes();

void ReleaseCrossingEntry(CrossingEntry* entry);
// A whole crossing list, as a driver gives back what GetSpans returned.
void ReleaseCrossingList(CrossingEntry* head);
// With its attribute record.
void ReleaseColumnSpan(ColumnSpan* span);
void ReleaseTriangleSide(TriangleSide* side);
// With its attribute record.
void ReleasePolygonVertex(PolygonVertex* vertex);

// Blocks held now and at most, per pool, for measurements.
struct PoolUsage {
  const char* name;
  std::size_t recordSize;
  std::size_t blocks;
  std::size_t mostBlocks;
};
inline constexpr int kRenderPoolCount = 6;
void GetRenderPoolUsage(PoolUsage out[kRenderPoolCount]);

// Frees every block of every engine pool.
void FreeRenderPools();
