#pragma once

#include <memory>

#include "modelling/mapping_items.h"

// Binary tree over the sweep coordinate of the items' local positions. Leaves own their items.
struct AxisTreeNode {
  std::unique_ptr<AxisTreeNode> lower;
  std::unique_ptr<AxisTreeNode> upper;
  float lo = 1e10f;
  float hi = -1e10f;
  CPointBatch* items = nullptr;
  ~AxisTreeNode();
};

// Quadtree over the sweep and cross coordinates; children (sweep, cross) below/below,
// above/below, below/above, above/above.
struct QuadTreeNode {
  std::unique_ptr<QuadTreeNode> children[4];
  float minSweep = 1e10f;
  float minCross = 1e10f;
  float maxSweep = -1e10f;
  float maxCross = -1e10f;
  CPointBatch* items = nullptr;
  ~QuadTreeNode();
};

// Split a node holding its items and its range, recursively. A node whose split would send every
// item into one child stays a leaf, so coincident, huge and non-finite coordinates end the split.
void BuildAxisTree(AxisTreeNode* node);
void BuildQuadTree(QuadTreeNode* node);

// Every item of the tree gets ApplyMatrix, then the tree and its items go.
void FreeAxisTree(std::unique_ptr<AxisTreeNode> node);
void FreeQuadTree(std::unique_ptr<QuadTreeNode> node);

// Visits items through visit(item): each leaf in tree order, each leaf's items in list order.
template <class Visit>
void ForEachTreeItem(const AxisTreeNode* node, Visit&& visit) {
  for (; node != nullptr; node = node->upper.get()) {
    if (node->lower != nullptr) ForEachTreeItem(node->lower.get(), visit);
    for (CPointBatch* item = node->items; item != nullptr; item = item->next) visit(item);
  }
}
template <class Visit>
void ForEachTreeItem(const QuadTreeNode* node, Visit&& visit) {
  if (node == nullptr) return;
  for (const auto& child : node->children) ForEachTreeItem(child.get(), visit);
  for (CPointBatch* item = node->items; item != nullptr; item = item->next) visit(item);
}

// Anchors back to world terms (times F).
void ReturnAxisTreeAnchors(const AxisTreeNode* node);
void ReturnQuadTreeAnchors(const QuadTreeNode* node);

// Tries every item of every leaf whose range meets [start, end] (touching counts), lower child
// first.
template <class Trial>
void WalkAxisTree(const AxisTreeNode* node, float start, float end, Trial&& trial) {
  while (node != nullptr && !(node->lo > end || node->hi < start)) {
    if (node->items != nullptr) {
      for (CPointBatch* item = node->items; item != nullptr; item = item->next) trial(item);
      return;
    }
    WalkAxisTree(node->lower.get(), start, end, trial);
    node = node->upper.get();
  }
}

// Tries every item of every leaf whose bounds meet the box, children 1 to 4 in order.
template <class Trial>
void WalkQuadTree(const QuadTreeNode* node, float minSweep, float minCross, float maxSweep,
                  float maxCross, Trial&& trial) {
  if (node == nullptr || node->minSweep > maxSweep || node->maxSweep < minSweep ||
      node->minCross > maxCross || node->maxCross < minCross) {
    return;
  }
  if (node->items != nullptr) {
    for (CPointBatch* item = node->items; item != nullptr; item = item->next) trial(item);
    return;
  }
  for (const auto& child : node->children) {
    WalkQuadTree(child.get(), minSweep, minCross, maxSweep, maxCross, trial);
  }
}
