#include "platform/qt/qt_settings_store.h"

#include <filesystem>

#include "qt_test.h"
#include "services/layer_table.h"

namespace {

using QtSettingsStoreTest = QtTest;

TEST_F(QtSettingsStoreTest, LayersTravelThroughTheIniFileOfTheStore) {
  LoadLayerSettings();
  EXPECT_EQ(LayerTable[0].name, "Layer 1");
  LayerTable[2].name = "Stones";
  LayerColors[2] = 0x102030;
  SaveLayerSettings();
  platform().settings().Sync();
  const std::string ini = settingsFolder().File("Kelmora/Lumidrex.conf");
  ASSERT_TRUE(std::filesystem::exists(ini));
  const std::vector<std::uint8_t> bytes = ReadWholeFile(ini);
  const std::string text(bytes.begin(), bytes.end());
  EXPECT_NE(text.find("[Config]"), std::string::npos);
  EXPECT_NE(text.find("LayerName002=Stones"), std::string::npos);

  ResetLayerTable();
  QtSettingsStore fresh;  // reads the file anew
  EXPECT_EQ(fresh.ReadString("Config", "LayerName002", ""), "Stones");
  EXPECT_EQ(fresh.ReadInt("Config", "ColorUnPk002", 0), 0x102030);
  EXPECT_EQ(fresh.ReadInt("Config", "Missing", 7), 7);
}

}  // namespace
