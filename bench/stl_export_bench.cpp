#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "exchange/export_stack.h"
#include "exchange/mesh_writers.h"
#include "exchange/output_file.h"
#include "exchange/stl_facet_emitter.h"
#include "exchange/stl_writers.h"
#include "kernel/mesh_object.h"
#include "kernel/surface_object.h"

namespace {

constexpr int kAround = 1000;
constexpr int kAcross = 500;
constexpr std::int64_t kTorusFacets = 2LL * kAround * kAcross;

Vector3 TorusPoint(double a, double b) {
  const double r = 20 + 6 * std::cos(b);
  return {static_cast<float>(r * std::cos(a)), static_cast<float>(r * std::sin(a)),
          static_cast<float>(6 * std::sin(b))};
}

// 500,000 quads round a torus: 1,000,000 facets once fanned.
const CMeshObject& TorusMesh() {
  static const std::unique_ptr<CMeshObject> mesh = [] {
    auto m = std::make_unique<CMeshObject>();
    std::vector<Vector3> points;
    for (int i = 0; i < kAround; ++i) {
      for (int j = 0; j < kAcross; ++j) {
        points.push_back(TorusPoint(6.283185307179586 * i / kAround, 6.283185307179586 * j / kAcross));
      }
    }
    const int count = static_cast<int>(points.size());
    m->SetPoints(count, std::move(points));
    const auto at = [](int i, int j) { return (i % kAround) * kAcross + j % kAcross; };
    for (int i = 0; i < kAround; ++i) {
      for (int j = 0; j < kAcross; ++j) {
        m->faceSizes.push_back(4);
        m->faceIndices.insert(m->faceIndices.end(), {at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1)});
      }
    }
    return m;
  }();
  return *mesh;
}

// 100 x 50 control points closed both ways at 10 steps: 1001 x 501 points, 1,000,000 facets.
const CSurfaceObject& TorusSurface() {
  static const std::unique_ptr<CSurfaceObject> surface = [] {
    auto s = std::make_unique<CSurfaceObject>();
    std::vector<Vector3> grid;
    for (int i = 0; i < 100; ++i) {
      for (int j = 0; j < 50; ++j) grid.push_back(TorusPoint(6.283185307179586 * i / 100, 6.283185307179586 * j / 50));
    }
    s->SetGrid(100, 50, std::move(grid));
    s->closedU = s->closedV = 1;
    s->outputStepsU = s->outputStepsV = 10;
    return s;
  }();
  return *surface;
}

std::string BenchFile(const char* name) {
  return (std::filesystem::temp_directory_path() / name).string();
}

void BM_StlBinaryWriter(benchmark::State& state) {
  const std::string path = BenchFile("lumidrex-bench-binary.stl");
  for (auto _ : state) benchmark::DoNotOptimize(StlBinaryWriter(&TorusMesh(), path));
  state.SetBytesProcessed(state.iterations() * (84 + 50 * std::int64_t{StlBinaryFacetCount}));
  state.SetItemsProcessed(state.iterations() * std::int64_t{StlBinaryFacetCount});
  std::filesystem::remove(path);
}
BENCHMARK(BM_StlBinaryWriter)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StlAsciiWriter(benchmark::State& state) {
  const std::string path = BenchFile("lumidrex-bench-ascii.stl");
  for (auto _ : state) benchmark::DoNotOptimize(StlAsciiWriter(&TorusMesh(), path));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(path)));
  state.SetItemsProcessed(state.iterations() * kTorusFacets);
  std::filesystem::remove(path);
}
BENCHMARK(BM_StlAsciiWriter)->Unit(benchmark::kMillisecond)->UseRealTime();

// Placement, rounding and the degeneracy tests, with nothing written.
class DiscardingEmitter final : public StlFacetEmitter {
 public:
  using StlFacetEmitter::StlFacetEmitter;
  std::int64_t facets = 0;

 private:
  void Write(const StlFacet& facet) override {
    benchmark::DoNotOptimize(facet);
    ++facets;
  }
};

void Walk(benchmark::State& state, const CGeomObject& object) {
  ExportStack& stack = ExportStackOf(ExportFamily::kStlBinary);
  std::int64_t facets = 0;
  for (auto _ : state) {
    DiscardingEmitter emitter(stack);
    TriangleExportWalk(stack, emitter).WalkScene(&object);
    facets = emitter.facets;
  }
  state.SetItemsProcessed(state.iterations() * facets);
}

void BM_WalkMeshDiscarding(benchmark::State& state) { Walk(state, TorusMesh()); }
BENCHMARK(BM_WalkMeshDiscarding)->Unit(benchmark::kMillisecond);

void BM_WalkSurfaceDiscarding(benchmark::State& state) { Walk(state, TorusSurface()); }
BENCHMARK(BM_WalkSurfaceDiscarding)->Unit(benchmark::kMillisecond);

void BM_StlBinaryMeshWriterWriteFacet(benchmark::State& state) {
  const std::string path = BenchFile("lumidrex-bench-mesh.stl");
  const CMeshObject& mesh = TorusMesh();
  for (auto _ : state) {
    MeshOutputFile.Open(path);
    StlBinaryMeshWriter.BeginFile();
    for (std::size_t f = 0; f < mesh.faceIndices.size(); f += 4) {
      const auto p = [&](std::size_t k) { return mesh.points[static_cast<std::size_t>(mesh.faceIndices[f + k])]; };
      StlBinaryMeshWriter.WriteFacet(p(0), p(1), p(2));
      StlBinaryMeshWriter.WriteFacet(p(0), p(2), p(3));
    }
    StlBinaryMeshWriter.EndFile();
    benchmark::DoNotOptimize(MeshOutputFile.Commit());
  }
  state.SetItemsProcessed(state.iterations() * kTorusFacets);
  state.SetBytesProcessed(state.iterations() * (84 + 50 * kTorusFacets));
  std::filesystem::remove(path);
}
BENCHMARK(BM_StlBinaryMeshWriterWriteFacet)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same 50 MB from one buffer through the same save: the disk's share of the writers' time.
void BM_PlainSaveOf50MB(benchmark::State& state) {
  const std::string path = BenchFile("lumidrex-bench-plain.bin");
  const std::vector<char> bytes(static_cast<std::size_t>(84 + 50 * kTorusFacets), 'x');
  OutputFile out;
  for (auto _ : state) {
    out.Open(path);
    out.Write(bytes.data(), bytes.size());
    benchmark::DoNotOptimize(out.Commit());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
  std::filesystem::remove(path);
}
BENCHMARK(BM_PlainSaveOf50MB)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
