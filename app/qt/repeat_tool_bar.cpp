#include "app/qt/repeat_tool_bar.h"

#include <QAbstractButton>
#include <QAction>

#include "app/qt/menu_bar_mirror.h"

CRepeatToolBar::CRepeatToolBar(QWidget* parent) : QToolBar(parent) {
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, [this] { Due(); });
  clock_.start();
}

void CRepeatToolBar::SetRepeatCommands() {
  for (QAction* action : actions()) {
    const int id = ActionCommand(action);
    if (!RepeatController::IsRepeatingCommand(id)) continue;
    auto* button = qobject_cast<QAbstractButton*>(widgetForAction(action));
    if (button == nullptr) continue;
    // The release comes before the button's click, so the click runs with the multiplier reset.
    connect(button, &QAbstractButton::pressed, this, [this, id] { Pressed(id); });
    connect(button, &QAbstractButton::released, this, [this] { Released(); });
  }
}

void CRepeatToolBar::Pressed(int id) { Schedule(controller_.Press(id, clock_.elapsed())); }

void CRepeatToolBar::Due() { Schedule(controller_.Tick(clock_.elapsed())); }

void CRepeatToolBar::Released() {
  timer_.stop();
  controller_.Release();
}

void CRepeatToolBar::Schedule(std::optional<int> delay) {
  if (delay) {
    timer_.start(*delay);
  } else {
    timer_.stop();
  }
}
