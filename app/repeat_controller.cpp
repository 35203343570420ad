#include "app/repeat_controller.h"

#include <algorithm>
#include <array>
#include <utility>

#include "scene/view_commands.h"
#include "services/ui_utilities.h"

namespace {

// Pan up, down, left, right; zoom in, out; flip up, down, left, right; roll left, right.
constexpr std::array<int, 12> kRepeatingCommands = {3400, 3401, 3402, 3403, 3410, 3411,
                                                    3420, 3421, 3422, 3423, 3430, 3431};

// From the 201st repeat on the steps stop growing.
constexpr int kFullSpeedRepeats = 200;
constexpr float kFullSpeedMultiplier = 1000.0f;

float MultiplierForRepeat(int repeatsSoFar) {
  if (repeatsSoFar >= kFullSpeedRepeats) return kFullSpeedMultiplier;
  return static_cast<float>(repeatsSoFar * 5 + 1);
}

}  // namespace

RepeatController::RepeatController(std::function<void(int)> sendRepeat) : sendRepeat_(std::move(sendRepeat)) {
  if (!sendRepeat_) sendRepeat_ = [](int id) { SendCommand(id); };
}

bool RepeatController::IsRepeatingCommand(int id) {
  return std::find(kRepeatingCommands.begin(), kRepeatingCommands.end(), id) != kRepeatingCommands.end();
}

std::optional<int> RepeatController::Press(int id, std::int64_t now) {
  Release();
  if (!IsRepeatingCommand(id)) return {};
  command_ = id;
  lastTime_ = now;
  return kFirstDelay;
}

std::optional<int> RepeatController::Tick(std::int64_t now) {
  if (!Running()) return {};
  const int delay = repeats_ == 0 ? kFirstDelay : kNextDelay;
  const std::int64_t elapsed = now - lastTime_;
  if (elapsed < delay) return static_cast<int>(delay - elapsed);
  RepeatMultiplier = MultiplierForRepeat(repeats_);
  sendRepeat_(command_);
  lastTime_ = now;
  ++repeats_;
  return kNextDelay;
}

void RepeatController::Release() {
  if (!Running()) return;
  command_ = 0;
  repeats_ = 0;
  RepeatMultiplier = 1.0f;
}
