#include "platform/replacing_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace {

// Permission bits for the new file: those of the file it replaces, or those a plain create
// would give.
mode_t PermissionsFor(const std::string& target) {
  struct stat info;
  if (stat(target.c_str(), &info) == 0) return info.st_mode & 07777;
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

ReplacingFile::ReplacingFile(std::string target, std::string temporaryPath, std::FILE* file)
    : target_(std::move(target)), temporaryPath_(std::move(temporaryPath)), file_(file) {}

std::unique_ptr<ReplacingFile> ReplacingFile::Open(const std::string& target) {
  if (target.empty()) return nullptr;
  // A rename would slip past a read-only file's permission; refuse as a plain open would. A file
  // with no write bit at all counts as read-only even for root, who passes every access check.
  // Nor does a file take the place of a folder or a device.
  struct stat info;
  if (stat(target.c_str(), &info) == 0 &&
      (!S_ISREG(info.st_mode) || (info.st_mode & 0222) == 0 || access(target.c_str(), W_OK) != 0)) {
    return nullptr;
  }

  std::string pattern = target + ".XXXXXX";
  const int fd = mkstemp(pattern.data());
  if (fd < 0) return nullptr;
  fchmod(fd, PermissionsFor(target));
  std::FILE* file = fdopen(fd, "wb");
  if (file == nullptr) {
    close(fd);
    unlink(pattern.c_str());
    return nullptr;
  }
  return std::unique_ptr<ReplacingFile>(new ReplacingFile(target, pattern, file));
}

ReplacingFile::~ReplacingFile() {
  if (file_ != nullptr) std::fclose(file_);
  if (!replaced_) unlink(temporaryPath_.c_str());
}

bool ReplacingFile::Finish() {
  if (file_ == nullptr) return false;
  bool ok = std::ferror(file_) == 0;
  ok = std::fflush(file_) == 0 && ok;
  ok = fsync(fileno(file_)) == 0 && ok;
  ok = std::fclose(file_) == 0 && ok;
  file_ = nullptr;
  return ok;
}

bool ReplacingFile::ReplaceTarget() {
  if (file_ != nullptr || replaced_) return false;
  replaced_ = std::rename(temporaryPath_.c_str(), target_.c_str()) == 0;
  return replaced_;
}
