#pragma once

#include <cstdint>
#include <memory>
#include <new>

// The large buffers of a picture render (the outline's depth raster reaches gigabytes at the
// largest sizes): sized in 64 bits and allocated without throwing, so a picture too large for the
// memory gets a message instead of ending the program.

// Whether count elements of elementBytes each may be allocated: false when the size overflows
// or a test planned this allocation to fail.
bool PictureBufferAllowed(std::uint64_t count, std::uint64_t elementBytes);
// Makes the next picture buffer fail, for tests; ResetRenderState clears the plan.
void FailNextPictureBuffer(bool fail);

// Null when the memory is not there. The elements are not initialised.
template <class T>
std::unique_ptr<T[]> AllocatePictureBuffer(std::uint64_t count) {
  if (!PictureBufferAllowed(count, sizeof(T))) return nullptr;
  return std::unique_ptr<T[]>(new (std::nothrow) T[static_cast<std::size_t>(count)]);
}
