#pragma once

#include <bit>
#include <cstdint>

// Numbers of the binary exchange formats as explicit little-endian bytes, whatever the host.

inline unsigned char* PutU32(unsigned char* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) *at++ = static_cast<unsigned char>(value >> (8 * i));
  return at;
}

inline unsigned char* PutFloat(unsigned char* at, float value) { return PutU32(at, std::bit_cast<std::uint32_t>(value)); }

inline std::uint32_t GetU32(const unsigned char* at) {
  return std::uint32_t{at[0]} | std::uint32_t{at[1]} << 8 | std::uint32_t{at[2]} << 16 | std::uint32_t{at[3]} << 24;
}

inline float GetFloat(const unsigned char* at) { return std::bit_cast<float>(GetU32(at)); }
