#pragma once

#include <string>

// The program's fixed texts, which no language file replaces.
inline constexpr int kApplicationTitleString = 57344;  // "Lumidrex 5.1"
inline constexpr int kUntitledString = 61443;          // "Untitled"
inline constexpr int kMainFrameString = 128;
inline constexpr int kDocumentTemplateString = 129;

// The text of a fixed string; "" for an id that has none.
std::string GetResourceString(int id);
std::string ApplicationTitle();
// The file dialogs' filter for designs, from the document template's filter name and extension:
// "Lumidrex Files (*.lxd)|*.lxd|All Files (*.*)|*.*|".
std::string DesignFileFilter();
