#pragma once

#include <optional>
#include <string>
#include <string_view>

// The name with "." + ext appended, unless a '.' stands among its last four characters (fewer
// for a shorter name): ring gives ring.stl, but a.b keeps its own.
std::string AddExtensionIfMissing(std::string_view name, std::string_view ext);

// The name without a '.' among its last four characters and what follows it.
std::string CutShortExtension(std::string_view name);

struct StrippedName {
  std::string name;
  int comparison = 1;  // 0 when the extension matched and was cut
};
// Cuts the extension after a '.' among the last four characters when it equals ext, ignoring
// case. A name without such a '.' keeps everything and compares unequal.
StrippedName StripExtensionIf(std::string_view name, std::string_view ext);

// The system's file dialog, Open when open is non-zero, else Save As. filter lists a description
// and a pattern for each filter, each followed by '|'. filterIndex (1-based) picks the filter
// shown first and receives the one chosen. A chosen name without a '.' among its last four
// characters gets the chosen filter's extension (*.lyr gives .lyr, *.* nothing). None when the
// user cancels; the filter index then stays. A save asks before it replaces an existing file
// under the final name; No goes back to the dialog. Within a run each prompt reopens in the
// folder it was last used in; initialFolder only serves its first use.
std::optional<std::string> FileDialogPrompt(int open, int* filterIndex, std::string_view filter,
                                            std::string_view title, std::string_view defaultName,
                                            std::string_view initialFolder = {});

// The system's folder browser, opening in startFolder; the chosen folder as an absolute path, or
// none when the user cancels.
std::optional<std::string> BrowseForFolder(std::string_view startFolder);

// Forgets the folders the prompts were last used in.
void ResetFileDialogMemory();
