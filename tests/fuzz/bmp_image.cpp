// A picture file, as the reader of BMP pictures loads it.
#include "fuzz_support.h"
#include "kernel/bmp_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzInput();
  const std::string path = WriteFuzzFile("picture.bmp", data, size);
  ImageRecord image;
  if (LoadBmpFile(path, &image) == 1) {
    // Whoever draws the picture walks every row of it.
    const auto needed = static_cast<std::size_t>(image.rowBytes) * static_cast<std::size_t>(image.height);
    if (image.width <= 0 || image.height <= 0 || image.rowBytes < 3 * image.width || image.data.size() < needed) {
      FuzzCheckFailed("a loaded picture smaller than its sizes");
    }
  } else if (!image.data.empty()) {
    FuzzCheckFailed("a failed load kept pixels");
  }
  return 0;
}
