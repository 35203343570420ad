#include "services/bmp_picture_codec.h"

#include <vector>

#include "kernel/bmp_image.h"

// ImageRecord and Picture lay out their rows alike, so the bytes move across unchanged.
bool BmpPictureCodec::Load(const std::string& path, Picture* picture) {
  ImageRecord image;
  if (LoadBmpFile(path, &image) != 1) return false;
  picture->width = image.width;
  picture->height = image.height;
  picture->rowBytes = image.rowBytes;
  picture->pixels = std::move(image.data);
  return true;
}

bool BmpPictureCodec::Save(const std::string& path, const Picture& picture) {
  if (picture.Empty() || picture.rowBytes < 3 * picture.width ||
      picture.pixels.size() < static_cast<std::size_t>(picture.rowBytes) * picture.height) {
    return false;
  }
  std::unique_ptr<BmpFile> file = CreateBmpFile(path, picture.width, picture.height, 0, 0);
  if (!file) return false;
  std::vector<const std::uint8_t*> rows;
  for (int y = 0; y < picture.height; ++y) rows.push_back(picture.pixels.data() + static_cast<std::size_t>(y) * picture.rowBytes);
  return WriteBmpRows(file.get(), rows.data(), picture.width, picture.height) && file->Close();
}

void RegisterBmpPictureCodec() {
  static BmpPictureCodec codec;
  RegisterPictureCodec("bmp", &codec);
}
