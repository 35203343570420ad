#include "manufacturing/number_format.h"

#include <charconv>
#include <cstring>

char* FormatGeneral(char* first, float value) {
  return std::to_chars(first, first + kFormattedNumberRoom, static_cast<double>(value),
                       std::chars_format::general, 6)
      .ptr;
}

namespace {

// "%<width>.3f".
char* FormatFixed3(char* first, float value, int width) {
  // The widest float in fixed notation has 39 digits before the point.
  char digits[kFormattedNumberRoom];
  char* const end = std::to_chars(digits, digits + sizeof digits, static_cast<double>(value),
                                  std::chars_format::fixed, 3)
                        .ptr;
  const auto length = static_cast<int>(end - digits);
  const int pad = length < width ? width - length : 0;
  std::memset(first, ' ', static_cast<std::size_t>(pad));
  std::memcpy(first + pad, digits, static_cast<std::size_t>(length));
  return first + pad + length;
}

}  // namespace

char* FormatFixed8_3(char* first, float value) { return FormatFixed3(first, value, 8); }

char* FormatFixed10_3(char* first, float value) { return FormatFixed3(first, value, 10); }

char* FormatInteger(char* first, int value) {
  return std::to_chars(first, first + kFormattedNumberRoom, value).ptr;
}
