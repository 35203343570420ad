#pragma once

#include "platform/picture_file.h"

// BMP pictures through the program's own reader and writer; no other codec serves "bmp".
class BmpPictureCodec : public PictureCodec {
 public:
  bool Load(const std::string& path, Picture* picture) override;
  // Never leaves a half-written picture at the path.
  bool Save(const std::string& path, const Picture& picture) override;
};

// Registers the one program-wide instance for "bmp".
void RegisterBmpPictureCodec();
