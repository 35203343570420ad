#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/font_choice.h"

struct FileFilter {
  std::string description;
  std::string pattern;  // one or more patterns separated by ';'
};

struct FileDialogRequest {
  bool open = true;  // else Save As
  std::vector<FileFilter> filters;
  int filterIndex = 0;  // 1-based; 0 or out of range: the first
  std::string title;    // empty: the system's title
  std::string defaultName;
  std::string initialFolder;  // empty: the system's choice
};

struct FileDialogAnswer {
  std::string path;
  int filterIndex = 1;  // 1-based index of the filter chosen
};

// Colours are COLORREF values, 0x00BBGGRR.
using CustomColorSet = std::array<std::uint32_t, 16>;

// The system's file, colour, folder and font dialogs.
class CommonDialogs {
 public:
  virtual ~CommonDialogs() = default;
  // No answer when the user cancels.
  virtual std::optional<FileDialogAnswer> AskFileName(const FileDialogRequest& request) = 0;
  // The dialog edits the custom colours in place.
  virtual std::optional<std::uint32_t> AskColor(std::uint32_t initial, CustomColorSet* customColors) = 0;
  // An existing folder, starting in startFolder (empty: the system's choice); none when the user
  // cancels.
  virtual std::optional<std::string> AskFolder(const std::string& startFolder) = 0;
  // Scalable fonts only, starting from the last choice; none when the user cancels.
  virtual std::optional<FontChoice> AskFont(const FontChoice& initial) = 0;
};

// The modal runs of the installed backend. Each holds the command queue while it runs.
std::optional<FileDialogAnswer> RunFileDialog(const FileDialogRequest& request);
std::optional<std::uint32_t> RunColorDialog(std::uint32_t initial, CustomColorSet* customColors);
std::optional<std::string> RunFolderDialog(const std::string& startFolder);
std::optional<FontChoice> RunFontDialog(const FontChoice& initial);
