#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/program_folder.h"
#include "scene/scene.h"
#include "program_reset.h"

namespace {

// Made on first use and removed when the process ends.
class ScratchProgramFolder {
 public:
  ScratchProgramFolder() {
    char pattern[] = "/tmp/lumidrex-fuzz-XXXXXX";
    if (mkdtemp(pattern) == nullptr) FuzzCheckFailed("no scratch folder");
    path_ = std::string(pattern) + "/";
    std::error_code ignored;
    std::filesystem::copy_file(LUMIDREX_PROGRAM_FOLDER "gemlib", path_ + "gemlib", ignored);
  }
  ~ScratchProgramFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace

const std::string& FuzzProgramFolder() {
  static const ScratchProgramFolder folder;
  return folder.path();
}

void StartFuzzInput() {
  ResetProgramState([](const std::string&) {});
  SetProgramDirOverride(FuzzProgramFolder());
}

std::string WriteFuzzFile(const std::string& name, const std::uint8_t* data, std::size_t size) {
  const std::string path = FuzzProgramFolder() + name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!out) FuzzCheckFailed("cannot write the input file");
  return path;
}

void FuzzCheckFailed(const char* what) {
  std::fprintf(stderr, "Fuzz check failed: %s\n", what);
  std::abort();
}

ActiveFuzzView::ActiveFuzzView() {
  view_.SetSize(64, 48);
  view_.documentHistory = &document_;
  SetActiveView(&view_);
}

ActiveFuzzView::~ActiveFuzzView() { SetActiveView(nullptr); }
