#include "platform/parallel_for.h"

#include <sched.h>

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

int UsableCores() {
  cpu_set_t set;
  CPU_ZERO(&set);
  if (sched_getaffinity(0, sizeof(set), &set) == 0) return std::max(CPU_COUNT(&set), 1);
  return static_cast<int>(std::max(std::thread::hardware_concurrency(), 1u));
}

void ParallelFor(std::size_t count, const std::function<void(std::size_t)>& work) {
  const std::size_t threads =
      count <= 1 ? count : std::min(count, static_cast<std::size_t>(UsableCores()));
  if (threads <= 1) {
    for (std::size_t k = 0; k < count; ++k) work(k);
    return;
  }
  // Each thread takes the next k until none is left, so a long call does not hold up the
  // others' share.
  std::atomic<std::size_t> next{0};
  std::exception_ptr failure;
  std::mutex failureMutex;
  const auto take = [&] {
    for (std::size_t k = next++; k < count; k = next++) {
      try {
        work(k);
      } catch (...) {
        const std::lock_guard lock(failureMutex);
        if (!failure) failure = std::current_exception();
        next = count;
      }
    }
  };
  std::vector<std::thread> helpers;
  helpers.reserve(threads - 1);
  for (std::size_t t = 1; t < threads; ++t) {
    // Without another thread the work is only shared among fewer.
    try {
      helpers.emplace_back(take);
    } catch (const std::system_error&) {
      break;
    }
  }
  take();
  for (std::thread& helper : helpers) helper.join();
  if (failure) std::rethrow_exception(failure);
}
