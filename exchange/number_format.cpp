#include "exchange/number_format.h"

#include <charconv>
#include <cstring>
#include <string>

char* FormatGeneral(char* first, double value) {
  return std::to_chars(first, first + kFormattedNumberRoom, value, std::chars_format::general, 6).ptr;
}

namespace {

// The text from digits to end, right-aligned in width columns at first.
char* RightAligned(char* first, const char* digits, const char* end, int width) {
  const auto length = static_cast<int>(end - digits);
  const int pad = length < width ? width - length : 0;
  std::memset(first, ' ', static_cast<std::size_t>(pad));
  std::memcpy(first + pad, digits, static_cast<std::size_t>(length));
  return first + pad + length;
}

}  // namespace

char* FormatFixed(char* first, double value, int width, int decimals) {
  char digits[kFormattedNumberRoom];
  const std::to_chars_result result =
      std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, decimals);
  // A double too wide for the room shows in exponent form rather than overrunning.
  char* const end = result.ec == std::errc()
                        ? result.ptr
                        : std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general, 6).ptr;
  return RightAligned(first, digits, end, width);
}

char* FormatGeneral(char* first, float value) { return FormatGeneral(first, static_cast<double>(value)); }

std::string GeneralText(double value) {
  char text[kFormattedNumberRoom];
  return std::string(text, FormatGeneral(text, value));
}

std::string FixedText(double value, int width, int decimals) {
  char text[kFormattedNumberRoom];
  return std::string(text, FormatFixed(text, value, width, decimals));
}

char* FormatFixed8_3(char* first, float value) { return FormatFixed(first, value, 8, 3); }

char* FormatFixed10_3(char* first, float value) { return FormatFixed(first, value, 10, 3); }

char* FormatInteger(char* first, std::int64_t value) {
  return std::to_chars(first, first + kFormattedNumberRoom, value).ptr;
}

char* FormatInteger(char* first, int value, int width) {
  char digits[kFormattedNumberRoom];
  return RightAligned(first, digits, FormatInteger(digits, value), width);
}
