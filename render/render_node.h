#pragma once

#include <cstdint>

#include "render/render_records.h"

class CMaterial;

// A node of the tree that the scanline engine evaluates: a primitive (operation 0) or a group over
// its children. Rows are scanned once, in order from the first, and within a row every column of
// the window is asked once, in order; the tree is then released with ReleaseRenderTree.
class CRenderNode {
 public:
  // Operations of group nodes.
  static constexpr std::uint8_t kPrimitive = 0;
  static constexpr std::uint8_t kUnionOfPieces = 1;
  static constexpr std::uint8_t kUnion = 2;
  static constexpr std::uint8_t kIntersection = 3;
  static constexpr std::uint8_t kSubtraction = 4;

  // A group over children linked by `next`; the node owns them. A subtraction's first child is
  // the body and the second the cutter.
  CRenderNode(std::uint8_t operation, CRenderNode* children);
  virtual ~CRenderNode();
  CRenderNode(const CRenderNode&) = delete;
  CRenderNode& operator=(const CRenderNode&) = delete;

  // The node becomes active at the row. Acts once: a node nested in groups hears it more than once.
  virtual void BeginAtRow(int row);
  // A primitive cuts its geometry with the row; groups have nothing to do.
  virtual void ScanRow(int row);

  void AdvanceToScanline(int row);
  // The balanced crossing list at the column of the current row, nearest first; the caller gives
  // it back with ReleaseCrossingList. With closed columns, where a span covers the column on one
  // of its samples only, the tree is evaluated on the samples just after and just before the
  // column and the two results are united.
  CrossingEntry* GetSpans(int column);
  // Makes the triangles of the vertex list (three vertices each) the primitive's geometry.
  void SetPolygon(PolygonVertex* vertices);
  // The unfinished triangles, top vertex first, for inspection.
  const PolygonVertex* Triangles() const { return triangles; }

  CRenderNode* next = nullptr;
  CRenderNode* columnNext = nullptr;
  ColumnSpan* spans = nullptr;
  ColumnSpan* activeSpans = nullptr;
  // Points into `spans`: the spans not yet active.
  ColumnSpan* pendingSpans = nullptr;
  std::uint8_t operation = kPrimitive;
  CRenderNode* pendingChildren = nullptr;
  CRenderNode* activeChildren = nullptr;
  CRenderNode* columnCursor = nullptr;
  const CMaterial* material = nullptr;
  std::int32_t firstColumn = 9999;
  std::int32_t lastColumn = -9999;
  std::int32_t firstRow = 30000;
  std::int32_t lastRow = -30000;

 protected:
  // For primitives.
  CRenderNode() = default;
  // Gives back the spans of the current row.
  void ReleaseSpans();

  // Triangles not yet finished, sorted by first row; the started ones come first. Only
  // primitives have them.
  PolygonVertex* triangles = nullptr;
  PolygonVertex* unstartedTriangles = nullptr;
  // The two sides of each started triangle, in the order of the triangles.
  TriangleSide* activeSides = nullptr;
  // Raised, when set, where a primitive's sorted crossings leave the result to the order of ties.
  bool* orderDecides_ = nullptr;

 private:
  void AdvancePrimitive(int row);
  void AdvanceUnion(int row);
  void AdvanceIntersection(int row);
  void AdvanceSubtraction(int row);
  // Advances the pending children that start by the row and moves them to the active ones.
  void ActivatePendingChildren(int row);
  void SortActiveChildren();
  void DeleteChildren();
  void CheckRowOrder(int row);
  // Returns the column asked before.
  int CheckColumnOrder(int column);

  // The node's balanced list on the sample just after the column, or, asked again at the same
  // column, on the sample just before it. Only the first asking steps the spans.
  CrossingEntry* Spans(int column, bool before);
  // The crossings of the column, nearest first and not balanced, on the sample just after it or,
  // asked again at the same column, just before it.
  CrossingEntry* PrimitiveCrossings(int column, bool before);
  // The normalised crossings of a primitive that raises *orderDecides_.
  CrossingEntry* WatchedCrossings(int column, bool before);
  CrossingEntry* UnionOfPiecesSpans(int column, bool before);
  CrossingEntry* UnionSpans(int column, bool before);
  CrossingEntry* IntersectionSpans(int column, bool before);

  bool notified_ = false;
  bool subtractionStarted_ = false;
  // The last row and column the node was asked for, for the driving-contract checks.
  std::int32_t checkedRow_ = -(1 << 30) - 1;
  std::int32_t checkedColumn_ = -(1 << 30) - 1;
};

// Deletes the tree (null allowed) and lowers the render nesting count. The last tree also takes
// the engine's pools and the loaded materials and textures with it.
void ReleaseRenderTree(CRenderNode* root);

// Owns a root for a driver and releases it on every path out, so the nesting count never stays
// raised.
class RenderTreeGuard {
 public:
  explicit RenderTreeGuard(CRenderNode* root) : root_(root) {}
  ~RenderTreeGuard() { ReleaseRenderTree(root_); }
  RenderTreeGuard(const RenderTreeGuard&) = delete;
  RenderTreeGuard& operator=(const RenderTreeGuard&) = delete;
  CRenderNode* get() const { return root_; }

 private:
  CRenderNode* root_;
};

// The columns, inclusive, that spans are clipped to. Drivers set it before the first row.
void SetRenderColumnWindow(int first, int last);
int RenderWindowFirstColumn();
int RenderWindowLastColumn();

// The engine's start state: no pool blocks, the default window, no allocation failures planned.
void ResetRenderEngine();
