#pragma once

#include <cstddef>
#include <string>
#include <vector>

class SettingsStore;

// The File menu's list of recently used designs, newest first.
class RecentFileList {
 public:
  static constexpr std::size_t kSize = 10;

  // The path goes to the top; when it is listed already it moves there, and the oldest entry
  // drops out of a full list.
  void Add(const std::string& path);
  void Remove(std::size_t index);
  void Clear() { paths_.clear(); }

  const std::vector<std::string>& Paths() const { return paths_; }
  std::size_t Size() const { return paths_.size(); }
  // "&1 " and the path, its '&' doubled so that none becomes a mnemonic.
  std::string MenuText(std::size_t index) const;

  // Group "Recent File List", values File1 to File10; empty values are no entries.
  void Load(SettingsStore& store);
  void Save(SettingsStore& store) const;

 private:
  std::vector<std::string> paths_;
};

// The application's list; the recent-file commands open its entries.
RecentFileList& ProgramRecentFiles();
