#pragma once

#include <cstddef>
#include <deque>
#include <functional>

// Commands posted to run later, after the current one has been handled. Only the main loop
// drains the queue, and never while something holds it: a running command, an open progress
// window or a modal dialog. So a command posted inside a long job or a dialog runs once, after.
class CommandQueue {
 public:
  void Post(int id);
  // Posts work of the program's own that must wait for the main loop, such as a message that
  // may not open inside a frame; it runs in order with the commands.
  void PostCall(std::function<void()> call);
  // Runs the posted commands and calls in order, commands through the dispatcher, each under a
  // hold; does nothing while the queue is held, and stops at a command while no dispatcher is
  // set.
  void Drain();

  bool Held() const { return holds_ > 0; }
  std::size_t Pending() const { return posted_.size(); }

  // The router that runs a command.
  void SetDispatcher(std::function<void(int)> dispatcher) { dispatcher_ = std::move(dispatcher); }
  // Runs before each posted command, as the main loop's chores between events.
  void SetBeforeEachCommand(std::function<void()> chores) { beforeEach_ = std::move(chores); }
  // Asks the main loop for a turn; called after a post and when the last hold is released.
  void SetWakeMainLoop(std::function<void()> wake) { wake_ = std::move(wake); }

  void Reset();

 private:
  friend class CommandQueueHold;
  void Hold() { ++holds_; }
  void Release();
  void Wake() const;

  struct Posted {
    int id = 0;
    std::function<void()> call;  // set for a posted call
  };

  std::deque<Posted> posted_;
  int holds_ = 0;
  std::function<void(int)> dispatcher_;
  std::function<void()> wake_;
  std::function<void()> beforeEach_;
};

CommandQueue& ProgramCommandQueue();

// Keeps a command queue (the program's unless told) from draining while it lives.
class CommandQueueHold {
 public:
  explicit CommandQueueHold(CommandQueue& queue = ProgramCommandQueue()) : queue_(queue) { queue_.Hold(); }
  ~CommandQueueHold() { queue_.Release(); }
  CommandQueueHold(const CommandQueueHold&) = delete;
  CommandQueueHold& operator=(const CommandQueueHold&) = delete;

 private:
  CommandQueue& queue_;
};
