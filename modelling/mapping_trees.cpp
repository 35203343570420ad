#include "modelling/mapping_trees.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace {

// Appends at the tail through a link that follows the list's end.
struct ItemList {
  CPointBatch* head = nullptr;
  CPointBatch** tail = &head;
  void Append(CPointBatch* item) {
    item->next = nullptr;
    *tail = item;
    tail = &item->next;
  }
};

// Halving each term first keeps the midpoint finite for finite ends; otherwise it is (lo + hi) / 2
// to the bit.
float Midpoint(float lo, float hi) { return lo * 0.5f + hi * 0.5f; }

}  // namespace

void BuildAxisTree(AxisTreeNode* node) {
  if (node->items == nullptr || node->items->next == nullptr) return;
  if (!(node->hi - node->lo >= 0.1f)) return;
  const float mid = Midpoint(node->lo, node->hi);
  std::size_t below = 0;
  std::size_t total = 0;
  for (const CPointBatch* item = node->items; item != nullptr; item = item->next) {
    ++total;
    if (AxisValue(item->local, Mapping.sweepAxis) < mid) ++below;
  }
  if (below == 0 || below == total) return;

  ItemList lists[2];
  for (CPointBatch* item = node->items; item != nullptr;) {
    CPointBatch* next = item->next;
    const bool up = !(AxisValue(item->local, Mapping.sweepAxis) < mid);
    lists[up].Append(item);
    item = next;
  }
  node->items = nullptr;
  node->lower = std::make_unique<AxisTreeNode>();
  node->lower->lo = mid;
  node->lower->hi = node->lo;
  node->upper = std::make_unique<AxisTreeNode>();
  node->upper->lo = node->hi;
  node->upper->hi = mid;
  AxisTreeNode* children[2] = {node->lower.get(), node->upper.get()};
  for (int side = 0; side < 2; ++side) {
    children[side]->items = lists[side].head;
    for (const CPointBatch* item = lists[side].head; item != nullptr; item = item->next) {
      ExtendRange1(&children[side]->lo, &children[side]->hi, item->local);
    }
  }
  BuildAxisTree(node->lower.get());
  BuildAxisTree(node->upper.get());
}

namespace {

// Splits the tree's nodes over a permutation of the items, the items' coordinates by list index.
class QuadTreeBuilder {
 public:
  QuadTreeBuilder(QuadTree* tree, CPointBatch* list) : tree_(tree) {
    for (CPointBatch* item = list; item != nullptr; item = item->next) {
      listed_.push_back(item);
      sweeps_.push_back(AxisValue(item->local, Mapping.sweepAxis));
      crosses_.push_back(AxisValue(item->local, Mapping.crossAxis));
    }
    order_.resize(listed_.size());
    for (std::size_t i = 0; i < order_.size(); ++i) order_[i] = static_cast<std::uint32_t>(i);
    scratch_.resize(order_.size());
  }

  void Build() {
    Split(0, 0, static_cast<std::uint32_t>(order_.size()));
    tree_->items.reserve(order_.size());
    tree_->sweeps.reserve(order_.size());
    tree_->crosses.reserve(order_.size());
    tree_->bestDepths.reserve(order_.size());
    for (const std::uint32_t i : order_) {
      tree_->items.push_back(listed_[i]);
      tree_->sweeps.push_back(sweeps_[i]);
      tree_->crosses.push_back(crosses_[i]);
      tree_->bestDepths.push_back(listed_[i]->bestDepth);
    }
  }

 private:
  // The node's items are order_[first, end), in list order; a split keeps that order within
  // each child.
  void Split(std::uint32_t index, std::uint32_t first, std::uint32_t end) {
    std::vector<QuadTreeNode>& nodes = tree_->nodes;
    const auto makeLeaf = [&] {
      nodes[index].first = first;
      nodes[index].end = end;
    };
    const QuadTreeNode bounds = nodes[index];
    if (end - first < 2 || (!(bounds.maxSweep - bounds.minSweep >= 0.1f) &&
                            !(bounds.maxCross - bounds.minCross >= 0.1f))) {
      makeLeaf();
      return;
    }
    const float midSweep = Midpoint(bounds.minSweep, bounds.maxSweep);
    const float midCross = Midpoint(bounds.minCross, bounds.maxCross);
    const auto quadrant = [&](std::uint32_t item) {
      return static_cast<int>(!(sweeps_[item] < midSweep)) +
             2 * static_cast<int>(!(crosses_[item] < midCross));
    };
    std::uint32_t counts[4] = {0, 0, 0, 0};
    for (std::uint32_t i = first; i < end; ++i) ++counts[quadrant(order_[i])];
    for (const std::uint32_t count : counts) {
      // Every item fell into one child: the split makes no progress.
      if (count == end - first) {
        makeLeaf();
        return;
      }
    }
    std::uint32_t starts[4];
    std::uint32_t next[4];
    for (int q = 0, at = static_cast<int>(first); q < 4; at += static_cast<int>(counts[q]), ++q) {
      starts[q] = next[q] = static_cast<std::uint32_t>(at);
    }
    for (std::uint32_t i = first; i < end; ++i) scratch_[next[quadrant(order_[i])]++] = order_[i];
    std::copy(scratch_.begin() + first, scratch_.begin() + end, order_.begin() + first);

    std::uint32_t children[4] = {QuadTreeNode::kNone, QuadTreeNode::kNone, QuadTreeNode::kNone,
                                 QuadTreeNode::kNone};
    for (int q = 0; q < 4; ++q) {
      if (counts[q] == 0) continue;
      QuadTreeNode child;
      const bool aboveSweep = (q & 1) != 0;
      const bool aboveCross = (q & 2) != 0;
      child.minSweep = aboveSweep ? bounds.maxSweep : midSweep;
      child.maxSweep = aboveSweep ? midSweep : bounds.minSweep;
      child.minCross = aboveCross ? bounds.maxCross : midCross;
      child.maxCross = aboveCross ? midCross : bounds.minCross;
      for (std::uint32_t i = starts[q]; i < starts[q] + counts[q]; ++i) {
        Widen(&child.minSweep, &child.maxSweep, sweeps_[order_[i]]);
        Widen(&child.minCross, &child.maxCross, crosses_[order_[i]]);
      }
      children[q] = static_cast<std::uint32_t>(nodes.size());
      nodes.push_back(child);
    }
    std::copy(std::begin(children), std::end(children), nodes[index].children);
    for (int q = 0; q < 4; ++q) {
      if (counts[q] != 0) Split(children[q], starts[q], starts[q] + counts[q]);
    }
  }

  QuadTree* tree_;
  std::vector<CPointBatch*> listed_;
  std::vector<float> sweeps_;
  std::vector<float> crosses_;
  std::vector<std::uint32_t> order_;
  std::vector<std::uint32_t> scratch_;
};

}  // namespace

std::unique_ptr<QuadTree> BuildQuadTree(CPointBatch* list, float minSweep, float minCross,
                                        float maxSweep, float maxCross) {
  auto tree = std::make_unique<QuadTree>();
  QuadTreeNode root;
  root.minSweep = minSweep;
  root.minCross = minCross;
  root.maxSweep = maxSweep;
  root.maxCross = maxCross;
  tree->nodes.push_back(root);
  QuadTreeBuilder(tree.get(), list).Build();
  return tree;
}

void FreeAxisTree(std::unique_ptr<AxisTreeNode> node) {
  ForEachTreeItem(node.get(), [](CPointBatch* item) { item->ApplyMatrix(); });
}

void FreeQuadTree(std::unique_ptr<QuadTree> tree) {
  ForEachTreeItem(tree.get(), [](CPointBatch* item) { item->ApplyMatrix(); });
}

namespace {
void ReturnAnchor(CPointBatch* item) {
  item->anchor.Set(item->taken ? TransformPoint(item->anchor.Get(), Mapping.F) : item->world);
}
}  // namespace

void ReturnAxisTreeAnchors(const AxisTreeNode* node) { ForEachTreeItem(node, ReturnAnchor); }
void ReturnQuadTreeAnchors(const QuadTree* tree) { ForEachTreeItem(tree, ReturnAnchor); }
