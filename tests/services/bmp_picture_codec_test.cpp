#include "services/bmp_picture_codec.h"

#include <gtest/gtest.h>

#include "bmp_fixture.h"
#include "program_state.h"
#include "services/view_pictures.h"
#include "temp_dir.h"

namespace {

using BmpPictureCodecTest = LumidrexTest;

TEST_F(BmpPictureCodecTest, SavesTheProgramsBmpAndLoadsItBack) {
  TempDir folder;
  Picture picture = Picture::Blank(2, 1);
  picture.pixels = {1, 2, 3, 4, 5, 6, 0, 0};
  BmpPictureCodec codec;
  ASSERT_TRUE(codec.Save(folder.File("a.bmp"), picture));
  Bytes expected = {'B', 'M'};
  for (const std::uint32_t word : {54u + 8u, 0u, 54u, 40u, 2u, 1u}) Append(&expected, word);
  Append(&expected, std::uint16_t{1});
  Append(&expected, std::uint16_t{24});
  for (int i = 0; i < 6; ++i) Append(&expected, std::uint32_t{0});
  expected.insert(expected.end(), {1, 2, 3, 4, 5, 6, 0, 0});
  EXPECT_EQ(ReadWholeFile(folder.File("a.bmp")), expected);

  Picture loaded;
  ASSERT_TRUE(codec.Load(folder.File("a.bmp"), &loaded));
  EXPECT_EQ(loaded.width, 2);
  EXPECT_EQ(loaded.height, 1);
  EXPECT_EQ(loaded.rowBytes, 8);
  EXPECT_EQ(loaded.pixels, picture.pixels);

  // Registered, it serves conversions by extension, in any case.
  RegisterBmpPictureCodec();
  EXPECT_EQ(ConvertPicture(folder.File("a.bmp"), folder.File("b.BMP")), 1);
  EXPECT_EQ(ReadWholeFile(folder.File("b.BMP")), expected);
}

TEST_F(BmpPictureCodecTest, RefusesWhatItCannotTakeWithoutLeavingFiles) {
  TempDir folder;
  BmpPictureCodec codec;
  Picture loaded;
  for (const auto& [what, bytes] : DamagedBmps()) {
    EXPECT_FALSE(codec.Load(folder.Write("bad.bmp", bytes), &loaded)) << what;
  }
  Picture tooFewBytes = Picture::Blank(4, 4);
  tooFewBytes.pixels.resize(10);
  Picture narrowRows = Picture::Blank(4, 1);
  narrowRows.rowBytes = 4;
  for (const Picture& bad : {Picture{}, tooFewBytes, narrowRows}) EXPECT_FALSE(codec.Save(folder.File("c.bmp"), bad));
  EXPECT_FALSE(codec.Save(folder.Write("plain", "x") + "/c.bmp", Picture::Blank(1, 1)));
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"bad.bmp", "plain"}));
}

}  // namespace
