#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

// Closes the file, then frees the bytes an in-memory file was read from.
struct FileCloser {
  std::shared_ptr<std::vector<char>> contents;
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// A file closed when its handle goes, on every way out.
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Null when the file does not open. A file opened for reading only whose size cannot be known (a
// pipe, a terminal) is read to its end first and handed out as a seekable file in memory, so that
// readers check the counts they meet against the bytes that really came.
FileHandle OpenFile(const std::string& path, const char* mode);

// The size of a seekable file, its position kept; -1 for one whose size cannot be known.
std::int64_t FileSizeOf(std::FILE* f);
