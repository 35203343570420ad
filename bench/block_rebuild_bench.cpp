#include <benchmark/benchmark.h>

#include <cmath>

#include "kernel/block_object.h"
#include "kernel/block_solid.h"
#include "kernel/kernel_state.h"

namespace {

// A line of block text: 200 closed 24-point profiles with round ends.
void FillTextLine(CBlockObject* block) {
  constexpr int kProfiles = 200;
  constexpr int kPoints = 24;
  block->frontEndType = kBlockEndRound;
  block->backEndType = kBlockEndRound;
  block->thickness = 2;
  block->radius = 0.2f;
  for (int profile = 0; profile < kProfiles; ++profile) {
    for (int i = 0; i < kPoints; ++i) {
      const float angle = 6.2831853f * static_cast<float>(i) / kPoints;
      block->profilePoints.push_back(
          {3.0f * static_cast<float>(profile) + std::cos(angle), std::sin(angle), 0});
    }
    block->profileSizes.push_back(kPoints);
    block->profileSteps.push_back(4);
  }
}

// Rebuilt from scratch.
void BM_RebuildBlock(benchmark::State& state) {
  ResetKernelState();
  CBlockObject block;
  FillTextLine(&block);
  for (auto _ : state) {
    block.Rebuild();
    benchmark::DoNotOptimize(block.surfaces.head());
  }
  ResetKernelState();
}
BENCHMARK(BM_RebuildBlock)->Unit(benchmark::kMillisecond);

// Its closed solid, as shading, rendering and the exports take it.
void BM_TessellateBlock(benchmark::State& state) {
  ResetKernelState();
  CBlockObject block;
  FillTextLine(&block);
  block.Rebuild();
  for (auto _ : state) benchmark::DoNotOptimize(TessellateBlock(block).faceIndices.data());
  ResetKernelState();
}
BENCHMARK(BM_TessellateBlock)->Unit(benchmark::kMillisecond);

}  // namespace
