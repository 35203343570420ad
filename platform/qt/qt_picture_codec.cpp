#include "platform/qt/qt_picture_codec.h"

#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

#include <set>

namespace {

std::set<std::string> QImageFormats() {
  std::set<std::string> formats;
  for (const QByteArray& format : QImageReader::supportedImageFormats()) formats.insert(format.toLower().toStdString());
  for (const QByteArray& format : QImageWriter::supportedImageFormats()) formats.insert(format.toLower().toStdString());
  formats.erase("bmp");
  return formats;
}

}  // namespace

Picture PictureFromImage(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  Picture picture = Picture::Blank(rgb.width(), rgb.height());
  for (int y = 0; y < rgb.height(); ++y) {
    const uchar* source = rgb.constScanLine(y);
    std::uint8_t* row = picture.pixels.data() + static_cast<std::size_t>(picture.height - 1 - y) * picture.rowBytes;
    for (int x = 0; x < rgb.width(); ++x) {
      row[3 * x] = source[3 * x + 2];
      row[3 * x + 1] = source[3 * x + 1];
      row[3 * x + 2] = source[3 * x];
    }
  }
  return picture;
}

QImage ImageFromPicture(const Picture& picture) {
  QImage image(picture.width, picture.height, QImage::Format_RGB888);
  for (int y = 0; y < picture.height; ++y) {
    const std::uint8_t* row =
        picture.pixels.data() + static_cast<std::size_t>(picture.height - 1 - y) * picture.rowBytes;
    uchar* target = image.scanLine(y);
    for (int x = 0; x < picture.width; ++x) {
      target[3 * x] = row[3 * x + 2];
      target[3 * x + 1] = row[3 * x + 1];
      target[3 * x + 2] = row[3 * x];
    }
  }
  return image;
}

bool QtPictureCodec::Load(const std::string& path, Picture* picture) {
  QImage image;
  if (!image.load(QString::fromStdString(path))) return false;
  *picture = PictureFromImage(image);
  return true;
}

// A failed conversion must never damage a picture already at the path.
bool QtPictureCodec::Save(const std::string& path, const Picture& picture) {
  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly)) return false;
  QImageWriter writer(&file, QFileInfo(file.fileName()).suffix().toLower().toLatin1());
  if (!writer.write(ImageFromPicture(picture))) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

void RegisterQtPictureCodec(QtPictureCodec* codec) {
  for (const std::string& format : QImageFormats()) RegisterPictureCodec(format, codec);
}

void UnregisterQtPictureCodec() {
  for (const std::string& format : QImageFormats()) RegisterPictureCodec(format, nullptr);
}
