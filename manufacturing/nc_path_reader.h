#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "kernel/matrix4.h"

// Reads the tool path of an NC program of any dialect, streaming: no line is held whole. From
// each line that reaches an 'X', 'Y' or 'Z' (skipping anything before it, and comment lines
// that begin with '(' first), every such letter followed by a number sets that coordinate of the
// current point to the number divided by the scale; the line then hands the current point on.
// A number that is not finite, also after the division, sets nothing. Lines end at "\n"; a CR
// before it is ignored like any other character that is no number.
class NcPathParser {
 public:
  NcPathParser(float scale, std::function<void(const Vector3&)> point);
  void Feed(const char* bytes, std::size_t count);
  // Hands on a last line that has no line end.
  void Finish();

 private:
  enum class State { kSeek, kComment, kLine, kAfterLetter, kNumber };
  void Take(char c);
  void EndNumber();

  float scale_;
  std::function<void(const Vector3&)> point_;
  Vector3 current_{0.0f, 0.0f, 0.0f};
  State state_ = State::kSeek;
  int axis_ = 0;
  // A number longer than this is not read: no float needs so many characters.
  static constexpr std::size_t kMaxNumberChars = 64;
  char number_[kMaxNumberChars];
  std::size_t numberLength_ = 0;
  bool numberTooLong_ = false;
};

// What tells one version of a file from another: a file replaced, grown or touched differs.
struct NcFileIdentity {
  unsigned long long device = 0;
  unsigned long long inode = 0;
  long long size = 0;
  long long modifiedSeconds = 0;
  long long modifiedNanoseconds = 0;
  friend bool operator==(const NcFileIdentity&, const NcFileIdentity&) = default;
};

// Parses the file through the parser. Only a regular file is read: a FIFO or a device would stall
// every redraw. False when the file cannot be opened or is not a regular file. With known, a file
// whose identity equals *known is not read and true returns; *known takes the identity read.
bool ReadNcPathFile(const std::string& path, NcPathParser& parser, NcFileIdentity* known = nullptr,
                    bool* unchanged = nullptr);
