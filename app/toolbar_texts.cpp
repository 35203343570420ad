#include "app/toolbar_texts.h"

#include <cstddef>

#include "services/resource_strings.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

namespace {

constexpr int kIdleMessage = 57345;
constexpr std::size_t kTooltipCharacters = 79;

// The localised text, else the fixed one, up to its first line break.
std::string FirstLine(int id) {
  if (id == 0) return "";
  std::string text = GetLocalizedString(id);
  if (text.empty()) text = GetResourceString(id);
  return text.substr(0, text.find('\n'));
}

// The first count characters of UTF-8 text, never splitting a character.
std::string FirstCharacters(const std::string& text, std::size_t count) {
  std::size_t end = 0;
  for (std::size_t characters = 0; end < text.size() && characters < count; ++characters) {
    ++end;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
  }
  return text.substr(0, end);
}

std::string WithoutMnemonics(const std::string& text) {
  std::string shown;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '&') {
      shown += text[i];
    } else if (i + 1 < text.size() && text[i + 1] == '&') {
      shown += '&';
      ++i;
    }
  }
  return shown;
}

}  // namespace

std::string TooltipText(int id) { return WithoutMnemonics(FirstCharacters(FirstLine(id), kTooltipCharacters)); }

std::string StatusPrompt(int id) { return id == kIdleMessage ? StatusTextCache : FirstLine(id); }
