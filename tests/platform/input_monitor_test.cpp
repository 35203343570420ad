#include "platform/input_monitor.h"

#include <vector>

#include "program_state.h"

namespace {

using InputMonitorTest = LumidrexTest;
using Kind = HeldInput::Kind;

TEST_F(InputMonitorTest, TheFirstKeyDecidesThenAnyPressOrWheelStops) {
  const HeldInput escape{Kind::kKeyDown, kVirtualKeyEscape};
  const HeldInput letterA{Kind::kKeyDown, 0};
  const HeldInput left{Kind::kLeftButtonDown, 0};
  const HeldInput right{Kind::kRightButtonDown, 0};
  const HeldInput wheel{Kind::kWheel, 0};
  const struct {
    std::vector<HeldInput> held;
    bool stop;
  } cases[] = {
      {{escape}, true},       {{letterA, escape}, false}, {{left}, true},          {{right}, true},
      {{wheel}, true},        {{}, false},                {{letterA, left}, true}, {{letterA}, false},
      {{escape, letterA}, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(UserAbortRequested(c.held), c.stop) << "case with " << c.held.size() << " events";
  }
}

}  // namespace
