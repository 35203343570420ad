#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "kernel/bmp_image.h"

// Writes a 24-bit picture of varied colours at path through the program's own writer.
inline bool WriteBenchPicture(const std::string& path, int width, int height) {
  std::unique_ptr<BmpFile> file = CreateBmpFile(path, width, height, 0, 0);
  if (file == nullptr) return false;
  std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 3);
  for (int y = 0; y < height; ++y) {
    for (std::size_t i = 0; i < row.size(); ++i) row[i] = static_cast<std::uint8_t>(i * 7 + static_cast<std::size_t>(y) * 3);
    const std::uint8_t* rows[] = {row.data()};
    if (!WriteBmpRows(file.get(), rows, width, 1)) return false;
  }
  return file->Close();
}
