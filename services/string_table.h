#pragma once

#include <array>
#include <span>
#include <string>
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

// The text stored for key; "" when the key has none.
std::string GetLocalizedString(int key);

// Refills the table from the string rows, each with its text from rowTexts (one per table row).
// An empty text takes no slot; texts beyond the last slot are not stored.
void FillStringTable(std::span<const MenuTableRow> table, const std::vector<std::string>& rowTexts);
void ClearStringTable();
