#include "platform/program_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
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

std::optional<std::string>& Exchange() {
  static std::optional<std::string> folder;
  return folder;
}

bool IsPrivateFolder(const std::string& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode) && status.st_uid == ::geteuid() &&
         (status.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

std::string SettleExchangeFolder() {
  const char* tmp = std::getenv("TMPDIR");
  const std::string base = WithSlash(tmp != nullptr && tmp[0] != '\0' ? tmp : "/tmp");
  const std::string shared = base + "lumidrex";
  ::mkdir(shared.c_str(), 0700);
  if (IsPrivateFolder(shared)) return shared + "/";
  std::string pattern = base + "lumidrex-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) return {};
  return pattern + "/";
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

const std::string& GetExchangeFolder() {
  if (!Exchange()) Exchange() = SettleExchangeFolder();
  return *Exchange();
}

void ResetExchangeFolder() { Exchange().reset(); }
