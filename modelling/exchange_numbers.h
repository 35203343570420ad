#pragma once

#include <string_view>

// Numbers of the text exchange formats as the C library reads them ("%f", atof, "%d", atoi) in
// the "C" locale, whatever locale the program runs in: blanks and one '+' before the number are
// skipped and the longest prefix that is a number is taken. Neither touches *value and both
// return false when no number starts the text, so a reader keeps the value it had.

// The C library's white space in the "C" locale, which separates words and numbers.
inline bool IsCSpace(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// "inf" and "nan" read as such, and a number beyond the float range as an infinity (or a zero
// when it is too small), so callers can refuse what is not finite.
bool ReadFloatPrefix(std::string_view text, float* value);
// A number beyond the int range reads as no number.
bool ReadIntPrefix(std::string_view text, int* value);
