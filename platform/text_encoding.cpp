#include "platform/text_encoding.h"

#include <array>
#include <cstdint>

namespace {

// Code points of bytes 0x80-0x9F in Windows-1252; 0 marks the five unassigned bytes.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string* out, char32_t c) {
  if (c < 0x80) {
    out->push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (c >> 6)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (c >> 12)));
    out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (c >> 18)));
    out->push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

char EncodeCp1252(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  // The unassigned bytes were decoded as C1 controls; give them back so names read from a file
  // are written unchanged.
  if (c >= 0x80 && c < 0xA0 && kHighControls[c - 0x80] == 0) return static_cast<char>(c);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == c && c != 0) return static_cast<char>(0x80 + i);
  }
  return '?';
}

}  // namespace

char32_t DecodeUtf8(std::string_view text, std::size_t* pos) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
  const std::uint8_t lead = byte(*pos);
  int length = 0;
  char32_t c = 0;
  if (lead < 0x80) {
    ++*pos;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2;
    c = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    c = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    c = lead & 0x07;
  } else {
    ++*pos;
    return 0xFFFD;
  }
  if (*pos + length > text.size()) {
    ++*pos;
    return 0xFFFD;
  }
  for (int k = 1; k < length; ++k) {
    if ((byte(*pos + k) & 0xC0) != 0x80) {
      ++*pos;
      return 0xFFFD;
    }
    c = (c << 6) | (byte(*pos + k) & 0x3F);
  }
  *pos += length;
  return c;
}


std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char ch : bytes) {
    const auto b = static_cast<std::uint8_t>(ch);
    char32_t c = b;
    if (b >= 0x80 && b < 0xA0) c = kHighControls[b - 0x80] != 0 ? kHighControls[b - 0x80] : b;
    AppendUtf8(&out, c);
  }
  return out;
}

std::string Utf8ToCp1252Limited(std::string_view text, std::size_t maxBytes) {
  std::string out;
  std::size_t pos = 0;
  while (pos < text.size() && out.size() < maxBytes) out.push_back(EncodeCp1252(DecodeUtf8(text, &pos)));
  return out;
}

std::string Utf8ToCp1252(std::string_view text) { return Utf8ToCp1252Limited(text, text.size()); }

std::string Utf16ToUtf8(std::u16string_view units) {
  std::string out;
  out.reserve(units.size());
  for (std::size_t i = 0; i < units.size(); ++i) {
    const char16_t u = units[i];
    char32_t c = u;
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
        units[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (units[i + 1] - 0xDC00);
      ++i;
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      c = 0xFFFD;
    }
    AppendUtf8(&out, c);
  }
  return out;
}

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    const char32_t c = DecodeUtf8(text, &pos);
    if (c >= 0x10000) {
      out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(c));
    }
  }
  return out;
}

std::size_t Utf8CharCount(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < text.size(); ++count) DecodeUtf8(text, &pos);
  return count;
}

std::string Utf8Prefix(std::string_view text, std::size_t count) {
  std::size_t pos = 0;
  for (std::size_t taken = 0; pos < text.size() && taken < count; ++taken) DecodeUtf8(text, &pos);
  return std::string(text.substr(0, pos));
}
