#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/database_dialog.h"
#include "bench_pictures.h"
#include "platform/platform_services.h"
#include "services/app_settings.h"

namespace {

// Every folder selection reads all of the folder's pictures again: 200 designs with 640 x 480
// pictures.
void BM_FolderSelectionOf200Designs(benchmark::State& state) {
  namespace fs = std::filesystem;
  ResetPlatformState();
  const fs::path root = fs::temp_directory_path() / "lumidrex-bench-database";
  const fs::path folder = root / "Rings" / "Rings1";
  fs::create_directories(folder);
  for (int i = 0; i < 200; ++i) {
    char title[8];
    std::snprintf(title, sizeof title, "%03d", i);
    std::FILE* design = std::fopen((folder / (std::string(title) + ".lxd")).c_str(), "wb");
    if (design != nullptr) std::fclose(design);
    WriteBenchPicture((folder / (std::string(title) + ".bmp")).string(), 640, 480);
  }
  DataBaseDir = root.string();
  CDatabaseDlg dialog;
  dialog.OnInitDialog();
  for (auto _ : state) {
    dialog.OnFolderSelChanged();
    benchmark::DoNotOptimize(dialog.designs.size());
  }
  fs::remove_all(root);
}
BENCHMARK(BM_FolderSelectionOf200Designs)->Unit(benchmark::kMillisecond);

}  // namespace
