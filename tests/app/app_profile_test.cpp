#include "app/app_profile.h"

#include <bit>
#include <cstdint>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "platform/platform_services.h"
#include "platform/program_folder.h"
#include "platform/settings_store.h"
#include "program_state.h"
#include "scene/view_commands.h"
#include "services/app_settings.h"
#include "services/layer_table.h"
#include "temp_dir.h"

namespace {

// A profile that notes the order of its writes; installed as the program's store, since the
// layer table reads and writes there.
class RecordingStore : public SettingsStore {
 public:
  int ReadInt(const std::string& group, const std::string& key, int fallback) override {
    const auto value = ints.find(group + "/" + key);
    return value != ints.end() ? value->second : fallback;
  }
  void WriteInt(const std::string& group, const std::string& key, int value) override {
    ints[group + "/" + key] = value;
    writes.push_back(group + "/" + key);
  }
  std::string ReadString(const std::string& group, const std::string& key, const std::string& fallback) override {
    const auto value = texts.find(group + "/" + key);
    return value != texts.end() ? value->second : fallback;
  }
  void WriteString(const std::string& group, const std::string& key, const std::string& value) override {
    texts[group + "/" + key] = value;
    writes.push_back(group + "/" + key);
  }

  std::map<std::string, int> ints;
  std::map<std::string, std::string> texts;
  std::vector<std::string> writes;
};

class AppProfileTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    InstallPlatformServices({.settings = &store});
    SetProgramDirOverride(programFolder.path());
  }

  RecordingStore store;
  TempDir programFolder;
};

TEST_F(AppProfileTest, ZoomFactorTakesOnlyASaneScale) {
  struct Case {
    std::uint32_t bits;
    float zoom;
  };
  const Case cases[] = {
      {0x3E4CCCCD, 0.2f},
      {std::bit_cast<std::uint32_t>(0.35f), 0.35f},
      {std::bit_cast<std::uint32_t>(0.001f), 0.001f},
      {std::bit_cast<std::uint32_t>(100.0f), 100.0f},
      {0x7FC00000, 0.2f},  // NaN
      {0x7F800000, 0.2f},  // +inf
      {0xFF800000, 0.2f},  // -inf
      {0x00000000, 0.2f},
      {std::bit_cast<std::uint32_t>(-1.0f), 0.2f},
      {std::bit_cast<std::uint32_t>(1000.0f), 0.2f},
      {std::bit_cast<std::uint32_t>(0.0009f), 0.2f},
      {0x00000001, 0.2f},  // the smallest subnormal
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bits);
    store.ints["View/ZoomFactor"] = static_cast<int>(c.bits);
    LoadAppSettings(store);
    EXPECT_EQ(OneToOneZoom, c.zoom);
  }

  // 0.35 survives shut-down and the next start.
  store.ints["View/ZoomFactor"] = std::bit_cast<int>(0.35f);
  LoadAppSettings(store);
  SaveAppSettings(store);
  OneToOneZoom = 0.2f;
  LoadAppSettings(store);
  EXPECT_EQ(OneToOneZoom, 0.35f);
}

TEST_F(AppProfileTest, AFreshProfileGivesTheDefaults) {
  LoadAppSettings(store);
  EXPECT_EQ(OneToOneZoom, 0.2f);
  EXPECT_EQ(UseEnglishLang, 1);
  EXPECT_EQ(ColorBack, 0xC8C8C8u);
  EXPECT_EQ(ColorText, 0x888888u);
  EXPECT_EQ(DataBaseDir, "database");
  EXPECT_EQ(MaterialDir, "material");
  EXPECT_EQ(LayerTable[19].name, "Layer 20");
  EXPECT_EQ(CustomColors[15], 0xFFFFFFu);
  EXPECT_EQ(CfgDeskProto + CfgMeiko + CfgObjet + CfgCimagraphi + CfgPerfactory, 0);
  SaveAppSettings(store);
  EXPECT_EQ(store.ints["View/ZoomFactor"], 0x3E4CCCCD);
}

TEST_F(AppProfileTest, ValuesSurviveShutDownAndTheNextStartInTheirOrder) {
  UseEnglishLang = 0;
  ColorBack = 0x102030;
  ColorAxis = 0x405060;
  ColorGrid = 0x708090;
  ColorText = 0xA0B0C0;
  ColorPick = 0x00FF00;
  LanguageFileName = "Deutsch.str";
  DataBaseDir = "/srv/designs";
  MaterialDir = "materials2";
  OneToOneZoom = 0.5f;
  LayerTable[3].name = "Stones";
  LayerColors[3] = 0x123456;
  CustomColors[7] = 0xABCDEF;
  SaveAppSettings(store);

  const std::vector<std::string> profile = {
      "Config/UseEnglishLang", "Config/ColorBack",       "Config/ColorAxis",     "Config/ColorGrid",
      "Config/ColorText",      "Config/ColorPick",       "Config/LanguageStrings", "Config/DirDataBase",
      "Config/DirMaterial",    "View/ZoomFactor",        "Config/ColorUnPk000"};
  ASSERT_EQ(store.writes.size(), 10u + 40u + 16u);
  EXPECT_EQ(std::vector<std::string>(store.writes.begin(), store.writes.begin() + 11), profile);
  EXPECT_EQ(store.writes[49], "Config/LayerName019");
  EXPECT_EQ(store.writes[50], "Config/CustomColor00");
  EXPECT_EQ(store.writes[65], "Config/CustomColor15");
  EXPECT_EQ(store.ints["Config/ColorPick"], 0x00FF00);

  ResetProgramState();
  InstallPlatformServices({.settings = &store});
  LoadAppSettings(store);
  EXPECT_EQ(UseEnglishLang, 0);
  EXPECT_EQ(ColorBack, 0x102030u);
  EXPECT_EQ(ColorAxis, 0x405060u);
  EXPECT_EQ(ColorGrid, 0x708090u);
  EXPECT_EQ(ColorText, 0xA0B0C0u);
  EXPECT_EQ(ColorPick, 0x00FF00u);
  EXPECT_EQ(LanguageFileName, "Deutsch.str");
  EXPECT_EQ(DataBaseDir, "/srv/designs");
  EXPECT_EQ(MaterialDir, "materials2");
  EXPECT_EQ(OneToOneZoom, 0.5f);
  EXPECT_EQ(LayerTable[3].name, "Stones");
  EXPECT_EQ(LayerColors[3], 0x123456u);
  EXPECT_EQ(CustomColors[7], 0xABCDEFu);
  EXPECT_EQ(CustomColors[8], 0xFFFFFFu);
}

TEST_F(AppProfileTest, TheSettingsFileNamesOutsideProgramsInAnyCase) {
  struct Case {
    std::string text;
    std::vector<int> flags;  // Meiko, Cimagraphi, DeskProto, Objet, Perfactory
  };
  const Case cases[] = {
      {"DESKPROTO", {0, 0, 1, 0, 0}},
      {"  Meiko\r\nobjet\tunknown deskproto2\n", {1, 0, 0, 1, 0}},
      // A word beyond 255 characters is read in pieces of 255.
      {std::string(255, 'x') + "Cimagraphi " + std::string(254, 'y') + "perfactory", {0, 1, 0, 0, 0}},
      {"", {0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 40));
    ResetProgramState();
    SetProgramDirOverride(programFolder.path());
    programFolder.Write("Lumidrex.cfg", c.text);
    LoadAppSettings(*Platform().settings);
    EXPECT_EQ((std::vector<int>{CfgMeiko, CfgCimagraphi, CfgDeskProto, CfgObjet, CfgPerfactory}), c.flags);
  }
}

}  // namespace
