#include "kernel/object_stream.h"

#include <bit>
#include <cstring>
#include <vector>

#include "kernel/program_random.h"
#include "platform/file_handle.h"

static_assert(std::endian::native == std::endian::little,
              "records are little-endian and are copied as they lie in memory");

namespace {

// The viewer-file key: each byte of a scrambled field is XORed with the key byte of its position.
constexpr std::uint8_t kScrambleKey[8] = {0x4C, 0x9E, 0x21, 0xD7, 0x6A, 0x13, 0xB5, 0x38};

// What a reader may claim of a stream whose size cannot be known (a pipe).
constexpr std::int64_t kUnseekableCap = std::int64_t{1} << 30;

ObjectStreamState stream;

void WriteScrambled(const std::uint8_t* bytes, std::size_t n) {
  std::vector<std::uint8_t> out;
  out.reserve(n + 1);
  std::uint8_t prev = static_cast<std::uint8_t>(ProgramRand() % 256);
  std::uint8_t c = 0;
  for (std::size_t pos = n; pos-- > 0;) {
    c = bytes[pos] ^ kScrambleKey[pos % 8];
    out.push_back(static_cast<std::uint8_t>((prev << 4) | (c >> 4)));
    prev = c;
  }
  out.push_back(c);
  if (std::fwrite(out.data(), 1, out.size(), stream.file) != out.size()) stream.failed = true;
}

}  // namespace

std::FILE* SetObjectStream(std::FILE* f) {
  std::FILE* previous = stream.file;
  stream.file = f;
  stream.failed = false;
  stream.size = f != nullptr ? FileSizeOf(f) : -1;
  return previous;
}

void SetScrambledWrite(int on) { stream.scrambled = on; }

ObjectStreamState SaveObjectStreamState() { return stream; }

void RestoreObjectStreamState(const ObjectStreamState& state) { stream = state; }

std::size_t ReadObjectBytes(void* p, std::size_t n) {
  std::size_t got = 0;
  if (!stream.failed && stream.file != nullptr) got = std::fread(p, 1, n, stream.file);
  if (got < n) {
    std::memset(static_cast<char*>(p) + got, 0, n - got);
    stream.failed = true;
  }
  return got;
}

void WriteObjectBytes(const void* p, std::size_t n) {
  if (stream.file == nullptr || n == 0) {
    stream.failed = stream.failed || stream.file == nullptr;
    return;
  }
  const auto* bytes = static_cast<const std::uint8_t*>(p);
  if (stream.scrambled != 0) {
    WriteScrambled(bytes, n);
  } else if (std::fwrite(bytes, 1, n, stream.file) != n) {
    stream.failed = true;
  }
}

std::int32_t ReadObjectInt32() {
  std::int32_t value;
  ReadObjectBytes(&value, sizeof value);
  return value;
}

void WriteObjectInt32(std::int32_t value) { WriteObjectBytes(&value, sizeof value); }

std::int16_t ReadObjectInt16() {
  std::int16_t value;
  ReadObjectBytes(&value, sizeof value);
  return value;
}

void WriteObjectInt16(std::int16_t value) { WriteObjectBytes(&value, sizeof value); }

float ReadObjectFloat() {
  float value;
  ReadObjectBytes(&value, sizeof value);
  return value;
}

void WriteObjectFloat(float value) { WriteObjectBytes(&value, sizeof value); }

void ReadObjectMatrix(Matrix4* m) {
  for (float& element : m->m) element = ReadObjectFloat();
}

void WriteObjectMatrix(const Matrix4& m) {
  for (const float element : m.m) WriteObjectFloat(element);
}

std::optional<std::string> ReadCountedString() {
  const std::int32_t length = ReadObjectInt32();
  if (length < 1 || !ObjectStreamHasRoomFor(length, 1)) return std::nullopt;
  std::string text(static_cast<std::size_t>(length), '\0');
  ReadObjectBytes(text.data(), text.size());
  if (stream.failed) return std::nullopt;
  return text;
}

void WriteCountedString(std::string_view s) {
  WriteObjectInt32(static_cast<std::int32_t>(s.size()));
  // One field a character: in scrambled mode each draws its own random nibble.
  for (const char c : s) WriteObjectBytes(&c, 1);
}

bool ObjectStreamFailed() { return stream.failed; }

void MarkObjectStreamFailed() {
  stream.failed = true;
  if (stream.file != nullptr && stream.size >= 0) std::fseek(stream.file, 0, SEEK_END);
}

std::int64_t ObjectStreamBytesLeft() {
  if (stream.file == nullptr || stream.failed) return 0;
  if (stream.size < 0) return kUnseekableCap;
  const long here = std::ftell(stream.file);
  return here < 0 ? 0 : stream.size - here;
}

bool ObjectStreamHasRoomFor(std::int64_t count, std::int64_t itemBytes) {
  if (count >= 0 && count <= ObjectStreamBytesLeft() / itemBytes) return true;
  MarkObjectStreamFailed();
  return false;
}

void ResetObjectStream() { stream = ObjectStreamState(); }
