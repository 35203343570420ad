#include "render/picture_buffer.h"

#include <cstddef>
#include <limits>

namespace {

bool failNext = false;

}  // namespace

bool PictureBufferAllowed(std::uint64_t count, std::uint64_t elementBytes) {
  if (failNext) {
    failNext = false;
    return false;
  }
  return count != 0 && count <= std::numeric_limits<std::size_t>::max() / elementBytes;
}

void FailNextPictureBuffer(bool fail) { failNext = fail; }
