// Replays saved inputs through a fuzz target without libFuzzer, so the ordinary test build runs
// every corpus file and reproducer under its own sanitizers. Arguments: files or folders. An
// input that takes longer than the fuzz script's 10 s ends the replay as a failure, naming the
// input (printed before it runs), so a hang fails the test instead of stalling it. The time is
// processor time, so that a busy machine does not fail a quick input.
#include <sys/time.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz_support.h"

namespace {

constexpr long kSecondsPerInput = 10;

// Starts the processor-time clock of one input; zero stops it.
void SetInputTimer(long seconds) {
  const itimerval timer{{0, 0}, {seconds, 0}};
  setitimer(ITIMER_PROF, &timer, nullptr);
}

void OnInputTimeout(int) {
  static constexpr char kMessage[] = "The input above took longer than 10 s of processor time\n";
  (void)!write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
  _exit(1);
}

std::vector<std::filesystem::path> InputsOf(const std::filesystem::path& argument) {
  std::vector<std::filesystem::path> inputs;
  if (std::filesystem::is_directory(argument)) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(argument)) {
      if (entry.is_regular_file()) inputs.push_back(entry.path());
    }
  } else {
    inputs.push_back(argument);
  }
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

}  // namespace

int main(int argc, char** argv) {
  std::signal(SIGPROF, OnInputTimeout);
  int replayed = 0;
  for (int i = 1; i < argc; ++i) {
    for (const std::filesystem::path& input : InputsOf(argv[i])) {
      std::ifstream in(input, std::ios::binary);
      if (!in) {
        std::fprintf(stderr, "Cannot read %s\n", input.c_str());
        return 1;
      }
      const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
      std::printf("%s\n", input.c_str());
      std::fflush(stdout);
      SetInputTimer(kSecondsPerInput);
      LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
      SetInputTimer(0);
      ++replayed;
    }
  }
  std::printf("Replayed %d inputs\n", replayed);
  // A corpus folder that lost its files must not pass unnoticed.
  return replayed > 0 ? 0 : 1;
}
