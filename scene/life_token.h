#pragma once

#include <functional>
#include <memory>
#include <utility>

// Lets work kept for later, and pointers kept by others, learn whether an object still exists.
// The object holds a LifeToken; whoever keeps a pointer to it keeps a LifeWatch beside it.
class LifeWatch {
 public:
  LifeWatch() = default;
  bool Alive() const { return !alive_.expired(); }

 private:
  friend class LifeToken;
  explicit LifeWatch(std::weak_ptr<const char> alive) : alive_(std::move(alive)) {}
  std::weak_ptr<const char> alive_;
};

class LifeToken {
 public:
  LifeToken() = default;
  // A copy of an object is another object, with a life of its own.
  LifeToken(const LifeToken&) {}
  LifeToken& operator=(const LifeToken&) { return *this; }

  LifeWatch Watch() const { return LifeWatch(alive_); }
  // The work, made to do nothing once the token's owner is gone.
  std::function<void()> Guard(std::function<void()> work) const {
    return [watch = Watch(), work = std::move(work)] {
      if (watch.Alive()) work();
    };
  }

 private:
  std::shared_ptr<const char> alive_ = std::make_shared<const char>(0);
};
