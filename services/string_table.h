#pragma once

#include <array>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "services/menu_string_table.h"

// The run-time string table: every message, prompt, caption and label is fetched from it by key.
// Slots 0..n-1 are used; when n is below the size, StringKeys[n] is -1.
inline constexpr int kStringSlots = 1000;
extern std::array<int, kStringSlots> StringKeys;
extern std::array<std::string, kStringSlots> StringTexts;

// The messages of every file reader and writer.
inline constexpr int kCannotWriteMessage = 10015;       // "Cannot write to file!"
inline constexpr int kInvalidFileFormatMessage = 10016;  // "Invalid file format!"
inline constexpr int kCannotOpenMessage = 10018;         // "Cannot open file!"
inline constexpr int kNotEnoughMemoryMessage = 10014;    // "Not enough memory to perform operations!"
inline constexpr int kObjectsNotReadMessage = 10143;     // "%s objects could not be read from %s."
inline constexpr int kPictureWrittenMessage = 10144;     // "The picture was written to %s."

// The text stored for key; "" when the key has none.
std::string GetLocalizedString(int key);
// The text with each "%s" replaced by the next argument (nothing once they run out) and "%%" by
// "%". A language file may give any text, so a table text is never used as a printf format.
std::string FillStringArguments(std::string_view text, std::initializer_list<std::string_view> arguments);

// Refills the table from the string rows, each with its text from rowTexts (one per table row).
// An empty text takes no slot; texts beyond the last slot are not stored.
void FillStringTable(std::span<const MenuTableRow> table, const std::vector<std::string>& rowTexts);
void ClearStringTable();
