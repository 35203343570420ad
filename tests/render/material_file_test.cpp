#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "kernel/object_stream.h"
#include "material_fixtures.h"
#include "platform/file_handle.h"
#include "program_state.h"
#include "render/material.h"
#include "render/material_file.h"
#include "services/app_settings.h"
#include "temp_dir.h"

namespace {

using MaterialFileTest = LumidrexTest;

MaterialRecord GoldRecord() {
  MaterialRecord gold;
  gold.ambient[0] = 96, gold.ambient[1] = 72, gold.ambient[2] = 16;
  gold.diffuse[0] = 232, gold.diffuse[1] = 184, gold.diffuse[2] = 64;
  gold.specular[0] = 255, gold.specular[1] = 240, gold.specular[2] = 200;
  gold.shininess = 90;
  gold.reflectMap = "Studio";
  return gold;
}

// A record the reader must leave alone when it refuses a file.
MaterialRecord Untouched() {
  MaterialRecord record;
  record.shininess = 12345;
  record.shinyMap = "kept";
  return record;
}

bool IsDefaultMaterial(const CMaterial& m) {
  for (int i = 0; i < 3; ++i) {
    if (m.ambient[i] != 0 || m.diffuse[i] != 0.5f || m.specular[i] != 1) return false;
  }
  return m.highlightThreshold == 1 && m.transparency == 0 && m.reflect == nullptr && m.needsNormal == 1 &&
         m.needsPositionAndTangents == 0 && m.needsTextureCoordinates == 0 && m.hasBumpMap == 0;
}

TEST_F(MaterialFileTest, GoldReadsAndWritesByteForByte) {
  const Bytes fixture = GoldMaterialFile();
  ASSERT_EQ(fixture.size(), 82u);
  MaterialRecord read;
  EXPECT_EQ(ReadMaterialBytes(fixture.data(), fixture.size(), &read), 1);
  EXPECT_EQ(read, GoldRecord());

  for (const int scrambled : {0, 1}) {
    int result = 0;
    EXPECT_EQ(CaptureWrite([&] {
                SetScrambledWrite(scrambled);
                result = WriteMaterialRecord(GoldRecord());
              }),
              fixture)
        << "scrambled mode left " << scrambled;
    EXPECT_EQ(result, 1);
  }
}

TEST_F(MaterialFileTest, EveryFieldRoundTrips) {
  MaterialRecord record;
  for (int i = 0; i < 3; ++i) {
    record.ambient[i] = i + 1;
    record.diffuse[i] = -(i + 4);
    record.specular[i] = 1000 + i;
  }
  record.shininess = 150;
  record.transparency = -5;
  record.textureMap = "wood";
  record.bumpMap = "metals\\Grain";
  record.reflectMap = "Café";
  record.shinyMap = "sparkle.bmp";
  const Bytes bytes = CaptureWrite([&] { WriteMaterialRecord(record); });
  MaterialRecord read;
  EXPECT_EQ(ReadMaterialBytes(bytes.data(), bytes.size(), &read), 1);
  EXPECT_EQ(read, record);
}

TEST_F(MaterialFileTest, NamesGoOutAsAtMost255WindowsCharacters) {
  MaterialRecord record;
  record.textureMap = std::string(300, 'x');
  record.bumpMap = "é";
  record.reflectMap = "a\u4E2Db";  // no such character in Windows-1252
  const Bytes bytes = CaptureWrite([&] { WriteMaterialRecord(record); });

  Bytes expected = MaterialMagic();
  const Bytes values = Words({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255});
  expected.insert(expected.end(), values.begin(), values.end());
  expected.insert(expected.end(), 255, 'x');
  const Bytes rest = Words({1});
  expected.insert(expected.end(), rest.begin(), rest.end());
  expected.push_back(0xE9);
  Append(&expected, std::int32_t{3});
  AppendText(&expected, "a?b");
  Append(&expected, std::int32_t{0});
  EXPECT_EQ(bytes, expected);

  MaterialRecord read;
  EXPECT_EQ(ReadMaterialBytes(bytes.data(), bytes.size(), &read), 1);
  EXPECT_EQ(read.textureMap, std::string(255, 'x'));
  EXPECT_EQ(read.bumpMap, "é");
  EXPECT_EQ(read.reflectMap, "a?b");
}

TEST_F(MaterialFileTest, ALongStoredNameKeeps255BytesAndTheNextNameStillReads) {
  Bytes bytes = MaterialMagic();
  const Bytes values = Words({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 300});
  bytes.insert(bytes.end(), values.begin(), values.end());
  for (int i = 0; i < 300; ++i) bytes.push_back(static_cast<std::uint8_t>('a' + i % 26));
  Append(&bytes, std::int32_t{4});
  AppendText(&bytes, "bump");
  const Bytes last = Words({0, 0});
  bytes.insert(bytes.end(), last.begin(), last.end());

  MaterialRecord read;
  ASSERT_EQ(ReadMaterialBytes(bytes.data(), bytes.size(), &read), 1);
  ASSERT_EQ(read.textureMap.size(), 255u);
  EXPECT_EQ(read.textureMap.substr(0, 3), "abc");
  EXPECT_EQ(read.textureMap[254], 'a' + 254 % 26);
  EXPECT_EQ(read.bumpMap, "bump");
}

TEST_F(MaterialFileTest, DamagedFilesReadAsMinusOneAndLoadAsTheDefault) {
  struct Case {
    std::string what;
    Bytes bytes;
  };
  std::vector<Case> cases = {{"empty", {}}};
  Bytes wrongMagic = GoldMaterialFile();
  wrongMagic[11] = 'm';
  cases.push_back({"wrong magic", wrongMagic});
  for (std::size_t length = 16; length < 82; ++length) {
    const Bytes gold = GoldMaterialFile();
    cases.push_back({"cut at " + std::to_string(length), Bytes(gold.begin(), gold.begin() + length)});
  }
  // The reflect map's count sits at offset 68.
  for (const std::int32_t count : {-1, std::numeric_limits<std::int32_t>::max(), 11}) {
    Bytes bytes = GoldMaterialFile();
    std::memcpy(bytes.data() + 68, &count, 4);
    cases.push_back({"count " + std::to_string(count), bytes});
  }

  const TempDir folder;
  MaterialDir = folder.path();
  for (const Case& c : cases) {
    MaterialRecord record = Untouched();
    EXPECT_EQ(ReadMaterialBytes(c.bytes.data(), c.bytes.size(), &record), -1) << c.what;
    EXPECT_EQ(record, Untouched()) << c.what;
    folder.Write("Gold.mtl", c.bytes);
    EXPECT_TRUE(IsDefaultMaterial(*LoadMaterial("Gold", 1))) << c.what;
  }
}

TEST_F(MaterialFileTest, AWrongMagicStopsAfterTheMagic) {
  const TempDir folder;
  Bytes bytes = GoldMaterialFile();
  bytes[0] = 'X';
  const FileHandle file = OpenFile(folder.Write("bad.mtl", bytes), "rb");
  ObjectStreamScope stream(file.get());
  MaterialRecord record;
  EXPECT_EQ(ReadMaterialRecord(&record), -1);
  EXPECT_EQ(std::ftell(file.get()), 16);
}

TEST_F(MaterialFileTest, AFailedWriteReturnsZero) {
  const TempDir folder;
  const FileHandle readOnly = OpenFile(folder.Write("Gold.mtl", GoldMaterialFile()), "rb");
  ObjectStreamScope stream(readOnly.get());
  EXPECT_EQ(WriteMaterialRecord(GoldRecord()), 0);
}

}  // namespace
