#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

#include "kernel/kernel_state.h"
#include "kernel/object_kind_registry.h"
#include "kernel/object_stream.h"
#include "kernel/point_set_object.h"

namespace {

// Writes 100,000 four-point records to a temporary file and reads them all back by kind code.
void BM_ObjectRecordRoundTrip(benchmark::State& state) {
  ResetKernelState();
  ObjectKindEntry<CPointSetObject> entry(kKindMesh);
  entry.Register();
  CPointSetObject object(4, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {1, 0, 0}});
  constexpr int kRecords = 100000;

  for (auto _ : state) {
    std::FILE* file = std::tmpfile();
    std::FILE* previous = SetObjectStream(file);
    for (int i = 0; i < kRecords; ++i) object.Write();
    std::rewind(file);
    SetObjectStream(file);
    int read = 0;
    while (std::unique_ptr<CGeomObject> back = ReadObject()) read += back->ObjectState != kStateBadRecord;
    benchmark::DoNotOptimize(read);
    SetObjectStream(previous);
    std::fclose(file);
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
  ResetKernelState();
}
BENCHMARK(BM_ObjectRecordRoundTrip)->Unit(benchmark::kMillisecond);

}  // namespace
