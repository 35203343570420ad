#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

// One row of the built-in table: a menu row or a numbered string, with its English text.
struct MenuTableRow {
  int id;
  std::string_view text;
};

// Ids of the menu rows that are not commands.
inline constexpr int kSeparator = 0;
inline constexpr int kPopupBegin = 1000001;
inline constexpr int kPopupEnd = 1000002;
// Ends the menu section and the whole table.
inline constexpr int kTableEnd = -1;

inline constexpr std::size_t kMenuStringTableRows = 774;
inline constexpr std::size_t kMenuSectionEndRow = 291;

// Rows 0-290 are the menu in menu order and row 291 ends it; one row per string key follows,
// and a last row ends the table. Texts are UTF-8; a language file replaces them in table order.
extern const std::array<MenuTableRow, kMenuStringTableRows> MenuStringTable;
// The last string rows came after language files were first written (the Layers dialog's column
// headings, the count of objects a design lost, where a picture went, then what the exchange
// files could not carry): a file may end before them.
inline constexpr std::size_t kLateStringRows = 9;

// The two sections of a table: the menu rows before the first end row, the string rows after it
// up to the next end row (either may be empty).
struct MenuTableSections {
  std::span<const MenuTableRow> menu;
  std::span<const MenuTableRow> strings;
};
MenuTableSections SplitMenuTable(std::span<const MenuTableRow> table);
