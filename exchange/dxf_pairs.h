#pragma once

#include <cstdio>
#include <string>

// The group pairs of an ASCII DXF file: a code line, then a value line. Each line loses one
// trailing '\r', so files with CR LF line ends read as those with "\n". A value keeps at most
// 255 characters and the rest of its line is skipped; a code line that is no integer gives
// kNotACode, which no reader knows, so the pair is passed over like an unknown code, and marks the
// file damaged: such a line may have been the code 0 of the next entity. The end of
// the file reads as code 0 with the value "EOF", as many times as it is asked for.
class DxfPairReader {
 public:
  static constexpr int kNotACode = -1000000;
  static constexpr std::size_t kMaxValueChars = 255;

  explicit DxfPairReader(std::FILE* file) : file_(file) {}

  // Reads the next pair; false once the file has ended.
  bool Next();
  int code() const { return code_; }
  const std::string& value() const { return value_; }
  // Whether the last pair came from the end of the file rather than from its lines.
  bool AtEnd() const { return atEnd_; }
  // Whether a code line so far was no integer.
  bool Damaged() const { return damaged_; }

  // Numeric fields: a value that does not begin with a number leaves *target as it was.
  void ReadValue(float* target) const;
  void ReadValue(int* target) const;

 private:
  // One line without its line end and '\r', cut at kMaxValueChars; false at the end of the file.
  bool ReadLine(std::string* line);

  std::FILE* file_;
  std::string line_;
  int code_ = 0;
  std::string value_;
  bool atEnd_ = false;
  bool damaged_ = false;
};
