#include "platform/file_handle.h"

#include <cstring>

namespace {

bool ReadOnly(const char* mode) { return mode[0] == 'r' && std::strchr(mode, '+') == nullptr; }

}  // namespace

std::int64_t FileSizeOf(std::FILE* f) {
  const long here = std::ftell(f);
  if (here < 0 || std::fseek(f, 0, SEEK_END) != 0) return -1;
  const long end = std::ftell(f);
  std::fseek(f, here, SEEK_SET);
  return end;
}

FileHandle OpenFile(const std::string& path, const char* mode) {
  FileHandle file(std::fopen(path.c_str(), mode));
  if (file == nullptr || !ReadOnly(mode) || FileSizeOf(file.get()) >= 0) return file;

  auto contents = std::make_shared<std::vector<char>>();
  char chunk[65536];
  for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0;) {
    contents->insert(contents->end(), chunk, chunk + got);
  }
  if (std::ferror(file.get())) return nullptr;
  // fmemopen takes no empty buffer on every system: an empty input gets one byte it never shows.
  const std::size_t size = contents->size();
  if (contents->empty()) contents->push_back('\0');
  std::FILE* memory = fmemopen(contents->data(), size, "rb");
  if (memory == nullptr) return nullptr;
  return FileHandle(memory, FileCloser{std::move(contents)});
}
