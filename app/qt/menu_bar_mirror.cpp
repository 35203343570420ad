#include "app/qt/menu_bar_mirror.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include "app/qt/standard_commands.h"
#include "app/recent_file_list.h"
#include "app/view_command_map.h"

#include <algorithm>

namespace {

struct MenuCallbacks {
  const std::function<void(int)>& onCommand;
  const std::function<void(QMenu*)>& aboutToShow;
};

void AddCommand(QMenu* menu, int id, const QString& text, const MenuCallbacks& callbacks) {
  QAction* action = menu->addAction(text);
  action->setData(id);
  QObject::connect(action, &QAction::triggered, menu, [onCommand = callbacks.onCommand, id] {
    onCommand(id);
  });
}

// Items of which one at a time applies show radio marks, as Linux menus draw such choices. None
// is marked while no view answers for them.
void GroupExclusiveItems(QMenu* menu) {
  for (const std::span<const int> group : ExclusiveViewCommandGroups()) {
    QActionGroup* exclusive = nullptr;
    for (QAction* action : menu->actions()) {
      if (std::find(group.begin(), group.end(), ActionCommand(action)) == group.end()) continue;
      if (exclusive == nullptr) {
        exclusive = new QActionGroup(menu);
        exclusive->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
      }
      exclusive->addAction(action);
    }
  }
}

void FillMenu(QMenu* menu, const MenuItem& popup, const MenuCallbacks& callbacks) {
  QObject::connect(menu, &QMenu::aboutToShow, menu, [aboutToShow = callbacks.aboutToShow, menu] {
    aboutToShow(menu);
  });
  for (const MenuItem& item : popup.items) {
    switch (item.kind) {
      case MenuItem::Kind::kSeparator:
        menu->addSeparator();
        break;
      case MenuItem::Kind::kPopup:
        FillMenu(menu->addMenu(QString::fromStdString(item.text)), item, callbacks);
        break;
      case MenuItem::Kind::kCommand:
        if (item.id == kFirstRecentFileCommand) {
          for (std::size_t slot = 0; slot < RecentFileList::kSize; ++slot) {
            AddCommand(menu, kFirstRecentFileCommand + static_cast<int>(slot), {}, callbacks);
            menu->actions().back()->setVisible(false);
          }
        } else {
          AddCommand(menu, item.id, QString::fromStdString(item.text), callbacks);
        }
        break;
    }
  }
  GroupExclusiveItems(menu);
}

}  // namespace

int ActionCommand(const QAction* action) { return action != nullptr ? action->data().toInt() : 0; }

void MirrorMenuBar(QMenuBar* bar, const MenuItem& tree, const std::function<void(int id)>& onCommand,
                   const std::function<void(QMenu* menu)>& aboutToShow) {
  // A language change rebuilds the bar from inside one of its own items: the old menus go later.
  const QString retired = QStringLiteral("retired");
  for (QMenu* old : bar->findChildren<QMenu*>(Qt::FindDirectChildrenOnly)) {
    if (old->objectName() == retired) continue;
    old->setObjectName(retired);
    old->deleteLater();
  }
  bar->clear();
  const MenuCallbacks callbacks{onCommand, aboutToShow};
  for (const MenuItem& popup : tree.items) {
    if (popup.kind != MenuItem::Kind::kPopup) continue;
    auto* menu = new QMenu(QString::fromStdString(popup.text), bar);
    FillMenu(menu, popup, callbacks);
    bar->addMenu(menu);
  }
}
