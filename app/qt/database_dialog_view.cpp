#include "app/qt/database_dialog_view.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QImage>
#include <QListWidget>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <functional>

#include "app/database_dialog.h"
#include "app/design_thumbnails.h"
#include "app/qt/canvas_image.h"
#include "app/qt/data_dialog_view.h"

namespace {

constexpr int kCaption = 31300;

// A left or right click on a design of the list.
class DesignClickFilter : public QObject {
 public:
  DesignClickFilter(QListWidget* list, std::function<void(QListWidgetItem*)> clicked)
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

}  // namespace

int RunDatabaseView(CDatabaseDlg& model, QWidget* parent) {
  QDialog dialog(parent);
  dialog.setWindowTitle(Localized(kCaption));
  auto* tree = new QTreeWidget(&dialog);
  tree->setHeaderHidden(true);
  tree->setRootIsDecorated(true);
  tree->setMinimumWidth(180);
  auto* list = new QListWidget(&dialog);
  list->setViewMode(QListView::IconMode);
  list->setIconSize(QSize(kThumbnailSide, kThumbnailSide));
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setSortingEnabled(false);
  list->setMovement(QListView::Static);
  list->setResizeMode(QListView::Adjust);
  list->setMinimumSize(4 * (kThumbnailSide + 30), 3 * (kThumbnailSide + 40));

  const auto fillList = [&model, list] {
    const QSignalBlocker quiet(list);
    list->clear();
    for (const CDatabaseDlg::Design& design : model.designs) {
      list->addItem(new QListWidgetItem(QIcon(QPixmap::fromImage(ImageOfCanvas(design.picture))),
                                        QString::fromStdString(design.title)));
    }
    if (QListWidgetItem* chosen = list->item(model.selectedDesign)) {
      list->setCurrentItem(chosen);
      list->scrollToItem(chosen, QAbstractItemView::PositionAtTop);
    }
  };
  model.onListChanged = fillList;
  QTreeWidgetItem* selectedItem = nullptr;
  AddItems(nullptr, tree, model.tree.top(), model.tree.selected, &selectedItem);
  if (selectedItem != nullptr) tree->setCurrentItem(selectedItem);
  tree->expandAll();
  fillList();
  QObject::connect(tree, &QTreeWidget::currentItemChanged, &dialog, [&model](QTreeWidgetItem* item) {
    if (item == nullptr) return;
    model.SelectFolder(reinterpret_cast<FolderTreeItem*>(item->data(0, Qt::UserRole).value<quintptr>()));
  });
  QObject::connect(list, &QListWidget::currentRowChanged, &dialog, [&model](int row) { model.selectedDesign = row; });
  list->viewport()->installEventFilter(new DesignClickFilter(list, [&dialog, &model, list](QListWidgetItem* item) {
    model.selectedDesign = list->row(item);
    dialog.accept();
  }));

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

  const int result = dialog.exec();
  model.onListChanged = nullptr;
  return result == QDialog::Accepted ? kAnswerOk : kAnswerCancel;
}
