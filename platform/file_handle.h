#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Closes the file, then frees the bytes an in-memory file was read from.
struct FileCloser {
  std::shared_ptr<std::vector<char>> contents;
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// A file closed when its handle goes, on every way out.
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// The most a reader takes of input that comes as a stream.
inline constexpr std::size_t kMaxStreamedInputBytes = std::size_t{256} << 20;

// Null when the file does not open. Opening for reading never waits for a writer (a FIFO nobody
// writes reads as empty). Input for reading that is neither a file nor a folder (a pipe, a FIFO,
// a device) is read into memory and handed out as a seekable file, so that readers check the
// counts they meet against the bytes that really came: when its first bytes are not magic, only
// those are taken (the reader then refuses the file as it would refuse such a file); otherwise
// it is taken to its end, and refused as null when that lies past kMaxStreamedInputBytes.
FileHandle OpenFile(const std::string& path, const char* mode, std::string_view magic = {});

// The size of a seekable file, its position kept; -1 for one whose size cannot be known.
std::int64_t FileSizeOf(std::FILE* f);
