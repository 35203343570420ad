#include "kernel/int_pow.h"

#include <cstdint>

double IntPow(double x, int n) {
  // Negated in 64 bits: -INT_MIN does not fit an int.
  const std::int64_t wide = n;
  std::uint64_t e = static_cast<std::uint64_t>(wide < 0 ? -wide : wide);
  double result = 1.0;
  double square = x;
  while (e != 0) {
    if (e & 1) result *= square;
    e >>= 1;
    if (e != 0) square *= square;
  }
  return n < 0 ? 1.0 / result : result;
}
