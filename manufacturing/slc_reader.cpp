#include "manufacturing/slc_reader.h"

#include <cmath>

#include "exchange/little_endian.h"

namespace {

constexpr long kReservedBytes = 256;
constexpr long kTableEntryBytes = 16;
constexpr long kBoundaryHeadBytes = 8;
constexpr long kPointBytes = 8;
constexpr std::uint32_t kTerminatorCount = 0xFFFFFFFF;

}  // namespace

SlcReader::SlcReader(std::FILE* file) : file_(file) {
  position_ = std::ftell(file);
  if (position_ < 0 || std::fseek(file, 0, SEEK_END) != 0) {
    position_ = size_ = 0;
    return;
  }
  size_ = std::ftell(file);
  if (size_ < position_ || std::fseek(file, position_, SEEK_SET) != 0) size_ = position_;
}

bool SlcReader::Read(void* bytes, std::size_t count) {
  if (static_cast<long>(count) > Left()) return false;
  if (std::fread(bytes, 1, count, file_) != count) {
    // The file shrank under us: nothing more is read.
    size_ = position_;
    return false;
  }
  position_ += static_cast<long>(count);
  return true;
}

bool SlcReader::ReadU32(std::uint32_t* value) {
  unsigned char bytes[4];
  if (!Read(bytes, 4)) return false;
  *value = GetU32(bytes);
  return true;
}

bool SlcReader::ReadFloat(float* value) {
  unsigned char bytes[4];
  if (!Read(bytes, 4)) return false;
  *value = GetFloat(bytes);
  return std::isfinite(*value);
}

bool SlcReader::Seek(long position) {
  if (position < 0 || position > size_ || std::fseek(file_, position, SEEK_SET) != 0) return false;
  position_ = position;
  return true;
}

bool SlcReader::ReadHeaderText(std::string* text) {
  text->clear();
  char byte = 0;
  while (Read(&byte, 1)) {
    if (byte == 26) return true;
    text->push_back(byte);
  }
  return false;
}

bool SlcReader::ReadSamplingTable(float* thickness) {
  if (Left() < kReservedBytes || !Seek(position_ + kReservedBytes)) return false;
  unsigned char entries = 0;
  if (!Read(&entries, 1) || entries == 0 || long{entries} * kTableEntryBytes > Left()) return false;
  for (int i = 0; i < entries; ++i) {
    float values[4];
    for (float& value : values) {
      if (!ReadFloat(&value)) return false;
    }
    *thickness = values[1];
  }
  return true;
}

SlcReader::Record SlcReader::ReadLayer(SlcLayer* layer) {
  float z = 0.0f;
  std::uint32_t boundaries = 0;
  // A terminator's z is never used, so only a layer's must be finite.
  unsigned char zBytes[4];
  if (!Read(zBytes, 4) || !ReadU32(&boundaries)) return Record::kBroken;
  if (boundaries == kTerminatorCount) return Record::kTerminator;
  z = GetFloat(zBytes);
  if (!std::isfinite(z) || std::int64_t{boundaries} * kBoundaryHeadBytes > Left()) return Record::kBroken;
  if (layer != nullptr) {
    layer->z = z;
    layer->boundaries.clear();
    layer->boundaries.reserve(boundaries);
  }
  for (std::uint32_t b = 0; b < boundaries; ++b) {
    std::uint32_t vertices = 0;
    std::uint32_t gaps = 0;
    if (!ReadU32(&vertices) || !ReadU32(&gaps) || std::int64_t{vertices} * kPointBytes > Left()) {
      return Record::kBroken;
    }
    std::vector<SlcPoint> points;
    if (layer != nullptr) points.reserve(vertices);
    for (std::uint32_t v = 0; v < vertices; ++v) {
      SlcPoint point;
      if (!ReadFloat(&point.x) || !ReadFloat(&point.y)) return Record::kBroken;
      if (layer != nullptr) points.push_back(point);
    }
    if (layer != nullptr) layer->boundaries.push_back(std::move(points));
  }
  return Record::kLayer;
}
