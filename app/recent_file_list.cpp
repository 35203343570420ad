#include "app/recent_file_list.h"

#include <algorithm>

#include "platform/settings_store.h"

namespace {

constexpr const char* kGroup = "Recent File List";

std::string EntryKey(std::size_t index) { return "File" + std::to_string(index + 1); }

}  // namespace

void RecentFileList::Add(const std::string& path) {
  if (path.empty()) return;
  std::erase(paths_, path);
  paths_.insert(paths_.begin(), path);
  if (paths_.size() > kSize) paths_.resize(kSize);
}

void RecentFileList::Remove(std::size_t index) {
  if (index < paths_.size()) paths_.erase(paths_.begin() + static_cast<std::ptrdiff_t>(index));
}

std::string RecentFileList::MenuText(std::size_t index) const {
  if (index >= paths_.size()) return "";
  std::string text = "&" + std::to_string(index + 1) + " ";
  for (const char c : paths_[index]) {
    if (c == '&') text += '&';
    text += c;
  }
  return text;
}

void RecentFileList::Load(SettingsStore& store) {
  paths_.clear();
  for (std::size_t i = 0; i < kSize; ++i) {
    std::string path = store.ReadString(kGroup, EntryKey(i), "");
    if (!path.empty() && std::find(paths_.begin(), paths_.end(), path) == paths_.end()) {
      paths_.push_back(std::move(path));
    }
  }
}

void RecentFileList::Save(SettingsStore& store) const {
  for (std::size_t i = 0; i < kSize; ++i) store.WriteString(kGroup, EntryKey(i), i < paths_.size() ? paths_[i] : "");
}

RecentFileList& ProgramRecentFiles() {
  static RecentFileList list;
  return list;
}
