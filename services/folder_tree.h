#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// A tree of folder names, as a tree view shows it: items with texts and children, one selected.
struct FolderTreeItem {
  std::string text;
  FolderTreeItem* parent = nullptr;
  std::vector<std::unique_ptr<FolderTreeItem>> children;

  // The next item under the same parent; null for the last.
  FolderTreeItem* NextSibling() const;
  FolderTreeItem* FirstChild() const { return children.empty() ? nullptr : children.front().get(); }
};

class FolderTree {
 public:
  // The invisible item whose children are the top items.
  FolderTreeItem& top() { return top_; }
  FolderTreeItem* FirstTopItem() const { return top_.FirstChild(); }
  void Clear();
  FolderTreeItem* Append(FolderTreeItem& parent, std::string text);
  // The texts from the top item down to the item, joined with '/'.
  static std::string PathOf(const FolderTreeItem& item);

  FolderTreeItem* selected = nullptr;

 private:
  FolderTreeItem top_;
};

// ASCII letters folded, every other byte compared as it stands: <0, 0 or >0.
int CompareNoCase(std::string_view a, std::string_view b);
// A stable sort under CompareNoCase: equal names keep their order.
void SortNamesNoCase(std::vector<std::string>& names);
// The names in the one order every machine shows: byte-wise, then stably without case.
void SortNamesForDisplay(std::vector<std::string>& names);

// Adds an item under parent for every sub-folder of folder, in display order, and fills each in
// turn. Links to folders are followed, but a folder already listed is not entered again and
// the depth stops at 64, so linked loops end. The process's current folder is never changed.
void FillFolderTree(FolderTree& tree, FolderTreeItem& parent, const std::string& folder);
// Selects the item among item and its following siblings whose text, followed by a separator
// ('/' or '\') or the end, begins path; deeper parts go on with its children, and the deepest
// match is selected. Returns 0, selecting nothing, when no sibling matches the first part.
int SelectTreePath(FolderTree& tree, FolderTreeItem* item, std::string_view path);
