#include "render/record_pool.h"
#include "render/render_records.h"

namespace {

int blockAllocationsUntilFailure = 0;

// One pool per record kind. Attribute records alone start cleared.
RecordPool<CrossingEntry> crossingPool;
RecordPool<ColumnSpan> spanPool;
RecordPool<EdgeAttributes, true> edgeAttributePool;
RecordPool<TriangleSide> sidePool;
RecordPool<PolygonVertex> vertexPool;
RecordPool<VertexAttributes> vertexAttributePool;

}  // namespace

void FailNthBlockAllocation(int n) { blockAllocationsUntilFailure = n; }

void CountBlockAllocation() {
  if (blockAllocationsUntilFailure > 0 && --blockAllocationsUntilFailure == 0) throw std::bad_alloc();
}

CrossingEntry* AllocCrossingEntry() { return crossingPool.Take(); }
ColumnSpan* AllocColumnSpan() { return spanPool.Take(); }
EdgeAttributes* AllocEdgeAttributes() { return edgeAttributePool.Take(); }
TriangleSide* AllocTriangleSide() { return sidePool.Take(); }
PolygonVertex* AllocPolygonVertex() { return vertexPool.Take(); }
VertexAttributes* AllocVertexAttributes() { return vertexAttributePool.Take(); }

void ReleaseCrossingEntry(CrossingEntry* entry) { crossingPool.Give(entry); }
void ReleaseCrossingList(CrossingEntry* head) { crossingPool.GiveList(head); }

void ReleaseColumnSpan(ColumnSpan* span) {
  if (span->attributes != nullptr) edgeAttributePool.Give(span->attributes);
  spanPool.Give(span);
}

void ReleaseTriangleSide(TriangleSide* side) {
  if (side->attributes != nullptr) edgeAttributePool.Give(side->attributes);
  sidePool.Give(side);
}

void ReleasePolygonVertex(PolygonVertex* vertex) {
  if (vertex->attributes != nullptr) vertexAttributePool.Give(vertex->attributes);
  vertexPool.Give(vertex);
}

void GetRenderPoolUsage(PoolUsage out[kRenderPoolCount]) {
  out[0] = {"crossings", sizeof(CrossingEntry), crossingPool.BlocksHeld(), crossingPool.MostBlocksHeld()};
  out[1] = {"spans", sizeof(ColumnSpan), spanPool.BlocksHeld(), spanPool.MostBlocksHeld()};
  out[2] = {"edge attributes", sizeof(EdgeAttributes), edgeAttributePool.BlocksHeld(), edgeAttributePool.MostBlocksHeld()};
  out[3] = {"sides", sizeof(TriangleSide), sidePool.BlocksHeld(), sidePool.MostBlocksHeld()};
  out[4] = {"vertices", sizeof(PolygonVertex), vertexPool.BlocksHeld(), vertexPool.MostBlocksHeld()};
  out[5] = {"vertex attributes", sizeof(VertexAttributes), vertexAttributePool.BlocksHeld(), vertexAttributePool.MostBlocksHeld()};
}

void FreeRenderPools() {
  crossingPool.FreeAll();
  spanPool.FreeAll();
  edgeAttributePool.FreeAll();
  sidePool.FreeAll();
  vertexPool.FreeAll();
  vertexAttributePool.FreeAll();
}

void ResetBlockAllocationHook() { blockAllocationsUntilFailure = 0; }
