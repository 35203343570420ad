#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class ReplacingFile;

// A buffered output file for the exchange writers. It writes through a ReplacingFile, so the
// file it replaces survives every failure; a failed write, seek or flush is remembered and makes
// every later write a no-op, and Commit reports it.
class OutputFile {
 public:
  OutputFile();
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Starts a new file that is to take the target's place; false when none can be made (see
  // ReplacingFile::Open). A file still open is discarded first.
  bool Open(const std::string& target);
  bool IsOpen() const { return file_ != nullptr; }

  void Write(const void* bytes, std::size_t count);
  void Write(std::string_view text) { Write(text.data(), text.size()); }
  // Overwrites count bytes at offset; writing then goes on at the end.
  void WriteAt(long offset, const void* bytes, std::size_t count);

  bool failed() const { return failed_; }

  // Puts the file in the target's place: true when every write, the flush, the sync, the close
  // and the rename succeeded. On false the target is as it was and no file is left behind.
  bool Commit();
  // Drops the file written so far; the target stays as it was.
  void Discard();

  // For the tests: every output file fails its writes once it has handed this many bytes to the
  // system; negative turns it off.
  static void FailWritesAfter(std::int64_t bytes);

 private:
  void Flush();
  void Hand(const void* bytes, std::size_t count);

  std::unique_ptr<ReplacingFile> file_;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
  std::int64_t handed_ = 0;
  bool failed_ = false;
};

// Large enough that the system sees few, long writes.
inline constexpr std::size_t kOutputBufferBytes = std::size_t{1} << 20;
