#include "manufacturing/nc_path_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <utility>

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

NcPathParser::NcPathParser(float scale, std::function<void(const Vector3&)> point)
    : scale_(scale), point_(std::move(point)) {}

void NcPathParser::Feed(const char* bytes, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) Take(bytes[i]);
}

void NcPathParser::Finish() {
  if (state_ == State::kNumber) EndNumber();
  if (state_ != State::kSeek && state_ != State::kComment) point_(current_);
  state_ = State::kSeek;
}

void NcPathParser::Take(char c) {
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
        Take(c);
        return;
      }
      state_ = State::kLine;
      Take(c);
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
      Take(c);
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

void NcPathParser::EndNumber() {
  state_ = State::kLine;
  if (numberTooLong_ || numberLength_ == 0) return;
  const char* first = number_;
  const char* const last = number_ + numberLength_;
  // from_chars takes no plus sign.
  if (*first == '+') ++first;
  double value = 0.0;
  const auto result = std::from_chars(first, last, value, std::chars_format::general);
  if (result.ec != std::errc() || !(std::fabs(value) <= FLT_MAX)) return;
  const float scaled = static_cast<float>(value) / scale_;
  if (!std::isfinite(scaled)) return;
  float* const coordinate[3] = {&current_.x, &current_.y, &current_.z};
  *coordinate[axis_] = scaled;
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
