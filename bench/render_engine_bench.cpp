#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "kernel/bspline_curve.h"
#include "kernel/gem_library.h"
#include "kernel/kernel_state.h"
#include "kernel/surface_object.h"
#include "kernel/surface_tessellation.h"
#include "platform/program_folder.h"
#include "render/list_sort.h"
#include "render/material.h"
#include "render/record_pool.h"
#include "render/render_grid_node.h"
#include "render/render_tree.h"
#include "ring_scene.h"

namespace {

const TriangleList& GemUnit() {
  static const TriangleList gem = [] {
    // The library's records are read through the kind registry.
    ResetKernelState();
    SetProgramDirOverride(LUMIDREX_PROGRAM_FOLDER);
    TriangleList unit = RoundGemUnit();
    SetProgramDirOverride("");
    return unit;
  }();
  return gem;
}

const CMaterial& Gold() {
  static CMaterial material;
  return material;
}

// A normal that leans with the point's place, so every vertex shades differently.
VertexAttributes LeaningNormal(Vector3 p) {
  VertexAttributes a{};
  a.normal = {(p.x - 500) / 2000, (p.y - 500) / 2000, 1};
  return a;
}

// The pave: a union of (a curved band minus 300 seats) and 300 gems, over 1000 x 1000 pixels.
CRenderNode* PaveTree(bool attributes) {
  const VertexAttributeSource source = attributes ? VertexAttributeSource(LeaningNormal) : nullptr;
  const CMaterial* material = attributes ? &Gold() : nullptr;
  const Band band{40, 960, 60, 940, 0, 60, 25};
  std::vector<CRenderNode*> seats;
  std::vector<CRenderNode*> gems;
  constexpr int kAcross = 20;
  constexpr int kDown = 15;
  const float diameter = 40;
  for (int i = 0; i < kDown; ++i) {
    for (int j = 0; j < kAcross; ++j) {
      const float x = 75 + 892.0f * j / kAcross + (i % 2) * 20, y = 110 + 800.0f * i / kDown;
      const Vector3 centre{x, y, band.FrontAt(y) + 4};
      seats.push_back(SeatNode(GemUnit(), centre, diameter, -5, source, material));
      gems.push_back(PolygonNode(Placed(GemUnit(), centre, diameter), material, source));
    }
  }
  CRenderNode* body = PolygonNode(BandTriangles(band, 190), material, source);
  CRenderNode* cut = Group(CRenderNode::kSubtraction, {body, GroupOf(CRenderNode::kUnion, seats)});
  return Group(CRenderNode::kUnion, {cut, GroupOf(CRenderNode::kUnion, gems)});
}

struct ScanTally {
  double crossings = 0;
  double pixels = 0;
  double maxCrossings = 0;
};

void Scan(CRenderNode* root, int width, int height, ScanTally* tally) {
  DriveTree(root, 0, height - 1, 0, width - 1, [&](int, int, const CrossingEntry* e) {
    int n = 0;
    for (; e != nullptr; e = e->next) ++n;
    tally->crossings += n;
    tally->pixels += 1;
    tally->maxCrossings = std::max(tally->maxCrossings, static_cast<double>(n));
  });
}

// The most blocks each pool held, as memory.
void ReportPools(benchmark::State& state) {
  PoolUsage usage[kRenderPoolCount];
  GetRenderPoolUsage(usage);
  for (const PoolUsage& pool : usage) {
    state.counters[std::string("peak KiB ") + pool.name] =
        static_cast<double>(pool.mostBlocks * RecordPool<CrossingEntry>::kBlockSize * pool.recordSize) / 1024.0;
  }
}

void PaveScan(benchmark::State& state, int mode) {
  if (GemUnit().empty()) {
    state.SkipWithError("no gem library built");
    return;
  }
  ScanTally tally;
  for (auto _ : state) {
    state.PauseTiming();
    ShadingMode = static_cast<std::int16_t>(mode);
    CRenderNode* root = PaveTree(mode != 2);
    state.ResumeTiming();
    Scan(root, 1000, 1000, &tally);
  }
  state.counters["rows/s"] = benchmark::Counter(1000.0 * state.iterations(), benchmark::Counter::kIsRate);
  state.counters["pixels/s"] = benchmark::Counter(tally.pixels, benchmark::Counter::kIsRate);
  state.counters["crossings/pixel"] = tally.crossings / tally.pixels;
  state.counters["max crossings"] = tally.maxCrossings;
  ReportPools(state);
  ResetRenderState();
}

void BM_PaveScanGeometry(benchmark::State& state) { PaveScan(state, 2); }
BENCHMARK(BM_PaveScanGeometry)->Unit(benchmark::kMillisecond)->Iterations(3);
void BM_PaveScanColours(benchmark::State& state) { PaveScan(state, 0); }
BENCHMARK(BM_PaveScanColours)->Unit(benchmark::kMillisecond)->Iterations(3);

// One row through a union of n boxes side by side: the column chain against its length.
void BM_ColumnChainRow(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  ShadingMode = 2;
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<CRenderNode*> boxes;
    for (int k = 0; k < n; ++k) {
      boxes.push_back(PolygonNode(BoxTriangles({4.0f * k + 0.5f, 0.5f, 1}, {4.0f * k + 3.5f, 3.5f, 5})));
    }
    ++RenderNestingCount;
    CRenderNode* root = GroupOf(CRenderNode::kUnion, boxes);
    SetRenderColumnWindow(0, 4 * n);
    state.ResumeTiming();
    root->AdvanceToScanline(1);
    for (int column = 0; column <= 4 * n; ++column) ReleaseCrossingList(root->GetSpans(column));
    state.PauseTiming();
    ReleaseRenderTree(root);
    state.ResumeTiming();
  }
  ResetRenderState();
}
BENCHMARK(BM_ColumnChainRow)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

struct Keyed {
  Keyed* next;
  float depth;
};

// The engine's list sort on n crossings: random order, or sorted with one in ten swapped.
void ListSort(benchmark::State& state, bool nearlySorted) {
  const auto n = static_cast<std::size_t>(state.range(0));
  std::vector<Keyed> items(n);
  std::mt19937 random(5);
  for (std::size_t i = 0; i < n; ++i) items[i].depth = nearlySorted ? static_cast<float>(n - i) : static_cast<float>(random() % 100000);
  if (nearlySorted) {
    for (std::size_t i = 0; i + 1 < n; i += 10) std::swap(items[i].depth, items[i + 1].depth);
  }
  std::vector<Keyed*> runs;
  for (auto _ : state) {
    for (std::size_t i = 0; i < n; ++i) items[i].next = i + 1 < n ? &items[i + 1] : nullptr;
    Keyed* head = SortList(&items[0], [](const Keyed* a, const Keyed* b) { return a->depth > b->depth; }, runs);
    benchmark::DoNotOptimize(head);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(n));
}
void BM_ListSortRandom(benchmark::State& state) { ListSort(state, false); }
BENCHMARK(BM_ListSortRandom)->RangeMultiplier(10)->Range(10, 10000);
void BM_ListSortNearlySorted(benchmark::State& state) { ListSort(state, true); }
BENCHMARK(BM_ListSortNearlySorted)->RangeMultiplier(10)->Range(10, 10000);

// A million records taken and given back, from a pool and from the heap.
void BM_PoolTakeGive(benchmark::State& state) {
  RecordPool<ColumnSpan> pool;
  std::vector<ColumnSpan*> taken(1000000);
  for (auto _ : state) {
    for (ColumnSpan*& s : taken) s = pool.Take();
    for (ColumnSpan* s : taken) pool.Give(s);
  }
  state.SetItemsProcessed(state.iterations() * 1000000);
}
BENCHMARK(BM_PoolTakeGive)->Unit(benchmark::kMillisecond);

void BM_NewDeleteSpan(benchmark::State& state) {
  std::vector<ColumnSpan*> taken(1000000);
  for (auto _ : state) {
    for (ColumnSpan*& s : taken) s = new ColumnSpan;
    for (ColumnSpan* s : taken) delete s;
  }
  state.SetItemsProcessed(state.iterations() * 1000000);
}
BENCHMARK(BM_NewDeleteSpan)->Unit(benchmark::kMillisecond);

// A grid primitive's build: a 30 x 30 net at 8 x 8 steps, in shading mode 0.
void BM_GridBeginAtRow(benchmark::State& state) {
  std::vector<Vector3> grid;
  for (int i = 0; i < 30; ++i) {
    for (int j = 0; j < 30; ++j) grid.push_back({10.0f * j, 10.0f * i, 5 * std::sin(0.3f * i) * std::cos(0.2f * j)});
  }
  std::vector<Vector3> net;
  int rows = 0, columns = 0;
  ExtendSurfaceNet(grid.data(), 30, 30, 0, 0, 0, 0, 0, 0, &net, &rows, &columns);
  ShadingMode = 0;
  RenderProjection = kIdentityMatrix;
  for (auto _ : state) {
    ++RenderNestingCount;
    RenderTreeGuard guard(new CRenderGridNode(net, rows, columns, 8, 8, 0, 0));
    guard.get()->BeginAtRow(guard.get()->firstRow);
  }
  ResetRenderState();
}
BENCHMARK(BM_GridBeginAtRow)->Unit(benchmark::kMillisecond);

// An open surface's end caps at the triangulation's outline bound: an arch of 4 rows of 64 points
// at 64 steps, shaded, whose end outlines each take 4096 points.
void BM_SurfaceCapsAtTheOutlineBound(benchmark::State& state) {
  CSurfaceObject arch;
  std::vector<Vector3> points;
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 64; ++c) {
      const float angle = 3.14159265f * static_cast<float>(c) / 63;
      points.push_back({10 * std::cos(angle), 10.0f * r, 10 * std::sin(angle)});
    }
  }
  arch.SetGrid(4, 64, std::move(points));
  arch.outputStepsU = 1;
  arch.outputStepsV = 64;
  ShadingMode = 0;
  RenderProjection = kIdentityMatrix;
  for (auto _ : state) {
    ++RenderNestingCount;
    RenderTreeGuard guard(BuildSurfaceRenderNodes(&arch, kIdentityMatrix));
    if (guard.get() == nullptr) state.SkipWithError("no render node built");
  }
  ResetRenderState();
}
BENCHMARK(BM_SurfaceCapsAtTheOutlineBound)->Unit(benchmark::kMillisecond);

// The ring of the picture benchmark, geometry only.
void BM_RingScanGeometry(benchmark::State& state) {
  if (GemUnit().empty()) {
    state.SkipWithError("no gem library built");
    return;
  }
  ScanTally tally;
  ShadingMode = 2;
  for (auto _ : state) {
    state.PauseTiming();
    CRenderNode* root = RingTree(GemUnit());
    state.ResumeTiming();
    Scan(root, kRingWidth, kRingHeight, &tally);
  }
  state.counters["pixels/s"] = benchmark::Counter(tally.pixels, benchmark::Counter::kIsRate);
  state.counters["crossings/pixel"] = tally.crossings / tally.pixels;
  ResetRenderState();
}
BENCHMARK(BM_RingScanGeometry)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
