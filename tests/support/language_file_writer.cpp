#include "language_file_writer.h"

#include <cstdint>

#include "platform/text_encoding.h"
#include "services/language_file.h"

void AppendLanguageText(Bytes* out, std::string_view text) {
  const std::u16string units = Utf8ToUtf16(text);
  Append<std::uint16_t>(out, static_cast<std::uint16_t>(units.size()));
  for (const char16_t unit : units) Append<std::uint16_t>(out, unit);
}

Bytes LanguageFileBytes(std::string_view languageName, std::span<const MenuTableRow> table,
                        const std::function<std::string(const MenuTableRow&)>& text) {
  Bytes out(kLanguageFileMagic.begin(), kLanguageFileMagic.end());
  AppendLanguageText(&out, languageName);
  const MenuTableSections sections = SplitMenuTable(table);
  for (const MenuTableRow& row : sections.menu) {
    if (MenuRowCarriesText(row)) AppendLanguageText(&out, text(row));
  }
  for (const MenuTableRow& row : sections.strings) {
    if (!row.text.empty()) AppendLanguageText(&out, text(row));
  }
  return out;
}

Bytes PrefixedLanguageFile(std::string_view languageName, std::string_view prefix) {
  return LanguageFileBytes(languageName, MenuStringTable,
                           [prefix](const MenuTableRow& row) { return std::string(prefix) + std::string(row.text); });
}
