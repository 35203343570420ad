#include "app/qt/browser_widgets.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/qt/canvas_image.h"
#include "app/qt/data_dialog_view.h"
#include "platform/ui_services.h"
#include "services/folder_tree.h"
#include "services/thumbnails.h"

namespace {

class ItemClickFilter : public QObject {
 public:
  ItemClickFilter(QListWidget* list, std::function<void(QListWidgetItem*)> clicked)
      : QObject(list), list_(list), clicked_(std::move(clicked)) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::MouseButtonRelease) return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton && mouse->button() != Qt::RightButton) return false;
    QListWidgetItem* item = list_->itemAt(mouse->position().toPoint());
    if (item == nullptr) return false;
    clicked_(item);
    return true;
  }

 private:
  QListWidget* list_;
  std::function<void(QListWidgetItem*)> clicked_;
};

void AddItems(QTreeWidgetItem* parentItem, QTreeWidget* tree, const FolderTreeItem& parent,
              const FolderTreeItem* selected, QTreeWidgetItem** selectedItem) {
  for (const auto& child : parent.children) {
    auto* item = parentItem != nullptr ? new QTreeWidgetItem(parentItem) : new QTreeWidgetItem(tree);
    item->setText(0, QString::fromStdString(child->text));
    item->setData(0, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(child.get())));
    if (child.get() == selected) *selectedItem = item;
    AddItems(item, tree, *child, selected, selectedItem);
  }
}

QTreeWidget* FolderTreeView(FolderTree& tree, QWidget* parent) {
  auto* view = new QTreeWidget(parent);
  view->setHeaderHidden(true);
  view->setRootIsDecorated(true);
  view->setMinimumWidth(180);
  QTreeWidgetItem* selectedItem = nullptr;
  AddItems(nullptr, view, tree.top(), tree.selected, &selectedItem);
  if (selectedItem != nullptr) view->setCurrentItem(selectedItem);
  view->expandAll();
  return view;
}

FolderTreeItem* ModelItem(QTreeWidget* view) {
  QTreeWidgetItem* item = view->currentItem();
  return item == nullptr ? nullptr : reinterpret_cast<FolderTreeItem*>(item->data(0, Qt::UserRole).value<quintptr>());
}

QListWidget* ThumbnailList(QWidget* parent) {
  auto* list = new QListWidget(parent);
  list->setViewMode(QListView::IconMode);
  list->setIconSize(QSize(kThumbnailSide, kThumbnailSide));
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setSortingEnabled(false);
  list->setMovement(QListView::Static);
  list->setResizeMode(QListView::Adjust);
  list->setMinimumSize(4 * (kThumbnailSide + 30), 3 * (kThumbnailSide + 40));
  return list;
}

void OnItemClicked(QListWidget* list, std::function<void(QListWidgetItem*)> clicked) {
  list->viewport()->installEventFilter(new ItemClickFilter(list, std::move(clicked)));
}

void LayOutBrowser(QDialog& dialog, QTreeWidget* tree, QListWidget* list) {
  auto* ok = new QPushButton(Localized(1), &dialog);
  auto* cancel = new QPushButton(Localized(2), &dialog);
  ok->setDefault(true);
  QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
  QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
  auto* panes = new QHBoxLayout;
  panes->addWidget(tree);
  panes->addWidget(list, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addLayout(panes);
  layout->addLayout(buttons);
}

}  // namespace

int RunBrowserView(const BrowserBinding& binding, const QString& caption, QWidget* parent) {
  QDialog dialog(parent);
  dialog.setWindowTitle(caption);
  QTreeWidget* tree = FolderTreeView(*binding.tree, &dialog);
  QListWidget* list = ThumbnailList(&dialog);
  const auto fillList = [&binding, list] {
    const QSignalBlocker quiet(list);
    list->clear();
    for (const BrowserEntry& entry : binding.entries()) {
      list->addItem(new QListWidgetItem(QIcon(QPixmap::fromImage(ImageOfCanvas(*entry.picture))),
                                        QString::fromStdString(*entry.title)));
    }
    if (QListWidgetItem* chosen = list->item(*binding.selected)) {
      list->setCurrentItem(chosen);
      list->scrollToItem(chosen, QAbstractItemView::PositionAtTop);
    }
  };
  *binding.onListChanged = fillList;
  fillList();
  QObject::connect(tree, &QTreeWidget::currentItemChanged, &dialog, [&binding, tree](QTreeWidgetItem* item) {
    if (item != nullptr) binding.selectFolder(ModelItem(tree));
  });
  QObject::connect(list, &QListWidget::currentRowChanged, &dialog, [&binding](int row) { *binding.selected = row; });
  OnItemClicked(list, [&dialog, &binding, list](QListWidgetItem* item) {
    *binding.selected = list->row(item);
    dialog.accept();
  });
  LayOutBrowser(dialog, tree, list);
  const int result = dialog.exec();
  *binding.onListChanged = nullptr;
  return result == QDialog::Accepted ? kAnswerOk : kAnswerCancel;
}
