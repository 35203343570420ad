#include "kernel/bmp_image.h"

#include <array>
#include <cstdio>
#include <cstring>

#include "platform/device_context.h"
#include "platform/file_handle.h"

namespace {

constexpr std::uint32_t kCompressionNone = 0;
constexpr std::uint32_t kCompressionBitfields = 3;

// Little-endian fields read one by one; a short read leaves zeros.
class LittleEndianReader {
 public:
  explicit LittleEndianReader(std::FILE* f) : file_(f) {}
  std::size_t Bytes(void* p, std::size_t n) {
    const std::size_t got = std::fread(p, 1, n, file_);
    std::memset(static_cast<char*>(p) + got, 0, n - got);
    return got;
  }
  std::uint32_t U32() {
    std::uint8_t b[4];
    Bytes(b, 4);
    return b[0] | b[1] << 8 | b[2] << 16 | static_cast<std::uint32_t>(b[3]) << 24;
  }
  std::uint16_t U16() {
    std::uint8_t b[2];
    Bytes(b, 2);
    return static_cast<std::uint16_t>(b[0] | b[1] << 8);
  }
  bool Seek(long offset) { return std::fseek(file_, offset, SEEK_SET) == 0; }

 private:
  std::FILE* file_;
};

struct BmpHeader {
  std::uint32_t pixelOffset = 0;
  std::uint32_t headerSize = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;
  int bits = 0;
  std::uint32_t compression = kCompressionNone;
};

// How a 16- or 32-bit pixel holds its channels.
struct ChannelLayout {
  std::uint32_t red, green, blue;
};

constexpr ChannelLayout k555 = {0x7C00, 0x03E0, 0x001F};
constexpr ChannelLayout k565 = {0xF800, 0x07E0, 0x001F};
constexpr ChannelLayout k888 = {0xFF0000, 0xFF00, 0xFF};

bool operator==(const ChannelLayout& a, const ChannelLayout& b) {
  return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

// Scales a channel of the given mask to 0-255 by repeating its bits, so full scale stays full.
std::uint8_t Channel(std::uint32_t pixel, std::uint32_t mask) {
  int shift = 0;
  while (((mask >> shift) & 1) == 0) ++shift;
  int width = 0;
  while (((mask >> (shift + width)) & 1) != 0) ++width;
  const std::uint32_t value = (pixel & mask) >> shift;
  std::uint32_t repeated = 0;
  int filled = 0;
  while (filled < 8) {
    repeated = (repeated << width) | value;
    filled += width;
  }
  return static_cast<std::uint8_t>(repeated >> (filled - 8));
}

bool ReadHeader(LittleEndianReader& in, BmpHeader* h) {
  std::uint8_t magic[2];
  in.Bytes(magic, 2);
  in.U32();  // file size
  in.U16();
  in.U16();
  h->pixelOffset = in.U32();
  h->headerSize = in.U32();
  if (magic[0] != 'B' || magic[1] != 'M') return false;
  if (h->headerSize == 40) {
    h->width = static_cast<std::int32_t>(in.U32());
    h->height = static_cast<std::int32_t>(in.U32());
    in.U16();  // planes
    h->bits = in.U16();
    h->compression = in.U32();
    for (int i = 0; i < 5; ++i) in.U32();  // image size, resolutions, colours used and important
  } else if (h->headerSize == 12) {
    h->width = in.U16();
    h->height = in.U16();
    in.U16();
    h->bits = in.U16();
  } else {
    return false;
  }
  return h->width > 0 && h->height > 0;
}

// The channel layout of a 16- or 32-bit picture, or false for one we cannot decode.
bool ReadChannelLayout(LittleEndianReader& in, const BmpHeader& h, ChannelLayout* layout) {
  if (h.compression == kCompressionNone) {
    *layout = h.bits == 16 ? k555 : k888;
    return true;
  }
  if (h.compression != kCompressionBitfields) return false;
  layout->red = in.U32();
  layout->green = in.U32();
  layout->blue = in.U32();
  return h.bits == 16 ? (*layout == k555 || *layout == k565) : *layout == k888;
}

// Whether the depth and its coding are ones the decoder knows; asked before anything is
// allocated from the header.
bool KnownCoding(const BmpHeader& h) {
  switch (h.bits) {
    case 1:
    case 4:
    case 8:
    case 24:
      return h.compression == kCompressionNone;
    case 16:
    case 32:
      return h.compression == kCompressionNone || h.compression == kCompressionBitfields;
    default:
      return false;
  }
}

// Bytes of one row as the file stores it, padded to a multiple of 4.
std::int64_t SourceRowBytes(const BmpHeader& h) { return (h.width * h.bits + 31) / 32 * 4; }

bool Decode(LittleEndianReader& in, const BmpHeader& h, ImageRecord* image) {
  std::array<std::uint8_t, 256 * 3> table{};  // blue, green, red
  ChannelLayout layout{};

  switch (h.bits) {
    case 1:
    case 4:
    case 8: {
      const int entries = 1 << h.bits;
      const int entryBytes = h.headerSize == 12 ? 3 : 4;
      for (int i = 0; i < entries; ++i) {
        std::uint8_t entry[4];
        in.Bytes(entry, static_cast<std::size_t>(entryBytes));
        std::memcpy(&table[static_cast<std::size_t>(i) * 3], entry, 3);
      }
      break;
    }
    case 16:
    case 32:
      if (!ReadChannelLayout(in, h, &layout)) return false;
      break;
    default:  // 24
      break;
  }
  if (!in.Seek(static_cast<long>(h.pixelOffset))) return false;

  if (h.bits == 24) {
    in.Bytes(image->data.data(), image->data.size());
    return true;
  }
  // The file holds at least this one row, so the buffer is no larger than the file.
  std::vector<std::uint8_t> row(static_cast<std::size_t>(SourceRowBytes(h)));
  for (std::int64_t y = 0; y < h.height; ++y) {
    if (in.Bytes(row.data(), row.size()) == 0) break;  // the rest stays black
    std::uint8_t* out = image->data.data() + y * image->rowBytes;
    for (std::int64_t x = 0; x < h.width; ++x, out += 3) {
      std::uint32_t pixel;
      switch (h.bits) {
        case 1:
          std::memcpy(out, &table[((row[x / 8] >> (7 - x % 8)) & 1) * 3], 3);
          break;
        case 4:
          std::memcpy(out, &table[((row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0xF) * 3], 3);
          break;
        case 8:
          std::memcpy(out, &table[row[x] * 3u], 3);
          break;
        case 16:
          pixel = row[x * 2] | row[x * 2 + 1] << 8;
          out[0] = Channel(pixel, layout.blue);
          out[1] = Channel(pixel, layout.green);
          out[2] = Channel(pixel, layout.red);
          break;
        default:  // 32: blue, green, red and an unused byte
          std::memcpy(out, &row[x * 4], 3);
          break;
      }
    }
  }
  return true;
}

}  // namespace

int LoadBmpFile(const std::string& path, ImageRecord* image) {
  *image = ImageRecord();
  if (path.empty()) return -1;
  const FileHandle file = OpenFile(path, "rb", "BM");
  if (!file) return -1;
  LittleEndianReader in(file.get());

  BmpHeader header;
  if (!ReadHeader(in, &header) || !KnownCoding(header)) return -1;
  // Each side is bounded before they are multiplied, so the product cannot overflow.
  if (header.width > kMaxImageBytes / 3 || header.height > kMaxImageBytes) return -1;
  const std::int64_t rowBytes = DibRowBytes(header.width);
  if (rowBytes * header.height > kMaxImageBytes) return -1;
  // A header alone is no picture: at least one whole row must follow the pixel offset before the
  // declared size is allocated. Rows missing after it are black, as in a cut-off file.
  const std::int64_t fileSize = FileSizeOf(file.get());
  if (fileSize < header.pixelOffset || fileSize - header.pixelOffset < SourceRowBytes(header)) return -1;

  ImageRecord loaded;
  loaded.width = static_cast<std::int32_t>(header.width);
  loaded.height = static_cast<std::int32_t>(header.height);
  loaded.rowBytes = static_cast<std::int32_t>(rowBytes);
  loaded.data.assign(static_cast<std::size_t>(rowBytes * header.height), 0);
  if (!Decode(in, header, &loaded)) return -1;
  *image = std::move(loaded);
  return 1;
}

std::unique_ptr<BmpFile> CreateBmpFile(const std::string& path, int width, int height,
                                       int xPixelsPerMetre, int yPixelsPerMetre) {
  if (path.empty() || width <= 0 || height <= 0) return nullptr;
  const std::int64_t fileSize = DibRowBytes(width) * height + 54;
  if (fileSize > INT32_MAX) return nullptr;
  std::unique_ptr<ReplacingFile> file = ReplacingFile::Open(path);
  if (!file) return nullptr;

  std::vector<std::uint8_t> header;
  const auto put32 = [&](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) header.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  };
  const auto put16 = [&](std::uint16_t v) {
    header.push_back(static_cast<std::uint8_t>(v));
    header.push_back(static_cast<std::uint8_t>(v >> 8));
  };
  header.push_back('B');
  header.push_back('M');
  put32(static_cast<std::uint32_t>(fileSize));
  put16(0);
  put16(0);
  put32(54);
  put32(40);
  put32(static_cast<std::uint32_t>(width));
  put32(static_cast<std::uint32_t>(height));
  put16(1);
  put16(24);
  put32(kCompressionNone);
  put32(0);
  put32(static_cast<std::uint32_t>(xPixelsPerMetre));
  put32(static_cast<std::uint32_t>(yPixelsPerMetre));
  put32(0);
  put32(0);
  std::fwrite(header.data(), 1, header.size(), file->file());
  return std::make_unique<BmpFile>(std::move(file), width, height);
}

bool WriteBmpRows(BmpFile* file, const std::uint8_t* const* rows, int width, int count) {
  static constexpr std::uint8_t kPadding[3] = {0, 0, 0};
  if (width != file->width() || count < 0 || count > file->height() - file->rowsWritten_) return false;
  const std::size_t pixelBytes = static_cast<std::size_t>(width) * 3;
  const std::size_t padding = static_cast<std::size_t>(DibRowBytes(width)) - pixelBytes;
  for (int i = 0; i < count; ++i) {
    if (std::fwrite(rows[i], 1, pixelBytes, file->file()) != pixelBytes) return false;
    if (std::fwrite(kPadding, 1, padding, file->file()) != padding) return false;
    ++file->rowsWritten_;
  }
  return true;
}

bool BmpFile::WriteRows(const std::uint8_t* const* rows, int width, int count) {
  return WriteBmpRows(this, rows, width, count);
}

bool BmpFile::Close() {
  if (file_ == nullptr) return false;
  if (rowsWritten_ == height_ && file_->Finish() && file_->ReplaceTarget()) return true;
  file_.reset();  // removes the temporary file; the picture at the path stays as it was
  return false;
}
