#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "kernel/picture_row_writer.h"
#include "platform/replacing_file.h"

// A 24-bit picture: rows bottom first as BMP stores them, each pixel blue, green, red, each row
// padded to a multiple of 4 bytes. data stays empty when loading failed.
struct ImageRecord {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t rowBytes = 0;
  std::vector<std::uint8_t> data;
};

// The largest picture the reader will allocate; anything bigger is refused as a bad file.
inline constexpr std::int64_t kMaxImageBytes = std::int64_t{256} << 20;

// Reads a BMP picture of 1, 4, 8, 16, 24 or 32 bits per pixel. Returns 1, or -1 with the record
// empty; a file without one whole row of pixels is refused. A picture cut off after its first
// row still loads; its missing rows are black.
int LoadBmpFile(const std::string& path, ImageRecord* image);

// A 24-bit BMP picture being written, which knows the size its header gave. It replaces the
// picture at its path only when Close succeeds, so a long render never empties an existing
// picture before it has its rows.
class BmpFile final : public PictureRowWriter {
 public:
  BmpFile(std::unique_ptr<ReplacingFile> file, int width, int height)
      : file_(std::move(file)), width_(width), height_(height) {}
  std::FILE* file() const { return file_->file(); }
  int width() const { return width_; }
  int height() const { return height_; }
  // Checks every write and puts the picture in place. False, with the temporary file removed and
  // the path as it was, when a write failed or rows are missing (a cancelled render).
  bool Close();
  bool WriteRows(const std::uint8_t* const* rows, int width, int count) override;

 private:
  friend bool WriteBmpRows(BmpFile* file, const std::uint8_t* const* rows, int width, int count);
  std::unique_ptr<ReplacingFile> file_;
  int width_;
  int height_;
  int rowsWritten_ = 0;
};

// Writes both headers of a 24-bit picture. Null when the path is empty, a size is not positive,
// the file size does not fit its field or the file cannot be made.
std::unique_ptr<BmpFile> CreateBmpFile(const std::string& path, int width, int height,
                                       int xPixelsPerMetre, int yPixelsPerMetre);
// Writes count rows of width pixels (blue, green, red), bottom row first, each padded with zero
// bytes to a multiple of 4. False when a write failed, and, writing nothing, for rows of another
// width than the picture's or more rows than it has left.
bool WriteBmpRows(BmpFile* file, const std::uint8_t* const* rows, int width, int count);
