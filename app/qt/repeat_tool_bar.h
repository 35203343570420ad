#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QToolBar>

#include "app/repeat_controller.h"

// The View toolbar: holding one of its pan, zoom, flip or roll buttons repeats the command, faster
// as the hold goes on. A timer stands in for re-posting the press to ourselves, which on Qt could
// not see the release waiting and would spin.
class CRepeatToolBar : public QToolBar {
 public:
  explicit CRepeatToolBar(QWidget* parent = nullptr);

  // Once the buttons are in: the press and release of each repeating one drive the repeats.
  void SetRepeatCommands();

  const RepeatController& Controller() const { return controller_; }

 private:
  void Pressed(int id);
  void Due();
  void Released();
  void Schedule(std::optional<int> delay);

  RepeatController controller_;
  QTimer timer_;
  QElapsedTimer clock_;
};
