#include "kernel/name_pool.h"

#include <deque>

namespace {
// A deque never moves its elements, so pointers handed out stay valid as the pool grows.
std::deque<std::string>& Pool() {
  static std::deque<std::string> pool;
  return pool;
}
}  // namespace

const std::string* PoolName(std::string name) { return &Pool().emplace_back(std::move(name)); }

void ClearNamePool() { Pool().clear(); }
