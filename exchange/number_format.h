#pragma once

#include <cstdint>
#include <string>

// The exchange formats' numbers as the C library prints them in the "C" locale, whatever the
// locale: each writes at first (room for 64 characters is enough) and returns the end.

// "%g": six significant digits, "-0", "1e-05", "1.23457e+06".
char* FormatGeneral(char* first, float value);
char* FormatGeneral(char* first, double value);
// "%<width>.<decimals>f", decimals at most 15.
char* FormatFixed(char* first, double value, int width, int decimals);
// "%8.3f": three decimals, right-aligned in eight columns ("   1.500", "  -0.000").
char* FormatFixed8_3(char* first, float value);
// "%10.3f".
char* FormatFixed10_3(char* first, float value);
// "%d", for any count a file may hold.
char* FormatInteger(char* first, std::int64_t value);
// "%<width>d": right-aligned in width columns, wider when the digits need it.
char* FormatInteger(char* first, int value, int width);

inline constexpr int kFormattedNumberRoom = 64;

// The same as strings.
std::string GeneralText(double value);
std::string FixedText(double value, int width, int decimals);
