#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "modelling/mapping_items.h"

// Binary tree over the sweep coordinate of the items' local positions. The items belong to whoever
// collected them.
struct AxisTreeNode {
  std::unique_ptr<AxisTreeNode> lower;
  std::unique_ptr<AxisTreeNode> upper;
  float lo = 1e10f;
  float hi = -1e10f;
  CPointBatch* items = nullptr;
};

// Quadtree over the sweep and cross coordinates, its nodes in one pool and its items leaf by
// leaf, so that a walk reads contiguous memory. Children (sweep, cross) below/below,
// above/below, below/above, above/above; the root is nodes[0].
struct QuadTreeNode {
  static constexpr std::uint32_t kNone = 0;
  // Pool indices of the children, kNone for none (the root is no one's child).
  std::uint32_t children[4] = {kNone, kNone, kNone, kNone};
  float minSweep = 1e10f;
  float minCross = 1e10f;
  float maxSweep = -1e10f;
  float maxCross = -1e10f;
  // A leaf's items: items[first, end) of its tree.
  std::uint32_t first = 0;
  std::uint32_t end = 0;
};
struct QuadTree {
  std::vector<QuadTreeNode> nodes;
  std::vector<CPointBatch*> items;
  // Each item's sweep and cross coordinates, in the order of items.
  std::vector<float> sweeps;
  std::vector<float> crosses;
  // Each item's best depth, kept equal to its bestDepth by whoever places it.
  std::vector<float> bestDepths;
};

// Split a node holding its items and its range, recursively. A node whose split would send every
// item into one child stays a leaf, so coincident, huge and non-finite coordinates end the split.
void BuildAxisTree(AxisTreeNode* node);
// The quadtree over a list of items whose range is given, split the same way.
std::unique_ptr<QuadTree> BuildQuadTree(CPointBatch* list, float minSweep, float minCross,
                                        float maxSweep, float maxCross);

// Every item of the tree gets ApplyMatrix, then the tree goes.
void FreeAxisTree(std::unique_ptr<AxisTreeNode> node);
void FreeQuadTree(std::unique_ptr<QuadTree> tree);

// Visits items through visit(item): each leaf in tree order, each leaf's items in list order.
template <class Visit>
void ForEachTreeItem(const AxisTreeNode* node, Visit&& visit) {
  for (; node != nullptr; node = node->upper.get()) {
    if (node->lower != nullptr) ForEachTreeItem(node->lower.get(), visit);
    for (CPointBatch* item = node->items; item != nullptr; item = item->next) visit(item);
  }
}
template <class Visit>
void ForEachTreeItem(const QuadTree* tree, Visit&& visit) {
  for (CPointBatch* item : tree->items) visit(item);
}

// Anchors back to world terms (times F).
void ReturnAxisTreeAnchors(const AxisTreeNode* node);
void ReturnQuadTreeAnchors(const QuadTree* tree);

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

// Hands leaf(first, end) the item span of every leaf whose bounds meet the box, children 1 to 4
// in order.
template <class Leaf>
void WalkQuadTreeLeaves(const QuadTree& tree, std::uint32_t index, float minSweep, float minCross,
                        float maxSweep, float maxCross, Leaf&& leaf) {
  const QuadTreeNode& node = tree.nodes[index];
  if (node.minSweep > maxSweep || node.maxSweep < minSweep || node.minCross > maxCross ||
      node.maxCross < minCross) {
    return;
  }
  if (node.first != node.end) {
    leaf(node.first, node.end);
    return;
  }
  for (const std::uint32_t child : node.children) {
    if (child != QuadTreeNode::kNone) {
      WalkQuadTreeLeaves(tree, child, minSweep, minCross, maxSweep, maxCross, leaf);
    }
  }
}

// Tries every item of every leaf whose bounds meet the box, children 1 to 4 in order.
template <class Trial>
void WalkQuadTree(const QuadTree& tree, float minSweep, float minCross, float maxSweep,
                  float maxCross, Trial&& trial) {
  WalkQuadTreeLeaves(tree, 0, minSweep, minCross, maxSweep, maxCross,
                     [&](std::uint32_t first, std::uint32_t end) {
                       for (std::uint32_t i = first; i < end; ++i) trial(tree.items[i]);
                     });
}
