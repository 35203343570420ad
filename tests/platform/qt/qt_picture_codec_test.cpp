#include "platform/qt/qt_picture_codec.h"

#include "qt_test.h"

namespace {

using QtPictureCodecTest = QtTest;

TEST_F(QtPictureCodecTest, PicturesKeepTheirRowsAndColoursThroughQImage) {
  Picture picture = Picture::Blank(3, 2);
  // Bottom row first: the bottom-left pixel is pure blue (B, G, R).
  picture.pixels[0] = 0xFF;
  const QImage image = ImageFromPicture(picture);
  EXPECT_EQ(image.pixelColor(0, 1), QColor(0, 0, 255));
  EXPECT_EQ(image.pixelColor(0, 0), QColor(0, 0, 0));
  EXPECT_EQ(PictureFromImage(image).pixels, picture.pixels);
}

TEST_F(QtPictureCodecTest, JpegGoesThroughQImageButBmpWaitsForItsOwnCodec) {
  const TempDir folder;
  Picture picture = Picture::Blank(8, 8);
  for (std::uint8_t& byte : picture.pixels) byte = 200;
  ASSERT_TRUE(SavePicture(folder.File("grey.JPG"), picture));
  Picture read;
  ASSERT_TRUE(LoadPicture(folder.File("grey.JPG"), &read));
  EXPECT_EQ(read.width, 8);
  EXPECT_NEAR(read.pixels[0], 200, 3);
  EXPECT_FALSE(SavePicture(folder.File("grey.bmp"), picture));
}

}  // namespace
