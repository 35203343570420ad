#pragma once

#include <cstdio>
#include <memory>
#include <string>

// Writes a file without ever losing the one it replaces: everything goes to a temporary file in
// the target's folder, which takes the target's place only once every write has succeeded. A
// ReplacingFile dropped before ReplaceTarget removes its temporary file and leaves the target
// as it was.
class ReplacingFile {
 public:
  // Null when the path is empty, names something that is not a writable file, or no temporary
  // file can be made beside it.
  static std::unique_ptr<ReplacingFile> Open(const std::string& target);
  ~ReplacingFile();
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  // The open temporary file, until Finish.
  std::FILE* file() const { return file_; }
  const std::string& temporaryPath() const { return temporaryPath_; }
  const std::string& targetPath() const { return target_; }

  // Flushes, syncs and closes the temporary file; false when any write, the flush, the sync or
  // the close failed.
  bool Finish();
  // Renames the finished temporary file over the target.
  bool ReplaceTarget();

 private:
  ReplacingFile(std::string target, std::string temporaryPath, std::FILE* file);

  std::string target_;
  std::string temporaryPath_;
  std::FILE* file_;
  bool replaced_ = false;
};
