#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

#include "bmp_fixture.h"
#include "kernel/bmp_image.h"
#include "scratch_file.h"
#include "temp_dir.h"

namespace {

Bytes PaletteOf(int entries, int entryBytes, std::initializer_list<std::pair<int, Bytes>> colours) {
  Bytes table(static_cast<std::size_t>(entries * entryBytes), 0);
  for (const auto& [index, bgr] : colours) std::copy(bgr.begin(), bgr.end(), table.begin() + index * entryBytes);
  return table;
}

Bytes Masks(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
  Bytes b;
  Append(&b, red);
  Append(&b, green);
  Append(&b, blue);
  return b;
}

struct LoadCase {
  const char* name;
  BmpFixture fixture;
  std::int32_t rowBytes;
  Bytes data;
};

TEST(BmpImageTest, LoadsEveryDepth) {
  Bytes oneBit(28, 0);  // 9 pixels: record rows of 27 bytes and one padding byte
  oneBit[0] = oneBit[1] = oneBit[2] = 0xFF;
  oneBit[24] = oneBit[25] = oneBit[26] = 0xFF;
  const LoadCase cases[] = {
      {"1 bit, most significant bit leftmost",
       {40, 9, 1, 1, 0, PaletteOf(2, 4, {{1, {0xFF, 0xFF, 0xFF}}}), {0x80, 0x80, 0, 0}}, 28, oneBit},
      {"4 bits, high nibble leftmost",
       {40, 2, 1, 4, 0, PaletteOf(16, 4, {{1, {10, 20, 30}}, {2, {40, 50, 60}}}), {0x12, 0, 0, 0}}, 8,
       {10, 20, 30, 40, 50, 60, 0, 0}},
      {"8 bits after a 12-byte header: 3-byte table entries",
       {12, 1, 1, 8, 0, PaletteOf(256, 3, {{5, {1, 2, 3}}, {255, {7, 8, 9}}}), {5, 0, 0, 0}}, 4, {1, 2, 3, 0}},
      {"24 bits, two pixels", {40, 2, 1, 24, 0, {}, {1, 2, 3, 4, 5, 6, 0, 0}}, 8, {1, 2, 3, 4, 5, 6, 0, 0}},
      {"16 bits 5-5-5", {40, 2, 1, 16, 0, {}, {0xFF, 0x7F, 0x00, 0x7C}}, 8, {0xFF, 0xFF, 0xFF, 0, 0, 0xFF, 0, 0}},
      {"16 bits 5-6-5 by masks", {40, 2, 1, 16, 3, Masks(0xF800, 0x07E0, 0x001F), {0xE0, 0x07, 0x10, 0x00}}, 8,
       {0, 0xFF, 0, 132, 0, 0, 0, 0}},
      {"32 bits", {40, 1, 1, 32, 0, {}, {1, 2, 3, 99}}, 4, {1, 2, 3, 0}},
      {"32 bits by masks", {40, 1, 1, 32, 3, Masks(0xFF0000, 0xFF00, 0xFF), {1, 2, 3, 99}}, 4, {1, 2, 3, 0}},
      {"truncated: missing rows are black", {40, 2, 2, 24, 0, {}, {1, 2, 3, 4, 5, 6, 0, 0}}, 8,
       {1, 2, 3, 4, 5, 6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"truncated inside the second row: its missing pixels and the third row are black",
       {40, 2, 3, 32, 0, {}, {1, 2, 3, 99, 4, 5, 6, 99, 7, 8, 9}}, 8,
       {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"8 bits, one row of three", {40, 1, 3, 8, 0, PaletteOf(256, 4, {{7, {10, 20, 30}}}), {7, 0, 0, 0}}, 4,
       {10, 20, 30, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
  };
  TempDir dir;
  for (const LoadCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir.File("picture.bmp");
    WriteWholeFile(path, MakeBmp(c.fixture));
    ImageRecord image;
    ASSERT_EQ(LoadBmpFile(path, &image), 1);
    EXPECT_EQ(image.width, c.fixture.width);
    EXPECT_EQ(image.height, c.fixture.height);
    EXPECT_EQ(image.rowBytes, c.rowBytes);
    EXPECT_EQ(image.data, c.data);
  }
}

TEST(BmpImageTest, RefusesWhatItCannotRead) {
  struct RefusedCase {
    const char* name;
    Bytes file;
  };
  Bytes wrongMagic = MakeBmp({});
  wrongMagic[0] = 'X';
  Bytes huge = MakeBmp({40, 60000, 60000, 24, 0, {}, {}});
  huge.resize(100, 0);
  Bytes pixelsPastTheEnd = MakeBmp({40, 1, 1, 24, 0, {}, {0, 0, 0, 0}});
  pixelsPastTheEnd[10] = 200;
  const RefusedCase cases[] = {
      {"wrong magic", wrongMagic},
      {"unknown header size", MakeBmp({108, 1, 1, 24, 0, {}, {0, 0, 0, 0}})},
      {"run-length coded", MakeBmp({40, 1, 1, 8, 1, PaletteOf(256, 4, {}), {0, 0, 0, 0}})},
      {"zero width", MakeBmp({40, 0, 1, 24, 0, {}, {}})},
      {"top-down rows", MakeBmp({40, 1, -1, 24, 0, {}, {0, 0, 0, 0}})},
      {"60000 x 60000 in 100 bytes", huge},
      {"2 bits per pixel", MakeBmp({40, 1, 1, 2, 0, {}, {0, 0, 0, 0}})},
      {"unusual 16-bit masks", MakeBmp({40, 1, 1, 16, 3, Masks(0xF, 0xF0, 0xF00), {0, 0, 0, 0}})},
      {"header cut short", Bytes{'B', 'M', 0, 0}},
      // Sides whose product overflows 64 bits, and a depth that would size a 2 GB row: both
      // refused before anything is allocated.
      {"2^31 - 1 squared", MakeBmp({40, INT32_MAX, INT32_MAX, 24, 0, {}, {}})},
      {"wide and 65535 bits per pixel", MakeBmp({40, 300000, 1, 65535, 0, {}, {}})},
      {"12-byte header, 65535 x 65535", MakeBmp({12, 65535, 65535, 24, 0, {}, {}})},
      {"pixels past the end of the file", pixelsPastTheEnd},
      // A header with less than one row of pixels after it is not a picture, however large the
      // black picture it declares.
      {"no pixel row", MakeBmp({40, 2, 2, 24, 0, {}, {}})},
      {"part of the only row", MakeBmp({40, 2, 2, 24, 0, {}, {1, 2, 3, 4, 5}})},
      {"89,000,000 x 1 at 32 bits, header only", MakeBmp({40, 89000000, 1, 32, 0, {}, {}})},
      {"65535 x 800 at 24 bits, 8 bytes of pixels", MakeBmp({12, 65535, 800, 24, 0, {}, {1, 2, 3, 4, 5, 6, 7, 8}})},
      {"8 bits, table but no row", MakeBmp({40, 4, 1, 8, 0, PaletteOf(256, 4, {}), {0, 0, 0}})},
  };
  TempDir dir;
  for (const RefusedCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir.File("picture.bmp");
    WriteWholeFile(path, c.file);
    ImageRecord image;
    image.data = {1, 2, 3};
    EXPECT_EQ(LoadBmpFile(path, &image), -1);
    EXPECT_TRUE(image.data.empty());
    EXPECT_EQ(image.width, 0);
  }
  ImageRecord image;
  EXPECT_EQ(LoadBmpFile(dir.File("missing.bmp"), &image), -1);
  EXPECT_EQ(LoadBmpFile("", &image), -1);
}

TEST(BmpImageTest, WritesA24BitPicture) {
  TempDir dir;
  const std::string path = dir.File("render.bmp");
  auto file = CreateBmpFile(path, 640, 480, 3780, 3780);
  ASSERT_NE(file, nullptr);
  std::vector<std::uint8_t> row(640 * 3, 0x7F);
  std::vector<const std::uint8_t*> rows(480, row.data());
  ASSERT_TRUE(WriteBmpRows(file.get(), rows.data(), 640, 480));
  ASSERT_TRUE(file->Close());

  const Bytes written = ReadWholeFile(path);
  ASSERT_EQ(written.size(), 921654u);
  Bytes header = {'B', 'M'};
  Append(&header, std::uint32_t{921654});
  Append(&header, std::uint32_t{0});
  Append(&header, std::uint32_t{54});
  Append(&header, std::uint32_t{40});
  Append(&header, std::int32_t{640});
  Append(&header, std::int32_t{480});
  Append(&header, std::uint16_t{1});
  Append(&header, std::uint16_t{24});
  for (const std::uint32_t v : {0u, 0u, 3780u, 3780u, 0u, 0u}) Append(&header, v);
  EXPECT_EQ(Bytes(written.begin(), written.begin() + 54), header);

  // A 2-pixel row is 6 pixel bytes and 2 zero bytes of padding; it reads back unchanged.
  auto small = CreateBmpFile(path, 2, 1, 0, 0);
  const std::uint8_t pixels[6] = {1, 2, 3, 4, 5, 6};
  const std::uint8_t* one[1] = {pixels};
  ASSERT_TRUE(WriteBmpRows(small.get(), one, 2, 1));
  ASSERT_TRUE(small->Close());
  const Bytes smallFile = ReadWholeFile(path);
  EXPECT_EQ(Bytes(smallFile.begin() + 54, smallFile.end()), (Bytes{1, 2, 3, 4, 5, 6, 0, 0}));
  ImageRecord image;
  ASSERT_EQ(LoadBmpFile(path, &image), 1);
  EXPECT_EQ(image.data, (Bytes{1, 2, 3, 4, 5, 6, 0, 0}));
}

TEST(BmpImageTest, UnclosedPictureLeavesTheOldOneIntact) {
  TempDir dir;
  const std::string path = dir.File("render.bmp");
  WriteWholeFile(path, {'o', 'l', 'd'});
  {
    auto file = CreateBmpFile(path, 4, 4, 0, 0);
    ASSERT_NE(file, nullptr);
  }
  EXPECT_EQ(ReadWholeFile(path), (Bytes{'o', 'l', 'd'}));
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"render.bmp"});

  EXPECT_EQ(CreateBmpFile("", 4, 4, 0, 0), nullptr);
  EXPECT_EQ(CreateBmpFile(path, 0, 4, 0, 0), nullptr);
  EXPECT_EQ(CreateBmpFile(path, 4, -1, 0, 0), nullptr);
  EXPECT_EQ(CreateBmpFile(path, 40000, 40000, 0, 0), nullptr);  // file size beyond 32 bits
}

// The file knows its size: rows of another width, or more rows than the picture has, are refused,
// and a picture short of rows (a cancelled render) does not close: the old picture stays and no
// temporary file is left.
TEST(BmpImageTest, APictureShortOfRowsDoesNotReplaceTheOldOne) {
  TempDir dir;
  const std::string path = dir.File("render.bmp");
  WriteWholeFile(path, {'o', 'l', 'd'});
  const std::uint8_t pixels[9] = {};
  const std::uint8_t* rows[3] = {pixels, pixels, pixels};

  auto file = CreateBmpFile(path, 3, 2, 0, 0);
  ASSERT_NE(file, nullptr);
  EXPECT_FALSE(WriteBmpRows(file.get(), rows, 2, 1));
  EXPECT_FALSE(WriteBmpRows(file.get(), rows, 3, 3));
  EXPECT_TRUE(WriteBmpRows(file.get(), rows, 3, 1));
  EXPECT_FALSE(file->Close());
  EXPECT_FALSE(file->Close());
  EXPECT_EQ(ReadWholeFile(path), (Bytes{'o', 'l', 'd'}));
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"render.bmp"});

  auto whole = CreateBmpFile(path, 3, 2, 0, 0);
  EXPECT_TRUE(WriteBmpRows(whole.get(), rows, 3, 1));
  EXPECT_TRUE(WriteBmpRows(whole.get(), rows, 3, 1));
  EXPECT_TRUE(whole->Close());
  EXPECT_EQ(ReadWholeFile(path).size(), 54u + 2 * 12);
}

}  // namespace
