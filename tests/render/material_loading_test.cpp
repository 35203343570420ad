#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <iterator>
#include <string>

#include "bitmap_writer.h"
#include "current_folder.h"
#include "material_fixtures.h"
#include "platform/program_folder.h"
#include "program_state.h"
#include "render/material.h"
#include "render/material_paths.h"
#include "render/texture_cache.h"
#include "services/app_settings.h"
#include "temp_dir.h"

namespace {

// A material folder of the test's own.
class MaterialLoadingTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    MaterialDir = folder.path();
  }

  std::string Put(const std::string& relative, const Bytes& bytes) const {
    const std::filesystem::path path = std::filesystem::path(folder.path()) / relative;
    std::filesystem::create_directories(path.parent_path());
    WriteWholeFile(path.string(), bytes);
    return path.string();
  }

  // A 1 x 1 bitmap whose blue byte tells it apart.
  std::string PutBitmap(const std::string& relative, std::uint8_t mark) const {
    const std::filesystem::path path = std::filesystem::path(folder.path()) / relative;
    std::filesystem::create_directories(path.parent_path());
    EXPECT_TRUE(WriteTestBitmap(path.string(), 1, 1, {mark, 0, 0}));
    return path.string();
  }

  TempDir folder;
};

std::uint8_t Mark(const ImageRecord* image) { return image == nullptr ? 0 : image->data[0]; }

TEST_F(MaterialLoadingTest, ValuesAreClampedAndConverted) {
  struct Case {
    std::string what;
    std::initializer_list<std::int32_t> values;  // ambient, diffuse, specular, shininess, transparency
    float ambientRed, diffuseRed, specularBlue, threshold, transparency;
  };
  const Case cases[] = {
      {"shininess 150", {0, 0, 0, 0, 0, 0, 0, 0, 0, 150, 0}, 0, 0, 0, 0.998001f, 0},
      {"shininess 0", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 0, 0, 0, 0.000001f, 0},
      {"transparency -5", {0, 0, 0, 0, 0, 0, 0, 0, 0, 50, -5}, 0, 0, 0, 0.2490010f, 0},
      {"transparency 40", {0, 0, 0, 0, 0, 0, 0, 0, 0, 50, 40}, 0, 0, 0, 0.2490010f, 0.4f},
      {"colour 300 and -5", {300, 0, 0, -5, 0, 0, 0, 0, 1000, 50, 0}, 1, 0, 1, 0.2490010f, 0},
      {"colour 51", {51, 0, 0, 102, 0, 0, 0, 0, 204, 50, 0}, 0.2f, 0.4f, 0.8f, 0.2490010f, 0},
  };
  for (const Case& c : cases) {
    Put("Gold.mtl", PlainMaterialFile(c.values));
    const CMaterial& m = *LoadMaterial("Gold", 1);
    EXPECT_FLOAT_EQ(m.ambient[0], c.ambientRed) << c.what;
    EXPECT_FLOAT_EQ(m.diffuse[0], c.diffuseRed) << c.what;
    EXPECT_FLOAT_EQ(m.specular[2], c.specularBlue) << c.what;
    EXPECT_NEAR(m.highlightThreshold, c.threshold, 1e-7) << c.what;
    EXPECT_FLOAT_EQ(m.transparency, c.transparency) << c.what;
  }
}

TEST_F(MaterialLoadingTest, AMissingMaterialIsTheDefaultGrey) {
  const CMaterial& m = *LoadMaterial("Gold", 1);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(m.diffuse[i], 0.5f);
    EXPECT_EQ(m.specular[i], 1.0f);
    EXPECT_EQ(m.ambient[i], 0.0f);
  }
  EXPECT_EQ(m.highlightThreshold, 1.0f);
  EXPECT_EQ(m.transparency, 0.0f);
  EXPECT_EQ(m.mappingMatrix, Matrix4());
  EXPECT_EQ((std::array{m.needsPositionAndTangents, m.needsNormal, m.needsTextureCoordinates, m.hasBumpMap}),
            (std::array{0, 1, 0, 0}));
  EXPECT_EQ(std::distance(LoadedMaterials().begin(), LoadedMaterials().end()), 1);
}

TEST_F(MaterialLoadingTest, NamesFindTheirFiles) {
  Put("Gold.mtl", PlainMaterialFile({0, 0, 0, 255, 0, 0, 0, 0, 0, 0, 0}));
  Put("RUBY.MTL", PlainMaterialFile({0, 0, 0, 255, 0, 0, 0, 0, 0, 0, 0}));
  Put("a.b", PlainMaterialFile({0, 0, 0, 0, 255, 0, 0, 0, 0, 0, 0}));
  Put("metals/Silver.mtl", PlainMaterialFile({0, 0, 0, 0, 0, 255, 0, 0, 0, 0, 0}));
  Put("Upper/ROSE.MTL", PlainMaterialFile({0, 0, 0, 0, 0, 255, 0, 0, 0, 0, 0}));
  struct Case {
    std::string name;
    int channel;  // the diffuse channel that is 1, or -1 for the default grey
  };
  const Case cases[] = {
      {"Gold", 0}, {"Gold.mtl", 0}, {"gOLD", 0}, {"Ruby", 0}, {"a.b", 1}, {"metals\\Silver", 2},
      {"METALS/silver", 2}, {"upper\\rose", 2}, {"Silver", -1}, {"", -1},
  };
  for (const Case& c : cases) {
    const CMaterial& m = *LoadMaterial(c.name, 0);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(m.diffuse[i], c.channel < 0 ? 0.5f : i == c.channel ? 1.0f : 0.0f) << c.name << " channel " << i;
    }
  }
}

TEST_F(MaterialLoadingTest, TheMaterialFolderWinsOverTheCurrentFolder) {
  const TempDir current;
  WriteWholeFile(current.File("Gold.mtl"), PlainMaterialFile({0, 0, 0, 0, 255, 0, 0, 0, 0, 0, 0}));
  const CurrentFolder here(current.path());
  EXPECT_EQ(LoadMaterial("Gold", 0)->diffuse[1], 1.0f) << "as given, when the folder has none";
  Put("Gold.mtl", PlainMaterialFile({0, 0, 0, 255, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(LoadMaterial("Gold", 0)->diffuse[0], 1.0f);
}

TEST_F(MaterialLoadingTest, AnEmptyFolderNeverLooksInTheRoot) {
  MaterialDir = "";
  EXPECT_EQ(GetMaterialDirectory(), "");
  Put("Gold.mtl", PlainMaterialFile({0, 0, 0, 255, 0, 0, 0, 0, 0, 0, 0}));
  // The root joined to this name would be the real file.
  const std::string fromRoot = folder.path().substr(1) + "/Gold";
  EXPECT_EQ(LoadMaterial(fromRoot, 0)->diffuse[0], 0.5f);
}

TEST_F(MaterialLoadingTest, TheFolderSettingIsRelativeToTheProgramFolder) {
  SetProgramDirOverride("/opt/lumidrex/");
  struct Case {
    std::string setting, folder;
  };
  for (const Case& c : {Case{"material", "/opt/lumidrex/material"}, Case{"/srv/mtl", "/srv/mtl"},
                        Case{"\\mtl", "\\mtl"}, Case{"D:\\mtl", "D:\\mtl"}}) {
    MaterialDir = c.setting;
    EXPECT_EQ(GetMaterialDirectory(), c.folder) << c.setting;
  }
  SetProgramDirOverride("");
}

TEST_F(MaterialLoadingTest, MapsAreFoundInTxtrMapThenTheFolderThenAsGiven) {
  const TempDir current;
  const CurrentFolder here(current.path());
  EXPECT_TRUE(WriteTestBitmap(current.File("wood.bmp"), 1, 1, {3, 0, 0}));
  Put("Gold.mtl", MaterialFileWithMaps({"wood", "", "", ""}));
  EXPECT_EQ(Mark(LoadMaterial("Gold", 1)->texture), 3);
  PutBitmap("wood.bmp", 2);
  EXPECT_EQ(Mark(LoadMaterial("Gold", 1)->texture), 2);
  PutBitmap("TxtrMap/wood.bmp", 1);
  EXPECT_EQ(Mark(LoadMaterial("Gold", 1)->texture), 1);
  // Without the flag no map is looked for.
  EXPECT_EQ(LoadMaterial("Gold", 0)->texture, nullptr);
}

TEST_F(MaterialLoadingTest, MapsFoundWhateverTheirCaseShareOneBitmap) {
  const std::string onDisk = PutBitmap("txtrmap/Wood.bmp", 7);
  std::filesystem::create_directory(folder.File("TxtrMap.d"));  // a folder is not a map
  Put("A.mtl", MaterialFileWithMaps({"wood", "", "", ""}));
  Put("B.mtl", MaterialFileWithMaps({"TXTRMAP\\WOOD.BMP", "", "", ""}));
  Put("C.mtl", MaterialFileWithMaps({"Wood", "", "TxtrMap.d", ""}));
  const ImageRecord* a = LoadMaterial("A", 1)->texture;
  EXPECT_EQ(Mark(a), 7);
  EXPECT_EQ(LoadMaterial("B", 1)->texture, a);
  const CMaterial& c = *LoadMaterial("C", 1);
  EXPECT_EQ(c.texture, a);
  EXPECT_EQ(c.reflect, nullptr);
  ASSERT_EQ(std::distance(TextureCache().begin(), TextureCache().end()), 1);
  EXPECT_EQ(TextureCache().front().path, onDisk);
}

TEST_F(MaterialLoadingTest, FlagsFollowTheMapsLoaded) {
  PutBitmap("TxtrMap/m.bmp", 1);
  struct Case {
    std::string what;
    std::initializer_list<std::string_view> maps;
    std::array<int, 4> flags;
  };
  const Case cases[] = {
      {"texture", {"m", "", "", ""}, {1, 1, 1, 0}},
      {"bump", {"", "m", "", ""}, {1, 1, 1, 1}},
      {"reflect", {"", "", "m", ""}, {0, 1, 0, 0}},
      {"shiny", {"", "", "", "m"}, {0, 1, 0, 0}},
      {"missing texture", {"absent", "", "", ""}, {0, 1, 0, 0}},
  };
  for (const Case& c : cases) {
    Put("M.mtl", MaterialFileWithMaps(c.maps));
    const CMaterial& m = *LoadMaterial("M", 1);
    EXPECT_EQ((std::array{m.needsPositionAndTangents, m.needsNormal, m.needsTextureCoordinates, m.hasBumpMap}),
              c.flags)
        << c.what;
  }
}

TEST_F(MaterialLoadingTest, AnUnloadableBitmapIsNotCached) {
  Put("TxtrMap/empty.bmp", {'B', 'M'});
  Put("M.mtl", MaterialFileWithMaps({"empty", "", "", ""}));
  EXPECT_EQ(LoadMaterial("M", 1)->texture, nullptr);
  EXPECT_TRUE(TextureCache().empty());
}

TEST_F(MaterialLoadingTest, FreeingEmptiesBothLists) {
  PutBitmap("TxtrMap/m.bmp", 1);
  Put("M.mtl", MaterialFileWithMaps({"m", "m", "m", "m"}));
  LoadMaterial("M", 1);
  LoadMaterial("M", 1);
  EXPECT_EQ(std::distance(LoadedMaterials().begin(), LoadedMaterials().end()), 2);
  EXPECT_EQ(std::distance(TextureCache().begin(), TextureCache().end()), 1);
  FreeTexturesAndMaterials();
  EXPECT_TRUE(LoadedMaterials().empty());
  EXPECT_TRUE(TextureCache().empty());
}

TEST_F(MaterialLoadingTest, InterpolatedColourMixesTheAmbientIntoTheDiffuse) {
  Put("M.mtl", PlainMaterialFile({204, 0, 102, 51, 255, 0, 0, 0, 0, 50, 0}));
  CMaterial& m = *LoadMaterial("M", 0);
  m.MixAmbientIntoDiffuse();
  // screen(D, 0.75 A) = D + 0.75 A - D x 0.75 A
  const double ambient[3] = {0.8, 0, 0.4}, diffuse[3] = {0.2, 1, 0};
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(m.diffuse[i], diffuse[i] + 0.75 * ambient[i] - diffuse[i] * 0.75 * ambient[i], 1e-6) << i;
    EXPECT_NEAR(m.ambient[i], ambient[i], 1e-6);
  }
}

}  // namespace
