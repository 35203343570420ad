#include "platform/file_handle.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

namespace {

bool ReadOnly(const char* mode) { return mode[0] == 'r' && std::strchr(mode, '+') == nullptr; }

// Appends what the input gives until contents holds total bytes or the input ends, reading
// straight into the growing buffer.
void ReadUpTo(std::FILE* input, std::vector<char>* contents, std::size_t total) {
  std::size_t size = contents->size();
  while (size < total) {
    const std::size_t step = std::min(total - size, std::max<std::size_t>(size, 65536));
    contents->resize(size + step);
    const std::size_t got = std::fread(contents->data() + size, 1, step, input);
    size += got;
    if (got < step) break;
  }
  contents->resize(size);
}

// The open descriptor for reading; a FIFO without a writer opens at once and reads as empty.
int OpenForReading(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd >= 0 && fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

std::int64_t FileSizeOf(std::FILE* f) {
  const long here = std::ftell(f);
  if (here < 0 || std::fseek(f, 0, SEEK_END) != 0) return -1;
  const long end = std::ftell(f);
  std::fseek(f, here, SEEK_SET);
  return end;
}

FileHandle OpenFile(const std::string& path, const char* mode, std::string_view magic) {
  if (!ReadOnly(mode)) return FileHandle(std::fopen(path.c_str(), mode));
  const int fd = OpenForReading(path);
  if (fd < 0) return nullptr;
  struct stat info;
  std::FILE* opened = fstat(fd, &info) == 0 ? fdopen(fd, mode) : nullptr;
  if (opened == nullptr) {
    close(fd);
    return nullptr;
  }
  FileHandle file(opened);
  if (S_ISREG(info.st_mode) || S_ISDIR(info.st_mode)) return file;

  auto contents = std::make_shared<std::vector<char>>();
  ReadUpTo(file.get(), contents.get(), magic.size());
  if (std::string_view(contents->data(), contents->size()) == magic) ReadUpTo(file.get(), contents.get(), kMaxStreamedInputBytes + 1);
  if (std::ferror(file.get()) || contents->size() > kMaxStreamedInputBytes) return nullptr;
  // fmemopen takes no empty buffer on every system: an empty input gets one byte it never shows.
  const std::size_t size = contents->size();
  if (contents->empty()) contents->push_back('\0');
  std::FILE* memory = fmemopen(contents->data(), size, "rb");
  if (memory == nullptr) return nullptr;
  return FileHandle(memory, FileCloser{std::move(contents)});
}
