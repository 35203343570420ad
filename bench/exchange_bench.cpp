#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "export_torus.h"
#include "manufacturing/dxf_writers.h"

namespace {

using Writer = bool (*)(const CGeomObject*, const std::string&);

// The whole export of the 1,000,000-facet torus, in bytes of the file per second.
void TimeWriter(benchmark::State& state, Writer writer, const char* name) {
  const std::string path = BenchFile(name);
  const CMeshObject& torus = TorusMesh();
  for (auto _ : state) benchmark::DoNotOptimize(writer(&torus, path));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(path)));
  state.SetItemsProcessed(state.iterations() * kTorusFacets);
  std::filesystem::remove(path);
}

void BM_Dxf3DFaceWriter(benchmark::State& state) {
  TimeWriter(state, &Dxf3DFaceWriter, "lumidrex-bench-faces.dxf");
}
BENCHMARK(BM_Dxf3DFaceWriter)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DxfPolylineWriter(benchmark::State& state) {
  TimeWriter(state, &DxfPolylineWriter, "lumidrex-bench-polyface.dxf");
}
BENCHMARK(BM_DxfPolylineWriter)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
