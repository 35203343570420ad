#include "platform/command_queue.h"

void CommandQueue::Post(int id) {
  posted_.push_back(id);
  Wake();
}

void CommandQueue::Drain() {
  while (!Held() && dispatcher_ && !posted_.empty()) {
    const int id = posted_.front();
    posted_.pop_front();
    CommandQueueHold running(*this);
    dispatcher_(id);
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
}

CommandQueue& ProgramCommandQueue() {
  static CommandQueue queue;
  return queue;
}
