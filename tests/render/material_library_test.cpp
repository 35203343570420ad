#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>

#include "kernel/bmp_image.h"
#include "material_fixtures.h"
#include "platform/program_folder.h"
#include "program_state.h"
#include "render/material.h"
#include "temp_dir.h"

namespace {

// The library as the build writes it into the program folder.
class MaterialLibraryTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    SetProgramDirOverride(LUMIDREX_PROGRAM_FOLDER);
  }
};

const std::string kLibraryFolder = std::string(LUMIDREX_PROGRAM_FOLDER) + "material/";

const char* const kNames[] = {"Gold",     "WhiteGold", "RoseGold", "Silver",   "Platinum",
                              "Copper",   "Diamond",   "Ruby",     "Sapphire", "Emerald"};

TEST_F(MaterialLibraryTest, GoldIsTheHandMadeFixture) {
  EXPECT_EQ(ReadWholeFile(kLibraryFolder + "Gold.mtl"), GoldMaterialFile());
}

TEST_F(MaterialLibraryTest, EveryMaterialLoadsWithItsValues) {
  struct Row {
    const char* name;
    int ambient[3], diffuse[3], specular[3];
    int shininess, transparency;
    bool reflects;
  };
  const Row rows[] = {
      {"Gold", {96, 72, 16}, {232, 184, 64}, {255, 240, 200}, 90, 0, true},
      {"WhiteGold", {88, 88, 84}, {220, 218, 205}, {255, 255, 255}, 90, 0, true},
      {"RoseGold", {96, 60, 48}, {232, 160, 132}, {255, 230, 220}, 90, 0, true},
      {"Silver", {90, 90, 92}, {216, 216, 220}, {255, 255, 255}, 92, 0, true},
      {"Platinum", {84, 84, 86}, {200, 200, 198}, {255, 255, 255}, 92, 0, true},
      {"Copper", {90, 48, 28}, {208, 120, 80}, {255, 220, 200}, 88, 0, true},
      {"Diamond", {120, 124, 132}, {236, 240, 248}, {255, 255, 255}, 98, 40, false},
      {"Ruby", {80, 0, 16}, {200, 16, 48}, {255, 255, 255}, 96, 25, false},
      {"Sapphire", {8, 16, 80}, {24, 56, 200}, {255, 255, 255}, 96, 25, false},
      {"Emerald", {0, 64, 24}, {16, 160, 72}, {255, 255, 255}, 96, 25, false},
  };
  for (const Row& row : rows) {
    const CMaterial& m = *LoadMaterial(row.name, 1);
    for (int i = 0; i < 3; ++i) {
      EXPECT_NEAR(m.ambient[i], row.ambient[i] / 255.0, 1e-7) << row.name;
      EXPECT_NEAR(m.diffuse[i], row.diffuse[i] / 255.0, 1e-7) << row.name;
      EXPECT_NEAR(m.specular[i], row.specular[i] / 255.0, 1e-7) << row.name;
    }
    const double root = row.shininess / 100.0 - 0.001;
    EXPECT_NEAR(m.highlightThreshold, root * root, 1e-6) << row.name;
    EXPECT_NEAR(m.transparency, row.transparency / 100.0, 1e-7) << row.name;
    EXPECT_EQ(m.reflect != nullptr, row.reflects) << row.name;
    EXPECT_EQ(m.texture, nullptr);
    EXPECT_EQ(m.bump, nullptr);
    EXPECT_EQ(m.shiny, nullptr);
    EXPECT_EQ((std::array{m.needsPositionAndTangents, m.needsNormal, m.needsTextureCoordinates, m.hasBumpMap}),
              (std::array{0, 1, 0, 0}));
  }
}

TEST_F(MaterialLibraryTest, StudioIsAGreyPictureThatLooksTheSameTurnedHalfATurn) {
  ImageRecord studio;
  ASSERT_EQ(LoadBmpFile(kLibraryFolder + "TxtrMap/Studio.bmp", &studio), 1);
  ASSERT_EQ(studio.width, 256);
  ASSERT_EQ(studio.height, 256);
  const auto grey = [&](int column, int row) {
    const std::uint8_t* p = &studio.data[row * studio.rowBytes + column * 3];
    EXPECT_TRUE(p[0] == p[1] && p[1] == p[2]) << column << ", " << row;
    return p[0];
  };
  const std::uint8_t outside = grey(0, 0);
  EXPECT_NEAR(outside, 0.55 * 255, 3);
  for (int row = 0; row < 256; ++row) {
    for (int column = 0; column < 256; ++column) {
      EXPECT_EQ(grey(column, row), grey(255 - column, 255 - row)) << column << ", " << row;
      if (row == 0 || row == 255 || column == 0 || column == 255) {
        EXPECT_EQ(grey(column, row), outside);
      }
    }
  }
  // A face turned to the viewer sees the light middle, a grazing one the dark horizon or a bright band.
  EXPECT_NEAR(grey(128, 128), 0.8 * 255, 8);
  EXPECT_NEAR(grey(40, 128), 0.3 * 255, 8);
  EXPECT_NEAR(grey(128, 128 + 83), 255, 8);
}

// The browser's thumbnails: the material on the editor's shape, in the middle of a white square.
TEST_F(MaterialLibraryTest, EveryMaterialHasItsPicture) {
  for (const char* name : kNames) {
    ImageRecord picture;
    ASSERT_EQ(LoadBmpFile(kLibraryFolder + name + ".bmp", &picture), 1) << name;
    EXPECT_EQ(picture.width, 100);
    EXPECT_EQ(picture.height, 100);
    const auto pixel = [&](int column, int row) {
      const std::uint8_t* p = &picture.data[row * picture.rowBytes + column * 3];
      return std::array{p[0], p[1], p[2]};
    };
    EXPECT_EQ(pixel(0, 0), (std::array<std::uint8_t, 3>{255, 255, 255})) << name;
    EXPECT_NE(pixel(25, 50), (std::array<std::uint8_t, 3>{255, 255, 255})) << name;
  }
}

TEST_F(MaterialLibraryTest, EveryRunWritesTheSameBytes) {
  const TempDir again;
  ASSERT_EQ(std::system(("'" + std::string(LUMIDREX_MATERIAL_GENERATOR) + "' '" + again.path() + "'").c_str()), 0);
  for (const char* name : kNames) {
    for (const char* extension : {".mtl", ".bmp"}) {
      const std::string file = std::string(name) + extension;
      EXPECT_EQ(ReadWholeFile(again.File(file)), ReadWholeFile(kLibraryFolder + file)) << file;
    }
  }
  EXPECT_EQ(ReadWholeFile(again.File("TxtrMap/Studio.bmp")), ReadWholeFile(kLibraryFolder + "TxtrMap/Studio.bmp"));
}

}  // namespace
