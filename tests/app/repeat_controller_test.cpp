#include "app/repeat_controller.h"

#include <vector>

#include "platform/command_queue.h"
#include "program_state.h"
#include "scene/view_commands.h"

namespace {

class RepeatControllerTest : public LumidrexTest {
 protected:
  struct Sent {
    int id;
    std::int64_t time;
    float multiplier;
    bool operator==(const Sent&) const = default;
  };
  std::int64_t now = 0;
  std::vector<Sent> sent;
  RepeatController controller{[this](int id) { sent.push_back({id, now, RepeatMultiplier}); }};

  // Runs the timer as a QTimer would, until the given time.
  void HoldUntil(std::int64_t end) {
    for (std::optional<int> delay = controller.Tick(now); delay && now + *delay <= end; delay = controller.Tick(now)) {
      now += *delay;
    }
  }
};

TEST_F(RepeatControllerTest, HoldingRepeatsAfterHalfASecondThenEveryFiftyMillisecondsFaster) {
  ASSERT_EQ(controller.Press(3400, now), 500);
  HoldUntil(499);
  EXPECT_TRUE(sent.empty());
  HoldUntil(500 + 249 * 50);
  ASSERT_EQ(sent.size(), 250u);
  for (int n = 1; n <= 250; ++n) {
    SCOPED_TRACE(n);
    const float multiplier = n <= 200 ? static_cast<float>((n - 1) * 5 + 1) : 1000.0f;
    EXPECT_EQ(sent[n - 1], (Sent{3400, 500 + (n - 1) * 50, multiplier}));
  }
  EXPECT_EQ(sent[1].multiplier, 6.0f);
  EXPECT_EQ(sent[199].multiplier, 996.0f);

  controller.Release();
  EXPECT_EQ(RepeatMultiplier, 1.0f);
  EXPECT_FALSE(controller.Running());
  EXPECT_EQ(controller.Tick(now + 1000), std::nullopt);
  EXPECT_EQ(sent.size(), 250u);
}

TEST_F(RepeatControllerTest, AShortPressOrAnotherButtonIsAPlainClick) {
  for (const int id : {3410, 3431}) {
    ASSERT_EQ(controller.Press(id, now), 500);
    HoldUntil(now + 499);
    controller.Release();
  }
  for (const int id : {3412, 3413, 3440, 3100, 57643}) {
    EXPECT_EQ(controller.Press(id, now), std::nullopt) << id;
    EXPECT_EQ(controller.Tick(now + 5000), std::nullopt);
    controller.Release();
  }
  EXPECT_TRUE(sent.empty());
}

TEST_F(RepeatControllerTest, ALateTimerStillRepeatsOnceAndTheNextRunStartsSlowAgain) {
  controller.Press(3420, now);
  now = 900;
  EXPECT_EQ(controller.Tick(now), 50);
  now = 930;
  EXPECT_EQ(controller.Tick(now), 20);
  controller.Press(3421, now);
  EXPECT_EQ(controller.Tick(now + 499), 1);
  EXPECT_EQ(sent, (std::vector<Sent>{{3420, 900, 1.0f}}));
}

TEST_F(RepeatControllerTest, RepeatsArePostedByDefault) {
  RepeatController posting;
  posting.Press(3430, 0);
  posting.Tick(500);
  posting.Tick(550);
  EXPECT_EQ(ProgramCommandQueue().Pending(), 2u);
  EXPECT_EQ(RepeatMultiplier, 6.0f);
  posting.Release();
  EXPECT_EQ(RepeatMultiplier, 1.0f);
}

}  // namespace
