#include "exchange/exchange_numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace {

// What the C library gives for a number that from_chars found out of range: an infinity when
// the exponent is positive (or there is none), a zero when it is negative.
float OutOfRange(const char* first, const char* stop) {
  const bool negative = *first == '-';
  bool tiny = false;
  for (const char* c = first; c != stop; ++c) {
    if (*c == 'e' || *c == 'E') tiny = c + 1 != stop && c[1] == '-';
  }
  const float magnitude = tiny ? 0.0f : std::numeric_limits<float>::infinity();
  return negative ? -magnitude : magnitude;
}

}  // namespace

const char* NumberStart(std::string_view text) {
  const char* first = text.data();
  const char* const last = first + text.size();
  while (first != last && IsCSpace(*first)) ++first;
  if (first != last && *first == '+') {
    ++first;
    if (first != last && *first == '-') return nullptr;
  }
  return first;
}

bool ReadFloatPrefix(std::string_view text, float* value) {
  const char* const first = NumberStart(text);
  if (first == nullptr) return false;
  const char* const last = text.data() + text.size();
  float parsed = 0.0f;
  const auto [stop, error] = std::from_chars(first, last, parsed, std::chars_format::general);
  if (error == std::errc::invalid_argument) return false;
  *value = error == std::errc::result_out_of_range ? OutOfRange(first, stop) : parsed;
  return true;
}
