#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "services/menu_string_table.h"

// A language file (*.str): the magic, the language's name, then one text for every row that
// carries one, in table order: the menu rows other than separators and popup ends whose English
// text is not empty, then the string rows whose English text is not empty. Each text is a u16
// count and that many UTF-16LE units; the file has no count of its own and no end marker.
inline constexpr std::string_view kLanguageFileMagic = "LumidrexLocalizationStrings-0510";
inline constexpr int kMaxLanguageTextUnits = 1023;

// Readers work on the current object stream.
// Reads the 32 bytes of the magic; true when they are the magic.
bool CheckLanguageFileMagic();
// With a file: when the row's English text is not empty, reads its text into out, else leaves
// out empty and reads nothing. Without a file: out becomes the English text. False when the file
// ends inside the text or its length exceeds kMaxLanguageTextUnits.
bool ReadLanguageString(const MenuTableRow& row, bool fromFile, std::string* out);

struct LanguageTexts {
  std::string languageName;
  std::vector<std::string> rowTexts;  // one per table row; empty for rows without a text
};

// The whole file, checked before any text is used: the magic, the name and every text. Bytes
// after the last text are ignored. The file may end before the last lateRows string rows (texts
// added after files were written); those keep their English texts. None when the file cannot be
// opened or any check fails.
std::optional<LanguageTexts> ReadLanguageFile(const std::string& path, std::span<const MenuTableRow> table,
                                              std::size_t lateRows = 0);
// The language's name, for the Choose Language list; none for a file that is no language file.
std::optional<std::string> ReadLanguageName(const std::string& path);

// The built-in texts of every row of a table.
std::vector<std::string> EnglishRowTexts(std::span<const MenuTableRow> table);
// Whether a menu row carries a text of its own in a language file.
bool MenuRowCarriesText(const MenuTableRow& row);
