#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "kernel/bmp_image.h"

namespace {

// A 4000 x 3000 picture in a temporary folder, written once per depth.
std::string PicturePath(int bits) {
  const std::string path = "/tmp/lumidrex-bench-" + std::to_string(bits) + ".bmp";
  constexpr int kWidth = 4000, kHeight = 3000;
  const int entries = bits == 8 ? 256 : 0;
  const int rowBytes = (kWidth * bits + 31) / 32 * 4;
  const int offset = 54 + entries * 4;
  std::vector<unsigned char> file(static_cast<std::size_t>(offset) + static_cast<std::size_t>(rowBytes) * kHeight, 0x55);
  const auto put32 = [&](int at, unsigned v) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<unsigned char>(v >> (8 * i));
  };
  file[0] = 'B';
  file[1] = 'M';
  put32(2, static_cast<unsigned>(file.size()));
  put32(6, 0);
  put32(10, static_cast<unsigned>(offset));
  put32(14, 40);
  put32(18, kWidth);
  put32(22, kHeight);
  file[26] = 1;
  file[27] = 0;
  file[28] = static_cast<unsigned char>(bits);
  file[29] = 0;
  for (int at = 30; at < 54; at += 4) put32(at, 0);
  std::FILE* out = std::fopen(path.c_str(), "wb");
  std::fwrite(file.data(), 1, file.size(), out);
  std::fclose(out);
  return path;
}

void BM_LoadBmpFile(benchmark::State& state) {
  const std::string path = PicturePath(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    ImageRecord image;
    benchmark::DoNotOptimize(LoadBmpFile(path, &image));
  }
  std::remove(path.c_str());
}
BENCHMARK(BM_LoadBmpFile)->Arg(24)->Arg(8)->Unit(benchmark::kMillisecond);

}  // namespace
