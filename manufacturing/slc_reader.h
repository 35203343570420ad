#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// One boundary's vertices in file order, (x, y) pairs.
struct SlcPoint {
  float x;
  float y;
};

struct SlcLayer {
  float z = 0.0f;
  std::vector<std::vector<SlcPoint>> boundaries;
};

// Reads an SLC slice file that nothing vouches for, from a stream it does not own. A read cut by
// the end of the file fails, and every count is checked against the bytes left before anything
// is allocated or skipped, so a hostile file costs at most its own size in memory.
class SlcReader {
 public:
  // Notes the size of the file, read from its current position on.
  explicit SlcReader(std::FILE* file);

  // The header text up to its end mark (byte 26), the mark left out; false when the file ends
  // first.
  bool ReadHeaderText(std::string* text);
  // After the header text: skips the reserved block and reads the sampling table. False when the
  // file ends inside them, the table has no entry or a value is not finite; else *thickness is
  // the layer thickness of the last entry.
  bool ReadSamplingTable(float* thickness);

  enum class Record { kLayer, kTerminator, kBroken };
  // The next layer record, whole: kTerminator at the end record; kBroken when the record is cut
  // by the end of the file, holds a count larger than the bytes left or a value that is not
  // finite. A null layer only checks the record and passes it.
  Record ReadLayer(SlcLayer* layer);

  long Position() const { return position_; }
  // Back to a position this reader passed before.
  bool Seek(long position);

 private:
  bool Read(void* bytes, std::size_t count);
  bool ReadU32(std::uint32_t* value);
  bool ReadFloat(float* value);
  long Left() const { return size_ - position_; }

  std::FILE* file_;
  long position_ = 0;
  long size_ = 0;
};
