#pragma once

#include <cstdio>
#include <memory>
#include <string>

// Writes a file without ever losing the one it replaces: everything goes to a temporary file in
// the target's folder, which takes the target's place in one rename only once every write has
// succeeded, so the target's name always holds the old file or the new one, whole. A
// ReplacingFile dropped before ReplaceTarget removes its temporary file and leaves the target as
// it was; the temporary file of a process killed meanwhile is removed by the next ReplacingFile
// of the same target.
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
  // Renames the finished temporary file over the target, then syncs the folder so that the new
  // name lasts through a crash.
  bool ReplaceTarget();
  // ReplaceTarget, after giving the target as it is a second name, backup (any file there
  // before is removed): a hard link, or a copy where the file system has none. The target keeps
  // its name throughout; a backup that cannot be made does not stop the replacement.
  bool ReplaceTargetKeeping(const std::string& backup);

 private:
  ReplacingFile(std::string target, std::string temporaryPath, std::FILE* file, int lock);

  std::string target_;
  std::string temporaryPath_;
  std::FILE* file_;
  int lock_;  // holds the temporary file locked while this lives, marking it as in use
  bool replaced_ = false;
};
