#include "platform/command_queue.h"

#include <utility>

void CommandQueue::Post(int id) {
  posted_.push_back({id, nullptr});
  Wake();
}

void CommandQueue::PostCall(std::function<void()> call) {
  posted_.push_back({0, std::move(call)});
  Wake();
}

void CommandQueue::Drain() {
  while (!Held() && !posted_.empty() && (posted_.front().call || dispatcher_)) {
    const Posted next = std::move(posted_.front());
    posted_.pop_front();
    if (beforeEach_) beforeEach_();
    CommandQueueHold running(*this);
    if (next.call) {
      next.call();
    } else {
      dispatcher_(next.id);
    }
  }
}

void CommandQueue::Release() {
  if (holds_ > 0 && --holds_ == 0) Wake();
}

void CommandQueue::Wake() const {
  if (wake_) wake_();
}

void CommandQueue::Reset() {
  posted_.clear();
  holds_ = 0;
  dispatcher_ = nullptr;
  wake_ = nullptr;
  beforeEach_ = nullptr;
}

CommandQueue& ProgramCommandQueue() {
  static CommandQueue queue;
  return queue;
}
