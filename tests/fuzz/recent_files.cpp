// The profile's recent-file list, as the start-up loads it into the File menu.
#include <algorithm>

#include "app/recent_file_list.h"
#include "fuzz_profile.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzInput();
  FuzzProfile profile(data, size);
  RecentFileList& list = ProgramRecentFiles();
  list.Load(profile.platform().settings());
  const std::vector<std::string>& paths = list.Paths();
  if (paths.size() > RecentFileList::kSize) FuzzCheckFailed("more recent files than the menu holds");
  for (std::size_t i = 0; i < paths.size(); ++i) {
    if (paths[i].empty()) FuzzCheckFailed("an empty recent file");
    if (std::count(paths.begin(), paths.end(), paths[i]) != 1) FuzzCheckFailed("a recent file listed twice");
    list.MenuText(i);
  }
  return 0;
}
