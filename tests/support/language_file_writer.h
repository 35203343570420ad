#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "scratch_file.h"
#include "services/menu_string_table.h"

// A language file for a table, as a translator's tool would write it: the magic, the language's
// name, then text(row) for every row that carries a text, in table order. For fixtures only; the
// program reads language files but ships none.
Bytes LanguageFileBytes(std::string_view languageName, std::span<const MenuTableRow> table,
                        const std::function<std::string(const MenuTableRow&)>& text);
// The built-in table in a language whose every text is prefix + the English text.
Bytes PrefixedLanguageFile(std::string_view languageName, std::string_view prefix);
// Appends one text as the file holds it: a u16 count and the UTF-16LE units.
void AppendLanguageText(Bytes* out, std::string_view text);
