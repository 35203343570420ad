#pragma once

#include <cstdint>
#include <functional>
#include <optional>

// The View toolbar's auto-repeat. Holding one of its pan, zoom, flip or roll buttons sends the
// button's command again and again, faster as the hold goes on. The owner feeds it the button's
// press and release and calls Tick when the delay it asked for has passed; times are in
// milliseconds on any steady clock.
class RepeatController {
 public:
  static constexpr int kFirstDelay = 500;
  static constexpr int kNextDelay = 50;

  // Sends one repeat; by default the command is posted to run after the current one.
  explicit RepeatController(std::function<void(int)> sendRepeat = nullptr);

  static bool IsRepeatingCommand(int id);

  // A press on a button. On a repeating command a run starts; the result is the delay until the
  // owner should call Tick. Other commands start nothing: their release is a plain click.
  std::optional<int> Press(int id, std::int64_t now);
  // Sends the repeat that is due, with RepeatMultiplier raised for it, and returns the delay
  // until the next call; empty when no run is going on.
  std::optional<int> Tick(std::int64_t now);
  // The release ends the run and puts RepeatMultiplier back to 1, before the owner lets the
  // button's release click through (which sends the command once more, as any click does).
  void Release();

  bool Running() const { return command_ != 0; }
  int Repeats() const { return repeats_; }

 private:
  std::function<void(int)> sendRepeat_;
  int command_ = 0;  // 0: no run
  std::int64_t lastTime_ = 0;
  int repeats_ = 0;
};
