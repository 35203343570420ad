#pragma once

#include <cstdint>

// Where a renderer's finished rows go, bottom row first. The renderer holds only this, so a
// destination that fails part-way (a full disk) can stand in for the file.
class PictureRowWriter {
 public:
  // count rows of width pixels (blue, green, red); false when they could not be written.
  virtual bool WriteRows(const std::uint8_t* const* rows, int width, int count) = 0;

 protected:
  ~PictureRowWriter() = default;
};
