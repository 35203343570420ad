#pragma once

#include <string>
#include <string_view>

// Text is UTF-8 in memory; the 8-bit text fields of the program's files are Windows-1252.
std::string Cp1252ToUtf8(std::string_view bytes);
// Characters that Windows-1252 cannot hold become '?'.
std::string Utf8ToCp1252(std::string_view text);
// Like Utf8ToCp1252, but only the first maxBytes characters (one byte each on file).
std::string Utf8ToCp1252Limited(std::string_view text, std::size_t maxBytes);

// Decodes the UTF-8 sequence at text[*pos] (pos below the size) and advances past it; a
// malformed sequence yields U+FFFD and skips one byte.
char32_t DecodeUtf8(std::string_view text, std::size_t* pos);

// Characters (code points) of UTF-8 text, a malformed byte counting as one.
std::size_t Utf8CharCount(std::string_view text);
// The text's first count characters, never cutting a character in two.
std::string Utf8Prefix(std::string_view text, std::size_t count);

// Language and layer files hold UTF-16LE text. An unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view units);
std::u16string Utf8ToUtf16(std::string_view text);
