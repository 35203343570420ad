#pragma once

#include <QImage>

#include "platform/picture.h"
#include "platform/picture_file.h"

// Picture files through QImage, at each format's default quality.
class QtPictureCodec : public PictureCodec {
 public:
  bool Load(const std::string& path, Picture* picture) override;
  bool Save(const std::string& path, const Picture& picture) override;
};

// Registers the codec for every format QImage reads or writes, except BMP, which the program
// reads and writes itself.
void RegisterQtPictureCodec(QtPictureCodec* codec);
void UnregisterQtPictureCodec();

Picture PictureFromImage(const QImage& image);
QImage ImageFromPicture(const Picture& picture);
