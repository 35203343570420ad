#include "platform/program_folder.h"

#include <filesystem>
#include <system_error>

namespace {

std::string& Override() {
  static std::string folder;
  return folder;
}

std::string ExecutableFolder() {
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return "./";
  std::string folder = exe.parent_path().string();
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace

const std::string& GetProgramDir() {
  static const std::string executableFolder = ExecutableFolder();
  return Override().empty() ? executableFolder : Override();
}

void SetProgramDirOverride(const std::string& folder) {
  Override() = folder;
  if (!folder.empty() && folder.back() != '/') Override() += '/';
}
