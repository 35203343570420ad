#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "bench_scene.h"
#include "exchange/dxf_import.h"
#include "exchange/dxf_writers.h"
#include "exchange/iges_import.h"
#include "exchange/stl_import.h"
#include "exchange_files.h"

namespace {

// A file of this process in the temporary folder, written on first use and removed at exit.
class BenchInput {
 public:
  template <class Write>
  BenchInput(const char* name, Write write)
      : path_((std::filesystem::temp_directory_path() / (std::to_string(getpid()) + name)).string()) {
    write(path_);
    bytes_ = static_cast<std::int64_t>(std::filesystem::file_size(path_));
  }
  ~BenchInput() { std::filesystem::remove(path_); }
  const std::string& path() const { return path_; }
  std::int64_t bytes() const { return bytes_; }

 private:
  std::string path_;
  std::int64_t bytes_ = 0;
};

const BenchInput& TorusStl() {
  static const BenchInput input("-lumidrex-torus.stl", [](const std::string& path) { WriteBenchStl(*BenchTorus(), path); });
  return input;
}

const BenchInput& PlateStl() {
  static const BenchInput input("-lumidrex-plate.stl", [](const std::string& path) { WriteBenchStl(*BenchPlate(), path); });
  return input;
}

const BenchInput& TorusPolyface() {
  static const BenchInput input("-lumidrex-torus.dxf",
                                [](const std::string& path) { WriteBenchPolyface(*BenchTorus(), path); });
  return input;
}

// Each run imports into an empty scene with an active view; clearing the scene is not timed.
template <class Import>
void RunImport(benchmark::State& state, const BenchInput& input, Import import) {
  std::optional<BenchScene> scene;
  for (auto _ : state) {
    state.PauseTiming();
    scene.reset();
    scene.emplace(0);
    state.ResumeTiming();
    benchmark::DoNotOptimize(import(input.path()));
  }
  state.SetBytesProcessed(state.iterations() * input.bytes());
}

// Reading and welding a binary STL of 1,000,000 facets, in facets per second.
void BM_StlImport(benchmark::State& state) {
  RunImport(state, state.range(0) == 0 ? TorusStl() : PlateStl(), StlImport);
  state.SetItemsProcessed(state.iterations() * 1000000);
  state.SetLabel(state.range(0) == 0 ? "torus" : "flat plate");
}
BENCHMARK(BM_StlImport)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

// A polyface DXF of 1,000,000 triangles over 501,501 vertices, in bytes per second.
void BM_DxfImport(benchmark::State& state) {
  RunImport(state, TorusPolyface(), DxfImport);
  state.SetItemsProcessed(state.iterations() * 1000000);
}
BENCHMARK(BM_DxfImport)->Unit(benchmark::kMillisecond)->Iterations(3);

const BenchInput& IgesNet() {
  static const BenchInput input("-lumidrex-net.igs",
                                [](const std::string& path) { WriteBenchIges(*BenchIgesSurface(), path); });
  return input;
}

// A 500 x 500 surface, 502 x 502 once clamped, as IGES: about 40 MB, in bytes per second.
void BM_IgesWriter(benchmark::State& state) {
  const std::unique_ptr<CSurfaceObject> surface = BenchIgesSurface();
  const std::string path = (std::filesystem::temp_directory_path() / (std::to_string(getpid()) + "-lumidrex-out.igs")).string();
  for (auto _ : state) benchmark::DoNotOptimize(WriteBenchIges(*surface, path));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(path)));
  std::filesystem::remove(path);
}
// Wall time: keeping the file includes its sync.
BENCHMARK(BM_IgesWriter)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// The same file read back into a 500 x 500 net, in bytes per second.
void BM_IgesImport(benchmark::State& state) {
  RunImport(state, IgesNet(), IgesImport);
  state.SetItemsProcessed(state.iterations() * 500 * 500);
}
BENCHMARK(BM_IgesImport)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

const BenchInput& RationalTorus() {
  static const BenchInput input("-lumidrex-torus.igs", WriteBenchRationalTorus);
  return input;
}

// A rational torus of another CAD program's making, evaluated exactly and fitted within the
// import tolerance, in surfaces per second.
void BM_IgesImportFitted(benchmark::State& state) {
  RunImport(state, RationalTorus(), IgesImport);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_IgesImportFitted)->Unit(benchmark::kMillisecond)->UseRealTime();

using Writer = bool (*)(const CGeomObject*, const std::string&);

// The whole export of the 1,000,000-triangle torus, in bytes of the file per second.
void TimeWriter(benchmark::State& state, Writer writer) {
  const std::unique_ptr<CMeshObject> torus = BenchTorus();
  const std::string path = (std::filesystem::temp_directory_path() / (std::to_string(getpid()) + "-lumidrex-out.dxf")).string();
  for (auto _ : state) benchmark::DoNotOptimize(writer(torus.get(), path));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(path)));
  state.SetItemsProcessed(state.iterations() * 1000000);
  std::filesystem::remove(path);
}

// Every triangle as a 3DFACE.
void BM_Dxf3DFaceWriter(benchmark::State& state) { TimeWriter(state, &Dxf3DFaceWriter); }
BENCHMARK(BM_Dxf3DFaceWriter)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// One polyface mesh of the same triangles.
void BM_DxfPolylineWriter(benchmark::State& state) { TimeWriter(state, &DxfPolylineWriter); }
BENCHMARK(BM_DxfPolylineWriter)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace
