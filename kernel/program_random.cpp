#include "kernel/program_random.h"

#include <cstdint>

namespace {
std::uint32_t state = 1;
}

int ProgramRand() {
  state = state * 214013u + 2531011u;
  return static_cast<int>((state >> 16) & 0x7FFF);
}

void SeedProgramRand(unsigned seed) { state = seed; }
