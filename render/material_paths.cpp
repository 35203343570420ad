#include "render/material_paths.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/file_handle.h"
#include "platform/program_folder.h"
#include "services/app_settings.h"
#include "services/file_names.h"

namespace {

bool IsAbsoluteFolder(std::string_view folder) {
  return (!folder.empty() && (folder[0] == '/' || folder[0] == '\\')) || (folder.size() > 1 && folder[1] == ':');
}

std::vector<std::string_view> Components(std::string_view name) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (start <= name.size()) {
    const std::size_t end = std::min(name.find_first_of("/\\", start), name.size());
    if (end > start) parts.push_back(name.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

// The entry of folder called name as spelt, or ignoring case; empty when there is none.
std::string FindEntry(const std::string& folder, std::string_view name) {
  std::error_code error;
  const std::string spelt = folder + "/" + std::string(name);
  if (std::filesystem::exists(spelt, error)) return spelt;
  std::string best;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string entryName = entry.path().filename().string();
    if (EqualIgnoringAsciiCase(entryName, name) && (best.empty() || entryName < best)) best = entryName;
  }
  return best.empty() ? std::string() : folder + "/" + best;
}

// A name as given, relative to the current folder or absolute, with either separator.
std::string AsGiven(std::string_view name) {
  std::string path(name);
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

// The first of the folders (inside the material folder) and then the name as given that holds
// a readable file of that name.
std::string FindFile(std::string_view name, std::initializer_list<std::string_view> subfolders) {
  const std::string folder = GetMaterialDirectory();
  // An empty folder would make "inside it" the root of the file system.
  if (!folder.empty()) {
    for (std::string_view subfolder : subfolders) {
      const std::string inside = subfolder.empty() ? folder : FindInFolder(folder, subfolder);
      if (inside.empty()) continue;
      const std::string path = FindInFolder(inside, name);
      if (!path.empty() && OpensForReading(path)) return path;
    }
  }
  const std::string given = AsGiven(name);
  return OpensForReading(given) ? given : std::string();
}

std::filesystem::path CleanAbsolute(const std::string& path) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(AsGiven(path), error);
  return (error ? std::filesystem::path(AsGiven(path)) : absolute).lexically_normal();
}

// The part of path below folder, joined with '\'; empty when path does not lie below it.
std::string Below(const std::filesystem::path& folder, const std::filesystem::path& path) {
  std::string prefix = folder.string();
  if (prefix.empty() || prefix.back() != '/') prefix += '/';
  const std::string full = path.string();
  if (full.size() <= prefix.size() || full.compare(0, prefix.size(), prefix) != 0) return {};
  std::string rest = full.substr(prefix.size());
  for (char& c : rest) {
    if (c == '/') c = '\\';
  }
  return rest;
}

}  // namespace

std::string GetMaterialDirectory() {
  if (MaterialDir.empty() || IsAbsoluteFolder(MaterialDir)) return MaterialDir;
  return GetProgramDir() + MaterialDir;
}

std::string FindInFolder(const std::string& folder, std::string_view name) {
  std::string path = folder;
  for (std::string_view component : Components(name)) {
    path = FindEntry(path, component);
    if (path.empty()) break;
  }
  return path;
}

bool OpensForReading(const std::string& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::is_regular_file(path, error) && OpenFile(path, "rb") != nullptr;
}

std::string FindMaterialFile(std::string_view name) {
  return FindFile(AddExtensionIfMissing(name, "mtl"), {""});
}

std::string FindTextureMapFile(std::string_view name) {
  return FindFile(AddExtensionIfMissing(name, "bmp"), {"TxtrMap", ""});
}

std::string NameInFolder(const std::string& folder, const std::string& path) {
  const std::filesystem::path cleanPath = CleanAbsolute(path);
  if (folder.empty()) return cleanPath.string();
  const std::filesystem::path cleanFolder = CleanAbsolute(folder);
  std::string below = Below(cleanFolder, cleanPath);
  if (below.empty()) {
    std::error_code folderError, pathError;
    const auto canonicalFolder = std::filesystem::weakly_canonical(cleanFolder, folderError);
    const auto canonicalPath = std::filesystem::weakly_canonical(cleanPath, pathError);
    if (!folderError && !pathError) below = Below(canonicalFolder, canonicalPath);
  }
  return below.empty() ? cleanPath.string() : below;
}
