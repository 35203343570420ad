#include "platform/command_queue.h"

#include <vector>

#include "program_state.h"

namespace {

class CommandQueueTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    ProgramCommandQueue().SetDispatcher([this](int id) { ran.push_back(id); });
    ProgramCommandQueue().SetWakeMainLoop([this] { ++wakes; });
  }
  std::vector<int> ran;
  int wakes = 0;
};

TEST_F(CommandQueueTest, PostedCommandsRunInOrderOnlyWhenTheMainLoopDrains) {
  ProgramCommandQueue().Post(3600);
  ProgramCommandQueue().Post(7000);
  EXPECT_TRUE(ran.empty());
  EXPECT_EQ(wakes, 2);
  ProgramCommandQueue().Drain();
  EXPECT_EQ(ran, (std::vector<int>{3600, 7000}));
  EXPECT_EQ(ProgramCommandQueue().Pending(), 0u);
}

TEST_F(CommandQueueTest, NothingRunsWhileHeldAndTheReleaseWakesTheMainLoop) {
  {
    CommandQueueHold job;
    CommandQueueHold dialog;
    ProgramCommandQueue().Post(3600);
    ProgramCommandQueue().Drain();
    EXPECT_TRUE(ran.empty());
    wakes = 0;
  }
  EXPECT_EQ(wakes, 1);  // once, when the last hold goes
  ProgramCommandQueue().Drain();
  EXPECT_EQ(ran, (std::vector<int>{3600}));
}

TEST_F(CommandQueueTest, ACommandRunsUnderAHoldAndWhatItPostsRunsAfterIt) {
  ProgramCommandQueue().SetDispatcher([this](int id) {
    ran.push_back(id);
    EXPECT_TRUE(ProgramCommandQueue().Held());
    if (id == 6100) {
      ProgramCommandQueue().Post(3600);
      ProgramCommandQueue().Drain();  // a nested drain must not run it now
      EXPECT_EQ(ran.back(), 6100);
    }
  });
  ProgramCommandQueue().Post(6100);
  ProgramCommandQueue().Drain();
  EXPECT_EQ(ran, (std::vector<int>{6100, 3600}));
}

TEST_F(CommandQueueTest, PostedCallsRunInOrderWithTheCommandsAndNeverWhileHeld) {
  ProgramCommandQueue().Post(3600);
  ProgramCommandQueue().PostCall([this] {
    EXPECT_TRUE(ProgramCommandQueue().Held());
    ran.push_back(-1);
  });
  ProgramCommandQueue().Post(7000);
  {
    CommandQueueHold frame;
    ProgramCommandQueue().Drain();
    EXPECT_TRUE(ran.empty());
  }
  ProgramCommandQueue().Drain();
  EXPECT_EQ(ran, (std::vector<int>{3600, -1, 7000}));

  // Without a router a call still runs, and a command waits for one.
  ProgramCommandQueue().SetDispatcher(nullptr);
  ProgramCommandQueue().PostCall([this] { ran.push_back(-2); });
  ProgramCommandQueue().Post(3600);
  ProgramCommandQueue().Drain();
  EXPECT_EQ(ran.back(), -2);
  EXPECT_EQ(ProgramCommandQueue().Pending(), 1u);
}

}  // namespace
