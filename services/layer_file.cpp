#include "services/layer_file.h"

#include <cstdint>
#include <cstdio>
#include <memory>

#include "kernel/object_stream.h"
#include "platform/file_handle.h"
#include "platform/replacing_file.h"
#include "platform/text_encoding.h"

namespace {

constexpr std::int32_t kEndMarker = -1;

// Applies one record to layers; false at the end marker, where the file ends, or at a record no
// layer file can hold (then *bad is set).
bool ReadRecord(LayerSet* layers, bool* bad) {
  if (ObjectStreamBytesLeft() == 0) return false;
  const std::int32_t index = ReadObjectInt32();
  if (ObjectStreamFailed() || index < 0) return false;
  const std::int32_t units = ReadObjectInt32();
  if (ObjectStreamFailed()) return false;
  if (index >= kLayerCount || units < 0 || units > kMaxLayerNameUnits) {
    *bad = true;
    return false;
  }
  std::u16string name(static_cast<std::size_t>(units), u'\0');
  ReadObjectBytes(name.data(), 2 * name.size());
  const auto color = static_cast<std::uint32_t>(ReadObjectInt32());
  if (ObjectStreamFailed()) return false;
  (*layers)[index].name = Utf16ToUtf8(name);
  (*layers)[index].color = color;
  return true;
}

}  // namespace

LayerFileResult ReadLayerFile(const std::string& path, LayerSet* layers) {
  const FileHandle file = OpenFile(path, "rb", kLayerFileMagic);
  if (!file) return LayerFileResult::kCannotOpen;
  const ObjectStreamScope stream(file.get());
  char magic[kLayerFileMagic.size()];
  ReadObjectBytes(magic, sizeof magic);
  if (ObjectStreamFailed() || std::string_view(magic, sizeof magic) != kLayerFileMagic) {
    return LayerFileResult::kBadFormat;
  }
  ReadObjectInt32();  // the count: records are read until the end marker
  LayerSet copy = *layers;
  bool bad = false;
  while (ReadRecord(&copy, &bad)) {
  }
  if (bad) return LayerFileResult::kBadFormat;
  *layers = std::move(copy);
  return LayerFileResult::kRead;
}

bool WriteLayerFile(const std::string& path, const LayerSet& layers) {
  const std::unique_ptr<ReplacingFile> file = ReplacingFile::Open(path);
  if (!file) return false;
  {
    const ObjectStreamScope stream(file->file());
    WriteObjectBytes(kLayerFileMagic.data(), kLayerFileMagic.size());
    WriteObjectInt32(kLayerCount);
    for (int i = 0; i < kLayerCount; ++i) {
      std::u16string name = Utf8ToUtf16(layers[i].name);
      if (name.size() > kMaxLayerNameUnits) name.resize(kMaxLayerNameUnits);
      WriteObjectInt32(i);
      WriteObjectInt32(static_cast<std::int32_t>(name.size()));
      WriteObjectBytes(name.data(), 2 * name.size());
      WriteObjectInt32(static_cast<std::int32_t>(layers[i].color));
    }
    WriteObjectInt32(kEndMarker);
    if (ObjectStreamFailed()) return false;
  }
  return file->Finish() && file->ReplaceTarget();
}
