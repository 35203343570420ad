#pragma once

#include <QString>

#include <functional>
#include <string>
#include <vector>

class FolderTree;
struct FolderTreeItem;
class RasterCanvas;
class QWidget;

// The browsers' common view: a folder tree beside a list of 100 x 100 icons.

// One entry of a browser's list.
struct BrowserEntry {
  const std::string* title;
  const RasterCanvas* picture;
};

// What a browser view shows and where it writes the user's choices.
struct BrowserBinding {
  FolderTree* tree;
  // The model calls it after its list changed.
  std::function<void()>* onListChanged;
  std::function<void(FolderTreeItem*)> selectFolder;
  std::function<std::vector<BrowserEntry>()> entries;
  int* selected;
};

// Runs the browser: the tree mirrors the model's, expanded, its selection current; the list
// holds the entries in the model's order (Qt never sorts it). Choosing a folder lists its
// entries; a left or right click on an entry ends the browser as OK. Returns kAnswerOk or
// kAnswerCancel.
int RunBrowserView(const BrowserBinding& binding, const QString& caption, QWidget* parent);
