#include "render/material_file.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <memory>

#include "kernel/object_stream.h"
#include "platform/text_encoding.h"

namespace {

constexpr std::size_t kMagicBytes = sizeof kMaterialMagic - 1;
constexpr std::int32_t kMaxNameBytes = 255;

// The 11 numbers and the four names in the order of the file.
template <class Record>
auto Values(Record& r) {
  return std::array{&r.ambient[0],  &r.ambient[1],  &r.ambient[2],  &r.diffuse[0],
                    &r.diffuse[1],  &r.diffuse[2],  &r.specular[0], &r.specular[1],
                    &r.specular[2], &r.shininess,   &r.transparency};
}

template <class Record>
auto Names(Record& r) {
  return std::array{&r.textureMap, &r.bumpMap, &r.reflectMap, &r.shinyMap};
}

// False when the count is negative, past the end of the file or the read comes up short.
bool ReadName(std::string* name) {
  const std::int32_t count = ReadObjectInt32();
  if (ObjectStreamFailed() || count < 0 || !ObjectStreamHasRoomFor(count, 1)) return false;
  char bytes[kMaxNameBytes];
  const std::int32_t kept = std::min(count, kMaxNameBytes);
  ReadObjectBytes(bytes, static_cast<std::size_t>(kept));
  // A longer name was never written by us: its tail is skipped so the next name reads in step.
  for (std::int32_t left = count - kept; left > 0 && !ObjectStreamFailed();) {
    char skipped[kMaxNameBytes];
    const std::int32_t step = std::min(left, kMaxNameBytes);
    ReadObjectBytes(skipped, static_cast<std::size_t>(step));
    left -= step;
  }
  *name = Cp1252ToUtf8(std::string_view(bytes, static_cast<std::size_t>(kept)));
  return !ObjectStreamFailed();
}

}  // namespace

int ReadMaterialRecord(MaterialRecord* record) {
  char magic[kMagicBytes];
  ReadObjectBytes(magic, kMagicBytes);
  if (std::memcmp(magic, kMaterialMagic, kMagicBytes) != 0) return -1;
  MaterialRecord read;
  for (std::int32_t* value : Values(read)) *value = ReadObjectInt32();
  if (ObjectStreamFailed()) return -1;
  for (std::string* name : Names(read)) {
    if (!ReadName(name)) return -1;
  }
  *record = std::move(read);
  return 1;
}

int WriteMaterialRecord(const MaterialRecord& record) {
  SetScrambledWrite(0);
  WriteObjectBytes(kMaterialMagic, kMagicBytes);
  for (const std::int32_t* value : Values(record)) WriteObjectInt32(*value);
  for (const std::string* name : Names(record)) WriteCountedString(Utf8ToCp1252Limited(*name, kMaxNameBytes));
  return ObjectStreamFailed() ? 0 : 1;
}

int ReadMaterialBytes(const std::uint8_t* data, std::size_t size, MaterialRecord* record) {
  // fmemopen refuses an empty buffer; no stream reads as nothing, as an empty file does.
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(
      size > 0 ? fmemopen(const_cast<std::uint8_t*>(data), size, "r") : nullptr, &std::fclose);
  ObjectStreamScope stream(file.get());
  return ReadMaterialRecord(record);
}
