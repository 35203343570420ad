#include "platform/replacing_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/file_handle.h"

namespace {

// Temporary files are named <target>.saving-XXXXXX, the last six characters mkstemp's.
constexpr char kTemporaryInfix[] = ".saving-";
constexpr std::size_t kUniqueChars = 6;

// Permission bits for the new file: those of the file it replaces, or those a plain create
// would give.
mode_t PermissionsFor(const std::string& target) {
  struct stat info;
  if (stat(target.c_str(), &info) == 0) return info.st_mode & 07777;
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

std::filesystem::path FolderOf(const std::string& target) {
  const std::filesystem::path folder = std::filesystem::path(target).parent_path();
  return folder.empty() ? std::filesystem::path(".") : folder;
}

// Removes the temporary files of target that no live writer holds locked: those of writers
// killed before they finished.
void RemoveStaleTemporaries(const std::string& target) {
  const std::string prefix = std::filesystem::path(target).filename().string() + kTemporaryInfix;
  std::error_code error;
  for (std::filesystem::directory_iterator entry(FolderOf(target), error), end; !error && entry != end;
       entry.increment(error)) {
    const std::string name = entry->path().filename().string();
    if (name.size() != prefix.size() + kUniqueChars || name.compare(0, prefix.size(), prefix) != 0) continue;
    const int fd = open(entry->path().c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat info;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && flock(fd, LOCK_EX | LOCK_NB) == 0) {
      unlink(entry->path().c_str());
    }
    close(fd);
  }
}

void SyncFolderOf(const std::string& path) {
  const int fd = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

// The whole of source as a new file at target; false when it cannot be read or written.
bool CopyFile(const std::string& source, const std::string& target) {
  const FileHandle in = OpenFile(source, "rb");
  std::unique_ptr<ReplacingFile> out = in ? ReplacingFile::Open(target) : nullptr;
  if (!out) return false;
  char chunk[65536];
  for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, in.get())) > 0;) {
    if (std::fwrite(chunk, 1, got, out->file()) != got) return false;
  }
  return !std::ferror(in.get()) && out->Finish() && out->ReplaceTarget();
}

}  // namespace

ReplacingFile::ReplacingFile(std::string target, std::string temporaryPath, std::FILE* file, int lock)
    : target_(std::move(target)), temporaryPath_(std::move(temporaryPath)), file_(file), lock_(lock) {}

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
  RemoveStaleTemporaries(target);

  std::string pattern = target + kTemporaryInfix + std::string(kUniqueChars, 'X');
  const int fd = mkostemp(pattern.data(), O_CLOEXEC);
  if (fd < 0) return nullptr;
  // The lock lives on a second descriptor, so that it outlasts the file's close in Finish.
  const int lock = dup(fd);
  std::FILE* file = lock >= 0 && flock(lock, LOCK_EX) == 0 ? fdopen(fd, "wb") : nullptr;
  if (file == nullptr) {
    close(fd);
    if (lock >= 0) close(lock);
    unlink(pattern.c_str());
    return nullptr;
  }
  fchmod(fd, PermissionsFor(target));
  return std::unique_ptr<ReplacingFile>(new ReplacingFile(target, pattern, file, lock));
}

ReplacingFile::~ReplacingFile() {
  if (file_ != nullptr) std::fclose(file_);
  if (!replaced_) unlink(temporaryPath_.c_str());
  close(lock_);
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
  if (replaced_) SyncFolderOf(target_);
  return replaced_;
}

bool ReplacingFile::ReplaceTargetKeeping(const std::string& backup) {
  if (file_ != nullptr || replaced_) return false;
  unlink(backup.c_str());
  if (link(target_.c_str(), backup.c_str()) != 0) CopyFile(target_, backup);
  return ReplaceTarget();
}
