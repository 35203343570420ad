#include "services/language_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "kernel/object_stream.h"
#include "platform/file_handle.h"
#include "platform/text_encoding.h"

namespace {

// A u16 count and that many UTF-16LE units.
bool ReadText(std::string* out) {
  const auto units = static_cast<std::uint16_t>(ReadObjectInt16());
  if (ObjectStreamFailed() || units > kMaxLanguageTextUnits || !ObjectStreamHasRoomFor(units, 2)) return false;
  std::u16string text(units, u'\0');
  ReadObjectBytes(text.data(), 2 * static_cast<std::size_t>(units));
  if (ObjectStreamFailed()) return false;
  *out = Utf16ToUtf8(text);
  return true;
}

}  // namespace

bool CheckLanguageFileMagic() {
  char magic[kLanguageFileMagic.size()];
  ReadObjectBytes(magic, sizeof magic);
  return !ObjectStreamFailed() && std::string_view(magic, sizeof magic) == kLanguageFileMagic;
}

bool ReadLanguageString(const MenuTableRow& row, bool fromFile, std::string* out) {
  out->clear();
  if (!fromFile) {
    *out = row.text;
    return true;
  }
  return row.text.empty() || ReadText(out);
}

bool MenuRowCarriesText(const MenuTableRow& row) {
  return row.id != kSeparator && row.id != kPopupEnd && !row.text.empty();
}

std::optional<LanguageTexts> ReadLanguageFile(const std::string& path, std::span<const MenuTableRow> table,
                                              std::size_t lateRows) {
  const FileHandle file = OpenFile(path, "rb", kLanguageFileMagic);
  if (!file) return std::nullopt;
  const ObjectStreamScope stream(file.get());
  LanguageTexts texts;
  if (!CheckLanguageFileMagic() || !ReadText(&texts.languageName)) return std::nullopt;
  texts.rowTexts.resize(table.size());
  const MenuTableSections sections = SplitMenuTable(table);
  for (std::size_t row = 0; row < sections.menu.size(); ++row) {
    if (!MenuRowCarriesText(table[row])) continue;
    if (!ReadLanguageString(table[row], true, &texts.rowTexts[row])) return std::nullopt;
  }
  const std::size_t first = static_cast<std::size_t>(sections.strings.data() - table.data());
  const std::size_t end = first + sections.strings.size();
  const std::size_t lateBegin = end - std::min(lateRows, sections.strings.size());
  for (std::size_t row = first; row < end; ++row) {
    if (row >= lateBegin && ObjectStreamBytesLeft() == 0) {
      for (; row < end; ++row) texts.rowTexts[row] = table[row].text;
      break;
    }
    if (!ReadLanguageString(table[row], true, &texts.rowTexts[row])) return std::nullopt;
  }
  return texts;
}

std::optional<std::string> ReadLanguageName(const std::string& path) {
  const FileHandle file = OpenFile(path, "rb", kLanguageFileMagic);
  if (!file) return std::nullopt;
  const ObjectStreamScope stream(file.get());
  std::string name;
  if (!CheckLanguageFileMagic() || !ReadText(&name)) return std::nullopt;
  return name;
}

std::vector<std::string> EnglishRowTexts(std::span<const MenuTableRow> table) {
  std::vector<std::string> texts;
  texts.reserve(table.size());
  for (const MenuTableRow& row : table) texts.emplace_back(row.text);
  return texts;
}
