#include "platform/program_folder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

std::string& Override() {
  static std::string folder;
  return folder;
}

std::string& UserOverride() {
  static std::string folder;
  return folder;
}

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
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

void SetProgramDirOverride(const std::string& folder) { Override() = WithSlash(folder); }

std::string GetUserDataDir() {
  if (!UserOverride().empty()) return UserOverride();
  // Relative values are to be ignored, like unset ones.
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && config[0] == '/') return WithSlash(config) + "Kelmora/Lumidrex/";
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] != '/') return {};
  return WithSlash(home) + ".config/Kelmora/Lumidrex/";
}

void SetUserDataDirOverride(const std::string& folder) { UserOverride() = WithSlash(folder); }
