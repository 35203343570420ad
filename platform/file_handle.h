#pragma once

#include <cstdio>
#include <memory>
#include <string>

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// A file closed when its handle goes, on every way out.
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Null when the file does not open.
inline FileHandle OpenFile(const std::string& path, const char* mode) {
  return FileHandle(std::fopen(path.c_str(), mode));
}
