#include "modelling/mapping_trees.h"

#include <cstddef>

namespace {

void DeleteItems(CPointBatch* item) {
  while (item != nullptr) {
    CPointBatch* next = item->next;
    delete item;
    item = next;
  }
}

// Appends at the tail through a link that follows the list's end.
struct ItemList {
  CPointBatch* head = nullptr;
  CPointBatch** tail = &head;
  std::size_t count = 0;
  void Append(CPointBatch* item) {
    item->next = nullptr;
    *tail = item;
    tail = &item->next;
    ++count;
  }
};

// Halving each term first keeps the midpoint finite for finite ends; otherwise it is (lo + hi) / 2
// to the bit.
float Midpoint(float lo, float hi) { return lo * 0.5f + hi * 0.5f; }

}  // namespace

AxisTreeNode::~AxisTreeNode() { DeleteItems(items); }
QuadTreeNode::~QuadTreeNode() { DeleteItems(items); }

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

void BuildQuadTree(QuadTreeNode* node) {
  if (node->items == nullptr || node->items->next == nullptr) return;
  if (!(node->maxSweep - node->minSweep >= 0.1f) && !(node->maxCross - node->minCross >= 0.1f)) {
    return;
  }
  const float midSweep = Midpoint(node->minSweep, node->maxSweep);
  const float midCross = Midpoint(node->minCross, node->maxCross);
  ItemList lists[4];
  for (CPointBatch* item = node->items; item != nullptr;) {
    CPointBatch* next = item->next;
    const int aboveSweep = !(AxisValue(item->local, Mapping.sweepAxis) < midSweep);
    const int aboveCross = !(AxisValue(item->local, Mapping.crossAxis) < midCross);
    lists[aboveSweep + 2 * aboveCross].Append(item);
    item = next;
  }
  std::size_t total = 0;
  for (const ItemList& list : lists) total += list.count;
  for (ItemList& list : lists) {
    if (list.count != total) continue;
    // Every item fell into one child: the split makes no progress.
    node->items = list.head;
    return;
  }
  node->items = nullptr;
  for (int i = 0; i < 4; ++i) {
    if (lists[i].head == nullptr) continue;
    auto child = std::make_unique<QuadTreeNode>();
    const bool aboveSweep = (i & 1) != 0;
    const bool aboveCross = (i & 2) != 0;
    child->minSweep = aboveSweep ? node->maxSweep : midSweep;
    child->maxSweep = aboveSweep ? midSweep : node->minSweep;
    child->minCross = aboveCross ? node->maxCross : midCross;
    child->maxCross = aboveCross ? midCross : node->minCross;
    child->items = lists[i].head;
    for (const CPointBatch* item = child->items; item != nullptr; item = item->next) {
      ExtendRange2(&child->minSweep, &child->minCross, &child->maxSweep, &child->maxCross,
                   item->local);
    }
    node->children[i] = std::move(child);
  }
  for (auto& child : node->children) {
    if (child != nullptr) BuildQuadTree(child.get());
  }
}

void FreeAxisTree(std::unique_ptr<AxisTreeNode> node) {
  ForEachTreeItem(node.get(), [](CPointBatch* item) { item->ApplyMatrix(); });
}

void FreeQuadTree(std::unique_ptr<QuadTreeNode> node) {
  ForEachTreeItem(node.get(), [](CPointBatch* item) { item->ApplyMatrix(); });
}

namespace {
void ReturnAnchor(CPointBatch* item) {
  item->anchor.Set(item->taken ? TransformPoint(item->anchor.Get(), Mapping.F) : item->world);
}
}  // namespace

void ReturnAxisTreeAnchors(const AxisTreeNode* node) { ForEachTreeItem(node, ReturnAnchor); }
void ReturnQuadTreeAnchors(const QuadTreeNode* node) { ForEachTreeItem(node, ReturnAnchor); }
