#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "kernel/gem_object.h"
#include "kernel/kernel_state.h"
#include "kernel/name_pool.h"
#include "modelling/round_jewel_count.h"
#include "platform/program_folder.h"
#include "scene/scene.h"
#include "scene/undo_history.h"
#include "scene/viewport.h"

namespace {

// The tally of 5,000 round gems in 20 materials and 25 sizes, added in no useful order, so the
// sort has the work of a real inventory.
void BM_RoundJewelTally(benchmark::State& state) {
  // The library's records are read through the kind registry.
  ResetKernelState();
  SetProgramDirOverride(LUMIDREX_PROGRAM_FOLDER);
  CUndoHistory document;
  CViewport view;
  view.documentHistory = &document;
  SetActiveView(&view);
  for (int i = 0; i < 5000; ++i) {
    auto made = std::make_unique<CGemObject>();
    CGemObject* gem = AddObject(made, 1);
    gem->SetLibraryIndex(i % 7 == 0 ? 6 : 0);
    const float half = 0.5f + 0.05f * static_cast<float>((i * 7919) % 25);
    gem->placement.at(0, 0) = gem->placement.at(1, 1) = gem->placement.at(2, 2) = half;
    gem->materialName = PoolName("Stone" + std::to_string((i * 104729) % 20));
  }
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string tally = RoundJewelTally(0.01f, 1);
    bytes = tally.size();
    benchmark::DoNotOptimize(tally.data());
  }
  state.counters["tally_bytes"] = static_cast<double>(bytes);
  ResetScene();
  SetProgramDirOverride("");
}
BENCHMARK(BM_RoundJewelTally)->Unit(benchmark::kMillisecond);

}  // namespace
