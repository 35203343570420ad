#include "services/folder_tree.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <utility>

namespace {

constexpr int kMaxDepth = 64;

using FolderIdentity = std::pair<dev_t, ino_t>;

unsigned char Folded(unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c; }

void Fill(FolderTree& tree, FolderTreeItem& parent, const std::string& folder, int depth,
          std::set<FolderIdentity>& listed) {
  struct stat info {};
  if (depth > kMaxDepth || ::stat(folder.c_str(), &info) != 0) return;
  if (!listed.insert({info.st_dev, info.st_ino}).second) return;
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code kindError;
    if (it->is_directory(kindError)) names.push_back(it->path().filename().string());
  }
  SortNamesForDisplay(names);
  for (std::string& name : names) {
    const std::string path = folder + "/" + name;
    struct stat child {};
    // A folder met before, through a link, is left out altogether.
    if (::stat(path.c_str(), &child) != 0 || listed.count({child.st_dev, child.st_ino}) != 0) continue;
    FolderTreeItem* item = tree.Append(parent, std::move(name));
    Fill(tree, *item, path, depth + 1, listed);
  }
}

}  // namespace

FolderTreeItem* FolderTreeItem::NextSibling() const {
  if (parent == nullptr) return nullptr;
  const auto& siblings = parent->children;
  for (std::size_t i = 0; i + 1 < siblings.size(); ++i) {
    if (siblings[i].get() == this) return siblings[i + 1].get();
  }
  return nullptr;
}

void FolderTree::Clear() {
  top_.children.clear();
  selected = nullptr;
}

FolderTreeItem* FolderTree::Append(FolderTreeItem& parent, std::string text) {
  auto item = std::make_unique<FolderTreeItem>();
  item->text = std::move(text);
  item->parent = &parent;
  parent.children.push_back(std::move(item));
  return parent.children.back().get();
}

std::string FolderTree::PathOf(const FolderTreeItem& item) {
  std::string path = item.text;
  for (const FolderTreeItem* up = item.parent; up != nullptr && up->parent != nullptr; up = up->parent) {
    path = up->text + "/" + path;
  }
  return path;
}

int CompareNoCase(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const unsigned char x = Folded(static_cast<unsigned char>(a[i]));
    const unsigned char y = Folded(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

void SortNamesNoCase(std::vector<std::string>& names) {
  std::stable_sort(names.begin(), names.end(),
                   [](const std::string& a, const std::string& b) { return CompareNoCase(a, b) < 0; });
}

void SortNamesForDisplay(std::vector<std::string>& names) {
  std::sort(names.begin(), names.end());
  SortNamesNoCase(names);
}

void FillFolderTree(FolderTree& tree, FolderTreeItem& parent, const std::string& folder) {
  std::set<FolderIdentity> listed;
  Fill(tree, parent, folder, 0, listed);
}

int SelectTreePath(FolderTree& tree, FolderTreeItem* item, std::string_view path) {
  for (; item != nullptr; item = item->NextSibling()) {
    const std::string_view text = item->text;
    if (path.substr(0, text.size()) != text) continue;
    if (path.size() == text.size()) {
      tree.selected = item;
      return 1;
    }
    const char next = path[text.size()];
    if (next != '/' && next != '\\') continue;
    if (SelectTreePath(tree, item->FirstChild(), path.substr(text.size() + 1)) == 0) tree.selected = item;
    return 1;
  }
  return 0;
}
