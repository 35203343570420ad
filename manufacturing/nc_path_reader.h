#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "kernel/matrix4.h"

// The dialects the path reader knows, told apart by the first lines each post writes: a program
// that begins like a Micromaster program is read as one, a Roland program with either of the
// Roland posts' headers with that post's steps, another Roland program not at all (its steps are
// unknown), anything else as G-code.
enum class NcPathDialect { kGCode, kMicromaster, kRolandMdx15, kRolandMdx500, kUnreadable };

// The bytes that decide a program's dialect: enough for the longest header, CRs included.
inline constexpr std::size_t kNcDialectHeadBytes = 128;

// The dialect of a program that begins with head (its first kNcDialectHeadBytes bytes, or all of
// a shorter file).
NcPathDialect NcPathDialectOf(std::string_view head);

// Reads the tool path of an NC program, streaming: no G-code line is held whole. Each point is
// divided by the scale; a number that is not finite, also after the division, sets nothing.
// G-code: from each line that reaches an 'X', 'Y' or 'Z' (skipping anything before it, and
// comment lines that begin with '(' first), every such letter followed by a number sets that
// coordinate of the current point; the line then hands the current point on. Lines end at "\n";
// a CR before it is ignored like any other character that is no number.
// Micromaster: each "MOV/RAP," or "MOV/FEED," line gives x, y and z.
// Roland: each "Z" command gives x, y and z in the post's steps, absolute after "^PA" and added
// to the point after "^PR"; a relative move from a point not known (at the start, after "H")
// draws nothing.
// An unreadable dialect gives no point.
class NcPathParser {
 public:
  NcPathParser(float scale, std::function<void(const Vector3&)> point);
  void Feed(const char* bytes, std::size_t count);
  // Hands on a last line that has no line end.
  void Finish();
  // Known once kNcDialectHeadBytes bytes were fed, or after Finish.
  NcPathDialect dialect() const { return dialect_; }

 private:
  enum class State { kSeek, kComment, kLine, kAfterLetter, kNumber };
  void Decide();
  void Take(char c);
  void TakeGCode(char c);
  void EndNumber();
  void EndCommand();
  void RolandCommand(std::string_view command, int stepsPerMillimetre);
  // Sets the coordinate from the number's text; false when it is no finite number.
  bool ReadCoordinate(std::string_view text, double divisor, float* coordinate) const;

  float scale_;
  std::function<void(const Vector3&)> point_;
  bool decided_ = false;
  NcPathDialect dialect_ = NcPathDialect::kGCode;
  std::string head_;
  Vector3 current_{0.0f, 0.0f, 0.0f};
  State state_ = State::kSeek;
  int axis_ = 0;
  // A number or command longer than this is not read: no float or move needs so many characters.
  static constexpr std::size_t kMaxNumberChars = 64;
  static constexpr std::size_t kMaxCommandChars = 256;
  char number_[kMaxNumberChars];
  std::size_t numberLength_ = 0;
  bool numberTooLong_ = false;
  std::string command_;
  bool commandTooLong_ = false;
  bool relative_ = false;
  bool known_ = false;
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
