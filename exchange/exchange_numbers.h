#pragma once

#include <charconv>
#include <string_view>
#include <system_error>

// Numbers of the text exchange formats as the C library reads them ("%f", atof, "%d", atoi) in
// the "C" locale, whatever locale the program runs in: blanks and one '+' before the number are
// skipped and the longest prefix that is a number is taken. Neither touches *value and both
// return false when no number starts the text, so a reader keeps the value it had.

// The C library's white space in the "C" locale, which separates words and numbers.
inline bool IsCSpace(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// "inf" and "nan" read as such, and a number beyond the float range as an infinity (or a zero
// when it is too small), so callers can refuse what is not finite.
bool ReadFloatPrefix(std::string_view text, float* value);

// Where such a number starts: past the blanks and one '+', which from_chars does not take; null
// when the '+' is followed by a second sign.
const char* NumberStart(std::string_view text);

// "%d" and "%ld": a number beyond the integer's range reads as no number.
template <class Integer>
bool ReadIntPrefix(std::string_view text, Integer* value) {
  const char* const first = NumberStart(text);
  if (first == nullptr) return false;
  Integer parsed = 0;
  if (std::from_chars(first, text.data() + text.size(), parsed).ec != std::errc()) return false;
  *value = parsed;
  return true;
}
