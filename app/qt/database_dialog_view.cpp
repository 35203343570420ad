#include "app/qt/database_dialog_view.h"

#include "app/database_dialog.h"
#include "app/qt/browser_widgets.h"
#include "app/qt/data_dialog_view.h"

namespace {

constexpr int kCaption = 31300;

}  // namespace

int RunDatabaseView(CDatabaseDlg& model, QWidget* parent) {
  const BrowserBinding binding{&model.tree, &model.onListChanged,
                               [&model](FolderTreeItem* item) { model.SelectFolder(item); },
                               [&model] {
                                 std::vector<BrowserEntry> entries;
                                 for (const auto& design : model.designs) entries.push_back({&design.title, &design.picture});
                                 return entries;
                               },
                               &model.selectedDesign};
  return RunBrowserView(binding, Localized(kCaption), parent);
}
