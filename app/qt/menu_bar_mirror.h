#pragma once

#include <functional>

#include "services/menu_builder.h"

class QAction;
class QMenu;
class QMenuBar;

// The command id a menu or toolbar action carries; 0 for none.
int ActionCommand(const QAction* action);

// Replaces the bar's menus with the tree's popups. Every command item is an action carrying its
// id, with no shortcut of Qt's (a "\t" in its text shows in the shortcut column); the recent-file
// placeholder becomes one hidden item per slot. Each menu calls aboutToShow before it opens.
void MirrorMenuBar(QMenuBar* bar, const MenuItem& tree, const std::function<void(int id)>& onCommand,
                   const std::function<void(QMenu* menu)>& aboutToShow);
