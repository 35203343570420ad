#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

#include "platform/input_monitor.h"

class QEvent;

// Looks at waiting input by letting Qt deliver it while an application event filter holds back
// every user-input event. What it holds goes to its receivers, in order, when Replay is called
// once control is back in the main loop. Shortcuts do not fire while input is held.
class QtInputMonitor : public QObject, public InputMonitor {
 public:
  QtInputMonitor();
  ~QtInputMonitor() override;

  void Poll() override;
  std::vector<HeldInput> Held() const override { return held_; }

  bool Polling() const { return polling_ > 0; }
  bool HoldsInput() const { return !captured_.empty(); }
  // Delivers what is held and forgets it.
  void Replay();
  // Called after every poll, so the owner can ask the main loop for a turn.
  void SetAfterPoll(std::function<void()> afterPoll) { afterPoll_ = std::move(afterPoll); }

 protected:
  bool eventFilter(QObject* receiver, QEvent* event) override;

 private:
  struct Captured {
    QPointer<QObject> receiver;
    std::unique_ptr<QEvent> event;
  };

  int polling_ = 0;
  bool replaying_ = false;
  std::vector<Captured> captured_;
  std::vector<HeldInput> held_;
  std::function<void()> afterPoll_;
};
