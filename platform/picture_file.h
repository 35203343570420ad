#pragma once

#include <string>
#include <string_view>

#include "platform/picture.h"

// Reads and writes picture files of one or more formats.
class PictureCodec {
 public:
  virtual ~PictureCodec() = default;
  virtual bool Load(const std::string& path, Picture* picture) = 0;
  virtual bool Save(const std::string& path, const Picture& picture) = 0;
};

// The codec for files whose name ends in "." + extension (compared ignoring case). The codec is
// not owned and must stay registered no longer than it lives; null removes the entry.
void RegisterPictureCodec(std::string_view extension, PictureCodec* codec);

// Both choose the codec by the path's extension; a format without a codec fails.
bool LoadPicture(const std::string& path, Picture* picture);
bool SavePicture(const std::string& path, const Picture& picture);

void ClearPictureCodecs();
