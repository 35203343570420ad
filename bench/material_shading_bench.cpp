#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "kernel/bmp_image.h"
#include "platform/program_folder.h"
#include "render/material.h"
#include "render/render_state.h"
#include "render/shading.h"

namespace {

// A 256 x 256 picture with a little of everything in it.
ImageRecord Noise() {
  ImageRecord image;
  image.width = image.height = 256;
  image.rowBytes = 768;
  std::uint32_t state = 1;
  for (int i = 0; i < 256 * 768; ++i) {
    state = state * 1664525u + 1013904223u;
    image.data.push_back(static_cast<std::uint8_t>(state >> 24));
  }
  return image;
}

const ImageRecord& NoisePicture() {
  static const ImageRecord picture = Noise();
  return picture;
}

// Shades a 64 x 64 patch of a sphere's worth of normals over and over, as a render's rows would.
void ShadePatch(benchmark::State& state, const CMaterial& material) {
  viewCentreColumn = 32;
  viewCentreRow = 32;
  rowDirection = 1;
  halfHeight = 600;
  frontDepth = 10;
  std::vector<PixelShadeInput> inputs;
  std::vector<std::uint8_t> pixels(64 * 64 * 3, 40);
  for (int row = 0; row < 64; ++row) {
    for (int column = 0; column < 64; ++column) {
      PixelShadeInput input;
      input.pixel = &pixels[(row * 64 + column) * 3];
      input.column = column;
      input.row = row;
      const float x = (column - 31.5f) / 32, y = (row - 31.5f) / 32;
      input.u = x * 0.5f + 0.5f;
      input.v = y * 0.5f + 0.5f;
      input.position = {x, y, 0.3f};
      input.normal = {x, y, 1.2f - x * x - y * y};
      input.tangentU = {1, 0, -x};
      input.tangentV = {0, 1, -y};
      inputs.push_back(input);
    }
  }
  std::size_t next = 0;
  for (auto _ : state) {
    material.ShadePixel(inputs[next]);
    next = (next + 1) % inputs.size();
  }
  benchmark::DoNotOptimize(pixels.data());
  state.SetItemsProcessed(state.iterations());
}

void BM_ShadePixelPlain(benchmark::State& state) {
  CMaterial material;
  material.highlightThreshold = 0.8f;
  ShadePatch(state, material);
}
BENCHMARK(BM_ShadePixelPlain);

void BM_ShadePixelTexture(benchmark::State& state) {
  CMaterial material;
  material.texture = &NoisePicture();
  material.mappingKind = static_cast<std::int32_t>(state.range(0));
  material.mappingMatrix = {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
  ShadePatch(state, material);
}
BENCHMARK(BM_ShadePixelTexture)->DenseRange(0, 3)->ArgName("mappingKind");

void BM_ShadePixelBump(benchmark::State& state) {
  CMaterial material;
  material.bump = &NoisePicture();
  ShadePatch(state, material);
}
BENCHMARK(BM_ShadePixelBump);

// The shipped library, read from the program folder of the build.
void LibraryMaterial(benchmark::State& state, const char* name) {
  SetProgramDirOverride(LUMIDREX_PROGRAM_FOLDER);
  const CMaterial& material = *LoadMaterial(name, 1);
  if (std::string(name) == "Gold" && material.reflect == nullptr) state.SkipWithError("no material library built");
  ShadePatch(state, material);
  ResetRenderState();
  SetProgramDirOverride("");
}

void BM_ShadePixelGold(benchmark::State& state) { LibraryMaterial(state, "Gold"); }
BENCHMARK(BM_ShadePixelGold);

void BM_ShadePixelDiamond(benchmark::State& state) { LibraryMaterial(state, "Diamond"); }
BENCHMARK(BM_ShadePixelDiamond);

// A scene of many gems loads its material once per object, the map coming from the cache.
void BM_LoadMaterialGold(benchmark::State& state) {
  SetProgramDirOverride(LUMIDREX_PROGRAM_FOLDER);
  LoadMaterial("Gold", 1);
  int loaded = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(LoadMaterial("Gold", 1));
    // Keep the list as short as a real render's.
    if (++loaded == 300) {
      state.PauseTiming();
      ResetRenderState();
      LoadMaterial("Gold", 1);
      loaded = 0;
      state.ResumeTiming();
    }
  }
  ResetRenderState();
  SetProgramDirOverride("");
}
BENCHMARK(BM_LoadMaterialGold);

}  // namespace
