#include "platform/file_handle.h"

#include <cstring>

namespace {

bool ReadOnly(const char* mode) { return mode[0] == 'r' && std::strchr(mode, '+') == nullptr; }

bool Seekable(std::FILE* f) { return std::fseek(f, 0, SEEK_CUR) == 0 && std::ftell(f) >= 0; }

}  // namespace

FileHandle OpenFile(const std::string& path, const char* mode) {
  FileHandle file(std::fopen(path.c_str(), mode));
  if (file == nullptr || !ReadOnly(mode) || Seekable(file.get())) return file;

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
