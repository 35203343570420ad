#include "services/file_names.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <utility>
#include <vector>

#include "platform/common_dialogs.h"
#include "services/ui_utilities.h"

namespace {

// The position of the last '.' among the last four characters, or npos.
std::size_t DotAmongLastFour(std::string_view name) {
  std::size_t pos = name.size();
  for (int characters = 0; characters < 4 && pos > 0; ++characters) {
    do {
      --pos;
    } while (pos > 0 && (static_cast<unsigned char>(name[pos]) & 0xC0) == 0x80);
    if (name[pos] == '.') return pos;
  }
  return std::string_view::npos;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

// The '|'-separated parts of a filter text.
std::vector<std::string_view> FilterParts(std::string_view filter) {
  std::vector<std::string_view> parts;
  while (!filter.empty()) {
    const std::size_t bar = filter.find('|');
    parts.push_back(filter.substr(0, bar));
    if (bar == std::string_view::npos) break;
    filter.remove_prefix(bar + 1);
  }
  return parts;
}

// The folder each prompt was last used in, for this run. A prompt is known by its kind and its
// filter text: every prompt of the program has its own pair.
std::map<std::pair<bool, std::string>, std::string>& LastFolders() {
  static std::map<std::pair<bool, std::string>, std::string> folders;
  return folders;
}

// The dialog's own overwrite question sees the name before the filter's extension is added, so
// the question is asked here, of the name that will be written.
bool MayReplace(const std::string& path) {
  std::error_code error;
  // A name the system cannot even look up is for the save to refuse, not for a question.
  if (!std::filesystem::exists(std::filesystem::path(path), error) || error) return true;
  const std::string name = std::filesystem::path(path).filename().string();
  return ShowMessageBox(name + " already exists.\nDo you want to replace it?", ApplicationTitle(), kMessageYesNo) ==
         kAnswerYes;
}

}  // namespace

void ResetFileDialogMemory() { LastFolders().clear(); }

std::string AddExtensionIfMissing(std::string_view name, std::string_view ext) {
  std::string out(name);
  if (DotAmongLastFour(name) == std::string_view::npos) {
    out += '.';
    out += ext;
  }
  return out;
}

std::string CutShortExtension(std::string_view name) {
  return std::string(name.substr(0, std::min(name.size(), DotAmongLastFour(name))));
}

StrippedName StripExtensionIf(std::string_view name, std::string_view ext) {
  StrippedName result{std::string(name), 1};
  const std::size_t dot = DotAmongLastFour(name);
  if (dot != std::string_view::npos && EqualIgnoringCase(name.substr(dot + 1), ext)) {
    result.name.resize(dot);
    result.comparison = 0;
  }
  return result;
}

std::optional<std::string> FileDialogPrompt(int open, int* filterIndex, std::string_view filter,
                                            std::string_view title, std::string_view defaultName,
                                            std::string_view initialFolder) {
  const std::vector<std::string_view> parts = FilterParts(filter);
  FileDialogRequest request;
  request.open = open != 0;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    request.filters.push_back({std::string(parts[i]), std::string(parts[i + 1])});
  }
  request.title = title;
  request.defaultName = defaultName;
  const auto remembered = LastFolders().find({request.open, std::string(filter)});
  request.initialFolder = remembered != LastFolders().end() ? remembered->second : std::string(initialFolder);

  for (;;) {
    request.filterIndex = *filterIndex;
    std::optional<FileDialogAnswer> answer = RunFileDialog(request);
    if (!answer) return std::nullopt;
    *filterIndex = answer->filterIndex;
    std::string path = std::move(answer->path);
    if (DotAmongLastFour(path) == std::string::npos && answer->filterIndex >= 1) {
      // The pattern is the (2 x index)-th part; an index without one appends nothing.
      const std::size_t patternPart = 2 * static_cast<std::size_t>(answer->filterIndex) - 1;
      const std::string_view pattern = patternPart < parts.size() ? parts[patternPart] : std::string_view();
      if (pattern.size() >= 3 && pattern[2] != '*' && pattern[2] != '?') path += pattern.substr(1);
    }
    const std::string folder = std::filesystem::path(path).parent_path().string();
    if (!folder.empty()) LastFolders()[{request.open, std::string(filter)}] = folder;
    if (request.open || MayReplace(path)) return path;
    // No: back to the dialog, where the user left it.
    request.initialFolder = folder;
    request.defaultName = std::filesystem::path(path).filename().string();
  }
}

std::optional<std::string> BrowseForFolder(std::string_view startFolder) {
  return RunFolderDialog(std::string(startFolder));
}
