#include "manufacturing/nc_path_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <string>
#include <utility>

#include "manufacturing/nc_posts.h"

namespace {

int AxisOf(char c) {
  switch (c) {
    case 'X':
      return 0;
    case 'Y':
      return 1;
    case 'Z':
      return 2;
    default:
      return -1;
  }
}

bool IsNumberChar(char c) {
  return (c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-' || c == 'e' || c == 'E';
}

}  // namespace

NcPathDialect NcPathDialectOf(std::string_view head) {
  std::string text;
  for (const char c : head) {
    if (c != '\r') text.push_back(c);
  }
  const std::string_view micromaster = kMicromasterHeader.substr(0, kMicromasterHeader.find('\n') + 1);
  const std::string_view roland = kRolandMdx15Header.substr(0, kRolandMdx15Header.find('\n') + 1);
  if (text.starts_with(micromaster)) return NcPathDialect::kMicromaster;
  if (text.starts_with(kRolandMdx15Header)) return NcPathDialect::kRolandMdx15;
  if (text.starts_with(kRolandMdx500Header)) return NcPathDialect::kRolandMdx500;
  if (text.starts_with(roland)) return NcPathDialect::kUnreadable;
  return NcPathDialect::kGCode;
}

NcPathParser::NcPathParser(float scale, std::function<void(const Vector3&)> point)
    : scale_(scale), point_(std::move(point)) {}

void NcPathParser::Feed(const char* bytes, std::size_t count) {
  std::size_t i = 0;
  if (!decided_) {
    const std::size_t taken = std::min(count, kNcDialectHeadBytes - head_.size());
    head_.append(bytes, taken);
    i = taken;
    if (head_.size() < kNcDialectHeadBytes) return;
    Decide();
  }
  for (; i < count; ++i) Take(bytes[i]);
}

void NcPathParser::Decide() {
  decided_ = true;
  dialect_ = NcPathDialectOf(head_);
  const std::string head = std::move(head_);
  head_.clear();
  for (const char c : head) Take(c);
}

void NcPathParser::Finish() {
  if (!decided_) Decide();
  if (dialect_ == NcPathDialect::kGCode) {
    if (state_ == State::kNumber) EndNumber();
    if (state_ != State::kSeek && state_ != State::kComment) point_(current_);
    state_ = State::kSeek;
  } else {
    EndCommand();
  }
}

void NcPathParser::Take(char c) {
  switch (dialect_) {
    case NcPathDialect::kGCode:
      TakeGCode(c);
      return;
    case NcPathDialect::kUnreadable:
      return;
    case NcPathDialect::kMicromaster:
    case NcPathDialect::kRolandMdx15:
    case NcPathDialect::kRolandMdx500: {
      // Micromaster ends a command with its line, Roland with ';' (its line ends are spaces).
      const bool roland = dialect_ != NcPathDialect::kMicromaster;
      if (c == (roland ? ';' : '\n')) {
        EndCommand();
      } else if (c != '\r' && c != '\n') {
        if (command_.size() < kMaxCommandChars) {
          command_.push_back(c);
        } else {
          commandTooLong_ = true;
        }
      }
      return;
    }
  }
}

void NcPathParser::TakeGCode(char c) {
  switch (state_) {
    case State::kSeek:
      if (c == '(') {
        state_ = State::kComment;
      } else if (AxisOf(c) >= 0) {
        axis_ = AxisOf(c);
        state_ = State::kAfterLetter;
      }
      return;
    case State::kComment:
      if (c == '\n') state_ = State::kSeek;
      return;
    case State::kAfterLetter:
      if (c == ' ' || c == '\t') return;
      if (IsNumberChar(c)) {
        state_ = State::kNumber;
        numberLength_ = 0;
        numberTooLong_ = false;
        TakeGCode(c);
        return;
      }
      state_ = State::kLine;
      TakeGCode(c);
      return;
    case State::kNumber:
      if (IsNumberChar(c)) {
        if (numberLength_ < kMaxNumberChars) {
          number_[numberLength_++] = c;
        } else {
          numberTooLong_ = true;
        }
        return;
      }
      EndNumber();
      state_ = State::kLine;
      TakeGCode(c);
      return;
    case State::kLine:
      if (c == '\n') {
        point_(current_);
        state_ = State::kSeek;
      } else if (AxisOf(c) >= 0) {
        axis_ = AxisOf(c);
        state_ = State::kAfterLetter;
      }
      return;
  }
}

bool NcPathParser::ReadCoordinate(std::string_view text, double divisor, float* coordinate) const {
  if (text.empty()) return false;
  const char* first = text.data();
  const char* const last = text.data() + text.size();
  // from_chars takes no plus sign.
  if (*first == '+') ++first;
  double value = 0.0;
  const auto result = std::from_chars(first, last, value, std::chars_format::general);
  if (result.ec != std::errc() || !(std::fabs(value) <= FLT_MAX)) return false;
  const float scaled = static_cast<float>(value / divisor) / scale_;
  if (!std::isfinite(scaled)) return false;
  *coordinate = scaled;
  return true;
}

void NcPathParser::EndNumber() {
  state_ = State::kLine;
  if (numberTooLong_) return;
  float* const coordinate[3] = {&current_.x, &current_.y, &current_.z};
  ReadCoordinate(std::string_view(number_, numberLength_), 1.0, coordinate[axis_]);
}

namespace {

// The three numbers after the first comma of a command, "x,y,z"; false when one is missing.
bool SplitTriple(std::string_view text, std::string_view fields[3]) {
  for (int i = 0; i < 3; ++i) {
    const std::size_t comma = text.find(',');
    fields[i] = text.substr(0, comma);
    text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    if (comma == std::string_view::npos && i < 2) return false;
  }
  return true;
}

}  // namespace

void NcPathParser::EndCommand() {
  const std::string command = std::move(command_);
  command_.clear();
  const bool tooLong = commandTooLong_;
  commandTooLong_ = false;
  if (tooLong) return;
  switch (dialect_) {
    case NcPathDialect::kMicromaster: {
      const std::size_t comma = command.find(',');
      const std::string_view word = std::string_view(command).substr(0, comma);
      if (comma == std::string::npos || (word != "MOV/RAP" && word != "MOV/FEED")) return;
      std::string_view fields[3];
      Vector3 point;
      if (!SplitTriple(std::string_view(command).substr(comma + 1), fields) ||
          !ReadCoordinate(fields[0], 1.0, &point.x) || !ReadCoordinate(fields[1], 1.0, &point.y) ||
          !ReadCoordinate(fields[2], 1.0, &point.z)) {
        return;
      }
      current_ = point;
      point_(current_);
      return;
    }
    case NcPathDialect::kRolandMdx15:
      RolandCommand(command, kRolandMdx15StepsPerMillimetre);
      return;
    case NcPathDialect::kRolandMdx500:
      RolandCommand(command, kRolandMdx500StepsPerMillimetre);
      return;
    case NcPathDialect::kGCode:
    case NcPathDialect::kUnreadable:
      return;
  }
}

void NcPathParser::RolandCommand(std::string_view command, int stepsPerMillimetre) {
  if (command == "^PA") {
    relative_ = false;
  } else if (command == "^PR") {
    relative_ = true;
  } else if (command == "H") {
    known_ = false;
  } else if (command.starts_with('Z')) {
    std::string_view fields[3];
    Vector3 move;
    if (!SplitTriple(command.substr(1), fields) || !ReadCoordinate(fields[0], stepsPerMillimetre, &move.x) ||
        !ReadCoordinate(fields[1], stepsPerMillimetre, &move.y) ||
        !ReadCoordinate(fields[2], stepsPerMillimetre, &move.z)) {
      return;
    }
    if (!relative_) {
      current_ = move;
      known_ = true;
    } else if (known_) {
      const Vector3 moved(current_.x + move.x, current_.y + move.y, current_.z + move.z);
      if (!IsFiniteVector(moved)) return;
      current_ = moved;
    } else {
      return;
    }
    point_(current_);
  }
}

bool ReadNcPathFile(const std::string& path, NcPathParser& parser, NcFileIdentity* known, bool* unchanged) {
  // Non-blocking, so that opening a FIFO returns at once; it is refused below.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    ::close(fd);
    return false;
  }
  if (known != nullptr) {
    const NcFileIdentity identity{status.st_dev, status.st_ino, status.st_size, status.st_mtim.tv_sec,
                                  status.st_mtim.tv_nsec};
    *unchanged = identity == *known;
    *known = identity;
    if (*unchanged) {
      ::close(fd);
      return true;
    }
  }
  char buffer[1 << 16];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    parser.Feed(buffer, static_cast<std::size_t>(got));
  }
  ::close(fd);
  parser.Finish();
  return true;
}
