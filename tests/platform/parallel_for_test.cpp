#include "platform/parallel_for.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

namespace {

TEST(ParallelForTest, EveryIndexIsWorkedOnceWhateverTheCount) {
  EXPECT_GE(UsableCores(), 1);
  for (const std::size_t count : {0u, 1u, 2u, 7u, 1000u}) {
    SCOPED_TRACE(count);
    std::vector<std::atomic<int>> visits(count);
    ParallelFor(count, [&](std::size_t k) { ++visits[k]; });
    for (std::size_t k = 0; k < count; ++k) EXPECT_EQ(visits[k].load(), 1) << k;
  }
}

TEST(ParallelForTest, AFailingCallIsRethrownAfterTheOthersStop) {
  std::atomic<int> running{0};
  EXPECT_THROW(ParallelFor(200,
                           [&](std::size_t k) {
                             ++running;
                             if (k == 17) {
                               --running;
                               throw std::runtime_error("failed");
                             }
                             --running;
                           }),
               std::runtime_error);
  // No call is still running once the failure comes back.
  EXPECT_EQ(running.load(), 0);
}

}  // namespace
