#include "services/string_table.h"

std::array<int, kStringSlots> StringKeys = {-1};
std::array<std::string, kStringSlots> StringTexts;

std::string GetLocalizedString(int key) {
  for (int slot = 0; slot < kStringSlots && StringKeys[slot] >= 0; ++slot) {
    if (StringKeys[slot] == key) return StringTexts[slot];
  }
  return "";
}

std::string FillStringArguments(std::string_view text, std::initializer_list<std::string_view> arguments) {
  std::string filled;
  const std::string_view* next = arguments.begin();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && (text[i + 1] == 's' || text[i + 1] == '%')) {
      if (text[i + 1] == '%') {
        filled += '%';
      } else if (next != arguments.end()) {
        filled += *next++;
      }
      ++i;
      continue;
    }
    filled += text[i];
  }
  return filled;
}

void FillStringTable(std::span<const MenuTableRow> table, const std::vector<std::string>& rowTexts) {
  ClearStringTable();
  const std::span<const MenuTableRow> strings = SplitMenuTable(table).strings;
  const std::size_t first = static_cast<std::size_t>(strings.data() - table.data());
  int slot = 0;
  for (std::size_t row = first; row < first + strings.size() && slot < kStringSlots; ++row) {
    if (rowTexts[row].empty()) continue;
    StringKeys[slot] = table[row].id;
    StringTexts[slot] = rowTexts[row];
    ++slot;
  }
  if (slot < kStringSlots) StringKeys[slot] = -1;
}

void ClearStringTable() {
  StringKeys.fill(0);
  StringKeys[0] = -1;
  for (std::string& text : StringTexts) text.clear();
}
