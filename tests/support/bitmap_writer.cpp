#include "bitmap_writer.h"

#include "kernel/bmp_image.h"

bool WriteTestBitmap(const std::string& path, int width, int height, const std::vector<std::uint8_t>& pixels) {
  const std::unique_ptr<BmpFile> file = CreateBmpFile(path, width, height, 0, 0);
  if (file == nullptr || pixels.size() != static_cast<std::size_t>(width) * height * 3) return false;
  std::vector<const std::uint8_t*> rows;
  for (int row = 0; row < height; ++row) rows.push_back(pixels.data() + static_cast<std::size_t>(row) * width * 3);
  return WriteBmpRows(file.get(), rows.data(), width, height) && file->Close();
}
