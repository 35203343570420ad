#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// A temporary file made current as the object stream for the life of the object, so a test can
// write records and look at their bytes, or read records from bytes it made by hand.
class ScratchFile {
 public:
  explicit ScratchFile(const Bytes& contents = {});
  ~ScratchFile();
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;

  // Everything written so far; leaves the stream at its start, ready for reading.
  Bytes Contents();
  std::FILE* file() const { return file_; }
  long Position() const { return std::ftell(file_); }

 private:
  std::FILE* file_;
  std::FILE* previous_;
};

// The bytes that write() puts on a fresh object stream.
Bytes CaptureWrite(const std::function<void()>& write);

// Appends a value as it lies in a little-endian record, for hand-made fixtures.
template <class T>
void Append(Bytes* out, T value) {
  const std::size_t at = out->size();
  out->resize(at + sizeof(T));
  std::memcpy(out->data() + at, &value, sizeof(T));
}

// Little-endian 32-bit words, for hand-made fixtures.
inline Bytes Words(std::initializer_list<std::int32_t> words) {
  Bytes bytes;
  for (const std::int32_t w : words) Append(&bytes, w);
  return bytes;
}
