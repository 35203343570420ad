#include <benchmark/benchmark.h>

#include <cmath>
#include <deque>
#include <memory>
#include <random>
#include <vector>

#include "kernel/curve_object.h"
#include "kernel/point_set_object.h"
#include "kernel/surface_object.h"
#include "modelling/mapping_items.h"
#include "modelling/mapping_trees.h"
#include "modelling/projection_mapping.h"
#include "scene/scene.h"
#include "scene/undo_history.h"
#include "scene/viewport.h"

namespace {

constexpr int kItems = 200000;

// The items: 200,000 points spread within 10 x 10 x 1 (x, z across, y up in the front view).
std::vector<Vector3> SpreadPoints(int count) {
  std::mt19937 random(11);
  std::uniform_real_distribution<float> across(0.0f, 10.0f);
  std::uniform_real_distribution<float> up(0.0f, 1.0f);
  std::vector<Vector3> points(static_cast<std::size_t>(count));
  for (Vector3& p : points) p = {across(random), 20.0f + up(random), across(random)};
  return points;
}

// A front view of a document holding the items, selected, and the target.
class MappingScene {
 public:
  explicit MappingScene(int items) : start_(SpreadPoints(items)) {
    ResetScene();
    view_.SetSize(800, 600);
    view_.SetAxes(0, 1, 2, 1, 1, 1);
    view_.documentHistory = &document;
    SetActiveView(&view_);
    auto cloud = std::make_unique<CPointSetObject>(items, start_);
    points = AddObject(cloud, 1);
  }
  ~MappingScene() { ResetScene(); }
  MappingScene(const MappingScene&) = delete;
  MappingScene& operator=(const MappingScene&) = delete;

  void Restore() {
    points->points = start_;
    document.Clear();
  }

  CUndoHistory document;
  CPointSetObject* points = nullptr;

 private:
  CViewport view_;
  std::vector<Vector3> start_;
};

// A wavy curve across the items' x range, 1,252 control points at 8 steps: 10,000 segments.
CCurveObject* AddWavyCurve() {
  auto curve = std::make_unique<CCurveObject>();
  std::vector<Vector3> points;
  for (int i = 0; i < 1252; ++i) {
    const float x = -0.05f + 10.1f * static_cast<float>(i) / 1251.0f;
    points.push_back({x, std::sin(x * 3.0f), 0.0f});
  }
  curve->SetPoints(static_cast<int>(points.size()), points);
  curve->stepsPerSpan = 8;
  CCurveObject* added = AddObject(curve, 1);
  added->ObjectState = kStateShown;
  return added;
}

void BM_ProjectOntoCurve(benchmark::State& state) {
  MappingScene scene(kItems);
  CCurveObject* target = AddWavyCurve();
  for (auto _ : state) {
    state.PauseTiming();
    scene.Restore();
    state.ResumeTiming();
    RunProjectMap(target, 0, 1, {0, 1, 0}, 0);
  }
  state.SetItemsProcessed(state.iterations() * kItems);
}
BENCHMARK(BM_ProjectOntoCurve)->Unit(benchmark::kMillisecond);

// Args: items. bench/mapping_compare.sh compares 2,000,000 items with an older build.
void BM_ProjectOntoSurface(benchmark::State& state) {
  const int items = static_cast<int>(state.range(0));
  MappingScene scene(items);
  auto surface = std::make_unique<CSurfaceObject>();
  std::vector<Vector3> grid;
  for (int r = 0; r < 100; ++r) {
    for (int c = 0; c < 100; ++c) {
      const float x = -0.2f + 10.4f * r / 99.0f, z = -0.2f + 10.4f * c / 99.0f;
      grid.push_back({x, std::sin(x) * std::cos(z), z});
    }
  }
  surface->SetGrid(100, 100, grid);
  CSurfaceObject* target = AddObject(surface, 1);
  target->ObjectState = kStateShown;
  // Two triangles per cell of the 8 x 8-step tessellation of 99 x 99 spans.
  const double triangles = 2.0 * (99 * 8) * (99 * 8);
  for (auto _ : state) {
    state.PauseTiming();
    scene.Restore();
    state.ResumeTiming();
    RunProjectMap(target, 0, 1, {0, 1, 0}, 0);
  }
  state.SetItemsProcessed(state.iterations() * items);
  state.counters["triangles/s"] =
      benchmark::Counter(triangles * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ProjectOntoSurface)->Arg(kItems)->Arg(2000000)->Unit(benchmark::kMillisecond);

// Items standing in the frame of a front-view projection: sweep x, cross z.
std::vector<CPointBatch> LocalItems(int count) {
  std::vector<CPointBatch> items(static_cast<std::size_t>(count));
  const std::vector<Vector3> points = SpreadPoints(count);
  for (std::size_t i = 0; i < items.size(); ++i) items[i].local = {points[i].x, points[i].z, points[i].y};
  return items;
}

// Copies of the items as a list, with their sweep and cross ranges.
struct ItemList {
  std::deque<CPointBatch> copies;
  CPointBatch* head = nullptr;
  float minSweep = 1e10f, minCross = 1e10f, maxSweep = -1e10f, maxCross = -1e10f;
};
std::unique_ptr<ItemList> MakeList(const std::vector<CPointBatch>& items) {
  auto list = std::make_unique<ItemList>();
  CPointBatch** tail = &list->head;
  for (const CPointBatch& source : items) {
    CPointBatch* item = &list->copies.emplace_back(source);
    *tail = item;
    tail = &item->next;
    ExtendRange2(&list->minSweep, &list->minCross, &list->maxSweep, &list->maxCross, item->local);
  }
  return list;
}

std::unique_ptr<AxisTreeNode> AxisTree(const ItemList& list) {
  auto root = std::make_unique<AxisTreeNode>();
  root->lo = list.minSweep;
  root->hi = list.maxSweep;
  root->items = list.head;
  BuildAxisTree(root.get());
  return root;
}

std::unique_ptr<QuadTree> QuadTreeOf(const ItemList& list) {
  return BuildQuadTree(list.head, list.minSweep, list.minCross, list.maxSweep, list.maxCross);
}

// A tree over the items, built fresh each time; only the build is timed.
template <class Build>
void BuildTree(benchmark::State& state, Build build) {
  Mapping = MappingState();
  const std::vector<CPointBatch> items = LocalItems(kItems);
  for (auto _ : state) {
    state.PauseTiming();
    auto list = MakeList(items);
    state.ResumeTiming();
    auto tree = build(*list);
    state.PauseTiming();
    tree.reset();
    list.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kItems);
}

void BM_BuildAxisTree(benchmark::State& state) { BuildTree(state, &AxisTree); }
BENCHMARK(BM_BuildAxisTree)->Unit(benchmark::kMillisecond);

void BM_BuildQuadTree(benchmark::State& state) { BuildTree(state, &QuadTreeOf); }
BENCHMARK(BM_BuildQuadTree)->Unit(benchmark::kMillisecond);

// 2,000 items against the 10,000 segments: through the tree, and every item against every segment.
void BM_SegmentsThroughTree(benchmark::State& state) {
  Mapping = MappingState();
  Mapping.F = kIdentityMatrix;
  Mapping.FTransposed = kIdentityMatrix;
  std::vector<CPointBatch> items = LocalItems(2000);
  // The anchors the hits write.
  std::vector<Vector3> anchors(items.size());
  for (std::size_t i = 0; i < items.size(); ++i) {
    items[i].anchor.point = &anchors[i];
    items[i].bestDepth = -1e10f;
  }
  const auto list = MakeList(items);
  auto root = AxisTree(*list);
  for (auto _ : state) {
    for (int i = 0; i < 10000; ++i) {
      const float x = i * 0.001f;
      ProjectSegment(root.get(), {x, 0, std::sin(x)}, {x + 0.001f, 0, std::sin(x + 0.001f)});
    }
  }
  state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_SegmentsThroughTree)->Unit(benchmark::kMillisecond);

void BM_SegmentsBruteForce(benchmark::State& state) {
  std::vector<CPointBatch> items = LocalItems(2000);
  for (CPointBatch& item : items) item.bestDepth = -1e10f;
  for (auto _ : state) {
    for (int i = 0; i < 10000; ++i) {
      const float x = i * 0.001f, k = (std::sin(x + 0.001f) - std::sin(x)) / 0.001f;
      for (CPointBatch& item : items) {
        const float e = (item.local.x - x) * k + std::sin(x);
        if (item.local.x >= x && item.local.x <= x + 0.001f && e > item.bestDepth) item.bestDepth = e;
      }
    }
    benchmark::DoNotOptimize(items.data());
  }
  state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_SegmentsBruteForce)->Unit(benchmark::kMillisecond);

}  // namespace
