#pragma once

#include <string>

// The texts a toolbar button or menu item shows for its command id, from the string table of
// the active language (falling back to the fixed texts). Computed on every call, so a language
// change shows at once. "" means no tooltip and no prompt.

// The first line, at most 79 characters, with '&' marks taken as mnemonics: a single '&' is
// dropped and "&&" shows one '&'.
std::string TooltipText(int id);
// The status-bar prompt: the first line as it stands. The idle message (57345) is the last
// status text shown.
std::string StatusPrompt(int id);
