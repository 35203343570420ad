// Replays saved inputs through a fuzz target without libFuzzer, so the ordinary test build runs
// every corpus file and reproducer under its own sanitizers. Arguments: files or folders. An
// input that takes longer than the fuzz script's 10 s ends the replay as a failure, naming the
// input (printed before it runs), so a hang fails the test instead of stalling it.
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

constexpr unsigned kSecondsPerInput = 10;

void OnInputTimeout(int) {
  static constexpr char kMessage[] = "The input above took longer than 10 s\n";
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
  std::signal(SIGALRM, OnInputTimeout);
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
      alarm(kSecondsPerInput);
      LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
      alarm(0);
      ++replayed;
    }
  }
  std::printf("Replayed %d inputs\n", replayed);
  // A corpus folder that lost its files must not pass unnoticed.
  return replayed > 0 ? 0 : 1;
}
