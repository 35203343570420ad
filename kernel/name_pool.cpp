#include "kernel/name_pool.h"

#include "kernel/pointer_list.h"

const std::string* PoolName(std::string name) {
  return AppendPointer(std::make_unique<std::string>(std::move(name)));
}
