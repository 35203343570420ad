// The slicer, the contour tracer, the volume estimate and the slice-to-mesh converter on the
// benchmark ring standing along x.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "exchange/visible_bounds.h"
#include "manufacturing/slc_reader.h"
#include "manufacturing/slc_to_mesh.h"
#include "manufacturing/slice_contours.h"
#include "manufacturing/slicer.h"
#include "manufacturing/volume_estimate.h"
#include "render/render_node.h"
#include "render/render_records.h"
#include "render/render_state.h"
#include "render/render_state_scope.h"
#include "render/render_tree.h"
#include "ring_standing.h"

namespace {

using ring_design::RingDesign;

using ring_design::BenchTempPath;
using ring_design::CountSlices;
constexpr float kThickness = ring_design::kSliceThickness;
constexpr float kResolution = ring_design::kSliceResolution;

void BM_SliceRing(benchmark::State& state) {
  RingDesign ring;
  if (!ring.ready()) {
    state.SkipWithError("no gem library built");
    return;
  }
  ring_design::StandAlongX();
  const std::string path = BenchTempPath("lumidrex_ring_slices.slc");
  for (auto _ : state) {
    if (WriteSlicesFile(path, 0, kThickness, kResolution, 1, 1, 1, 1, 1, 0, 0, 0) != 0) {
      state.SkipWithError("the slicing failed");
      break;
    }
  }
  std::int64_t layers = 0;
  std::int64_t points = 0;
  CountSlices(path, &layers, &points);
  std::remove(path.c_str());
  state.SetItemsProcessed(state.iterations() * layers);
  state.counters["layers"] = static_cast<double>(layers);
  state.counters["points/layer"] = layers > 0 ? static_cast<double>(points) / static_cast<double>(layers) : 0;
  state.counters["pool blocks peak"] = static_cast<double>(MostSliceContourBlocks());
}
BENCHMARK(BM_SliceRing)->Unit(benchmark::kSecond)->Iterations(1);

// One recorded row: per column its crossings as (depth, span index).
struct RecordedRow {
  std::vector<std::vector<std::pair<float, int>>> columns;
};

// The crossing lists of the middle layers of the ring's slicing grid, recorded from the engine.
std::vector<RecordedRow> RecordMiddleRows(int count, int* columns) {
  std::vector<RecordedRow> rows;
  Vector3 min;
  Vector3 max;
  if (GetVisibleBounds(&min, &max) == 0) return rows;
  RenderStateScope saved;
  ShadingMode = 2;
  // The slicer's projection along z: depth from x, columns from y, rows from z.
  Matrix4 m;
  m.m[15] = 1;
  m[2] = 1 / kResolution;
  m[4] = 1 / kResolution;
  m[9] = 1 / kThickness;
  m[12] = -min.y / kResolution;
  m[13] = -min.z / kThickness;
  m[14] = -min.x / kResolution;
  *columns = static_cast<int>((max.y - min.y) / kResolution) + 1;
  const int layers = static_cast<int>((max.z - min.z) / kThickness);
  SetRenderColumnWindow(0, *columns - 1);
  RenderTreeGuard tree(BuildRenderTree(m, 0));
  if (tree.get() == nullptr) return rows;
  std::vector<const ColumnSpan*> spans;
  for (int row = tree.get()->firstRow; row < layers / 2 + count / 2; ++row) {
    tree.get()->AdvanceToScanline(row);
    RecordedRow recorded;
    recorded.columns.resize(static_cast<std::size_t>(*columns));
    for (int c = std::max(0, tree.get()->firstColumn); c < *columns; ++c) {
      CrossingEntry* list = tree.get()->GetSpans(c);
      for (CrossingEntry* e = list; e != nullptr; e = e->next) {
        int id = 0;
        while (id < static_cast<int>(spans.size()) && spans[static_cast<std::size_t>(id)] != e->span) ++id;
        if (id == static_cast<int>(spans.size())) spans.push_back(e->span);
        recorded.columns[static_cast<std::size_t>(c)].emplace_back(e->depth, id % 4096);
      }
      ReleaseCrossingList(list);
    }
    if (row >= layers / 2 - count / 2) rows.push_back(std::move(recorded));
    if (spans.size() > 4096) spans.clear();
  }
  return rows;
}

void BM_TraceLayerContours(benchmark::State& state) {
  RingDesign ring;
  if (!ring.ready()) {
    state.SkipWithError("no gem library built");
    return;
  }
  ring_design::StandAlongX();
  int columns = 0;
  const std::vector<RecordedRow> rows = RecordMiddleRows(20, &columns);
  static std::vector<ColumnSpan> spans(4096);
  std::int64_t points = 0;
  for (auto _ : state) {
    for (const RecordedRow& row : rows) {
      SliceContour* contours = TraceLayerContours(columns, [&](int c) {
        CrossingEntry* head = nullptr;
        const auto& column = row.columns[static_cast<std::size_t>(c)];
        for (auto it = column.rbegin(); it != column.rend(); ++it) {
          CrossingEntry* e = AllocCrossingEntry();
          *e = {head, &spans[static_cast<std::size_t>(it->second)], 1, it->first};
          head = e;
        }
        return head;
      });
      for (const SliceContour* c = contours; c != nullptr; c = c->next) points += c->pointCount;
      ReleaseSliceContours(contours);
    }
  }
  FreeSliceContourPools();
  FreeRenderPools();
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(rows.size()));
  state.counters["points/layer"] =
      rows.empty() ? 0 : static_cast<double>(points) / static_cast<double>(state.iterations() * rows.size());
}
BENCHMARK(BM_TraceLayerContours)->Unit(benchmark::kMillisecond);

void BM_VolumeRing(benchmark::State& state) {
  RingDesign ring;
  if (!ring.ready()) {
    state.SkipWithError("no gem library built");
    return;
  }
  const float resolution = static_cast<float>(state.range(0)) / 100.0f;
  Vector3 min;
  Vector3 max;
  GetVisibleBounds(&min, &max);
  float volume = 0;
  for (auto _ : state) volume = ComputeVolume(resolution, 0);
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>((max.y - min.y) / resolution + 1));
  state.counters["volume"] = volume;
}
BENCHMARK(BM_VolumeRing)->Arg(5)->Arg(1)->Unit(benchmark::kSecond)->Iterations(1);

void BM_ConvertRingSlices(benchmark::State& state) {
  const std::string& slices = ring_design::RingSlicesFile();
  const std::string mesh = BenchTempPath("lumidrex_ring_slices.stl");
  std::uint32_t facets = 0;
  for (auto _ : state) {
    if (!ConvertSlcToMesh(slices, mesh, 1, static_cast<int>(state.range(0)), 0)) {
      state.SkipWithError("the conversion failed");
      break;
    }
    std::FILE* file = std::fopen(mesh.c_str(), "rb");
    unsigned char header[84] = {};
    if (file != nullptr && std::fread(header, 1, 84, file) == 84) {
      facets = header[80] | header[81] << 8 | header[82] << 16 | static_cast<std::uint32_t>(header[83]) << 24;
    }
    if (file != nullptr) std::fclose(file);
  }
  std::remove(mesh.c_str());
  state.SetItemsProcessed(state.iterations() * facets);
  state.counters["facets"] = facets;
}
BENCHMARK(BM_ConvertRingSlices)->Arg(0)->Arg(1)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
