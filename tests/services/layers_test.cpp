#include <filesystem>

#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "program_state.h"
#include "scratch_file.h"
#include "services/layer_file.h"
#include "services/layer_table.h"
#include "services/layers_dialog.h"
#include "temp_dir.h"

namespace {

void AppendName(Bytes* bytes, std::u16string_view name) {
  Append<std::int32_t>(bytes, static_cast<std::int32_t>(name.size()));
  for (const char16_t unit : name) Append<std::uint16_t>(bytes, unit);
}

Bytes Magic() {
  const std::string_view magic = "LumidrexLayer050";
  return Bytes(magic.begin(), magic.end());
}

// A record: index, name, colour.
void AppendRecord(Bytes* bytes, std::int32_t index, std::u16string_view name, std::uint32_t color) {
  Append<std::int32_t>(bytes, index);
  AppendName(bytes, name);
  Append<std::uint32_t>(bytes, color);
}

class LayersTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    LoadLayerSettings();
  }
  // Runs the dialog's Load button on a file with the given bytes.
  std::string Load(CLayersDlg* dialog, const Bytes& bytes) {
    const std::string path = folder.Write("in.lyr", bytes);
    Headless().fileAnswers.push_back(FileDialogAnswer{path, 1});
    dialog->OnLoadLayerFile();
    return Headless().messages.empty() ? "" : Headless().messages.back().text;
  }
  TempDir folder;
};

TEST_F(LayersTest, AFreshStoreGivesNumberedNamesAndTheBuiltInColours) {
  EXPECT_EQ(LayerTable[0].name, "Layer 1");
  EXPECT_EQ(LayerTable[19].name, "Layer 20");
  EXPECT_EQ(LayerColors[0], 0xDF9F9Fu);
  EXPECT_EQ(LayerColors[5], 0xAF0000u);
  EXPECT_EQ(LayerTable[5].color, 0xAF0000u);
  EXPECT_EQ(LayerColors, kBuiltInLayerColors);
}

TEST_F(LayersTest, TheSettingsStoreKeepsNamesAndColours) {
  LayerTable[3].name = "Stones";
  LayerColors[3] = 0x123456;
  SaveLayerSettings();
  EXPECT_EQ(Headless().settingTexts.at("Config/LayerName003"), "Stones");
  EXPECT_EQ(Headless().settingInts.at("Config/ColorUnPk003"), 0x123456);
  EXPECT_EQ(Headless().settingInts.at("Config/ColorUnPk019"), 0);
  LayerTable[3].name = "x";
  LoadLayerSettings();
  EXPECT_EQ(LayerTable[3].name, "Stones");
  EXPECT_EQ(LayerTable[3].color, 0x123456u);
}

TEST_F(LayersTest, TheFlagsAnswerOnlyForLayersZeroToNineteen) {
  LayerTable[4].pickable = 0;
  LayerTable[6].visible = 0;
  EXPECT_EQ(IsLayerPickable(4), 0);
  EXPECT_EQ(IsLayerVisible(4), 1);
  EXPECT_EQ(IsLayerVisible(6), 0);
  EXPECT_EQ(IsLayerPickable(19), 1);
  EXPECT_EQ(IsLayerVisible(20), 0);
  EXPECT_EQ(IsLayerPickable(-1), 0);
}

TEST_F(LayersTest, AHandMadeFileReadsAndTheWriterReproducesIt) {
  LayerSet layers;
  Bytes bytes = Magic();
  Append<std::int32_t>(&bytes, 20);
  for (int i = 0; i < 20; ++i) {
    const std::string number = std::to_string(i);
    layers[i].name = i == 2 ? "Gr\xC3\xBCn" : "L" + number;
    layers[i].color = 0x010203u * static_cast<std::uint32_t>(i);
    AppendRecord(&bytes, i, i == 2 ? u"Gr\u00FCn" : u"L" + std::u16string(number.begin(), number.end()),
                 layers[i].color);
  }
  Append<std::int32_t>(&bytes, -1);

  LayerSet read;
  ASSERT_EQ(ReadLayerFile(folder.Write("a.lyr", bytes), &read), LayerFileResult::kRead);
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(read[i].name, layers[i].name);
    EXPECT_EQ(read[i].color, layers[i].color);
  }
  ASSERT_TRUE(WriteLayerFile(folder.File("b.lyr"), read));
  EXPECT_EQ(ReadWholeFile(folder.File("b.lyr")), bytes);
}

TEST_F(LayersTest, NamesAndColoursTravelInLayerFilesButTheFlagsDoNot) {
  CLayersDlg saver;
  saver.OnInitDialog();
  saver.working[7].name = "Gems";
  saver.working[7].color = 0x00FF00;
  saver.working[7].visible = 0;
  Headless().fileAnswers.push_back(FileDialogAnswer{folder.File("set"), 1});
  saver.OnSaveLayerFile();
  EXPECT_TRUE(std::filesystem::exists(folder.File("set.lyr")));

  CLayersDlg loader;
  loader.OnInitDialog();
  int refills = 0;
  loader.onWorkingCopyChanged = [&] { ++refills; };
  Headless().fileAnswers.push_back(FileDialogAnswer{folder.File("set.lyr"), 1});
  loader.OnLoadLayerFile();
  EXPECT_EQ(refills, 1);
  EXPECT_EQ(loader.working[7].name, "Gems");
  EXPECT_EQ(loader.working[7].color, 0x00FF00u);
  EXPECT_EQ(loader.working[7].visible, 1);
  EXPECT_EQ(LayerTable[7].name, "Layer 8");  // the live table changes only on OK
  loader.OnOK();
  EXPECT_EQ(LayerTable[7].name, "Gems");
}

TEST_F(LayersTest, AFileWithOnlySomeLayersChangesOnlyThose) {
  Bytes bytes = Magic();
  Append<std::int32_t>(&bytes, 20);
  AppendRecord(&bytes, 7, u"Seven", 7);
  AppendRecord(&bytes, 3, u"Three", 3);
  Append<std::int32_t>(&bytes, -1);
  CLayersDlg dialog;
  dialog.OnInitDialog();
  EXPECT_EQ(Load(&dialog, bytes), "");
  for (int i = 0; i < 20; ++i) {
    const bool named = i == 3 || i == 7;
    EXPECT_EQ(dialog.working[i].name, named ? (i == 3 ? "Three" : "Seven") : LayerTable[i].name) << i;
    EXPECT_EQ(dialog.working[i].color, named ? static_cast<std::uint32_t>(i) : LayerTable[i].color) << i;
  }
}

TEST_F(LayersTest, BadFilesChangeNothing) {
  const auto file = [](std::int32_t index, std::int32_t units) {
    Bytes bytes = Magic();
    Append<std::int32_t>(&bytes, 20);
    AppendRecord(&bytes, 1, u"One", 1);
    Append<std::int32_t>(&bytes, index);
    Append<std::int32_t>(&bytes, units);
    for (std::int32_t i = 0; i < std::min(units, 8); ++i) Append<std::uint16_t>(&bytes, u'n');
    Append<std::uint32_t>(&bytes, 5);
    Append<std::int32_t>(&bytes, -1);
    return bytes;
  };
  Bytes wrongMagic = file(2, 1);
  wrongMagic[0] = 'l';
  const Bytes magic = Magic();
  const struct {
    const char* name;
    Bytes bytes;
  } cases[] = {{"wrong magic", wrongMagic},
               {"index 20", file(20, 1)},
               {"n = -1", file(2, -1)},
               {"n = 5000", file(2, 5000)},
               {"shorter than the magic", Bytes(magic.begin(), magic.begin() + 10)}};
  for (const auto& c : cases) {
    CLayersDlg dialog;
    dialog.OnInitDialog();
    EXPECT_EQ(Load(&dialog, c.bytes), "Invalid file format!\n" + folder.File("in.lyr")) << c.name;
    EXPECT_EQ(dialog.working[1].name, "Layer 2") << c.name;
  }
  CLayersDlg dialog;
  Headless().fileAnswers.push_back(FileDialogAnswer{folder.File("missing.lyr"), 1});
  dialog.OnLoadLayerFile();
  EXPECT_EQ(Headless().messages.back().text, "Cannot open file!\n" + folder.File("missing.lyr"));
}

TEST_F(LayersTest, ARecordCutOffIsNotAppliedButTheOnesBeforeItAre) {
  Bytes bytes = Magic();
  Append<std::int32_t>(&bytes, 20);
  AppendRecord(&bytes, 1, u"One", 1);
  Append<std::int32_t>(&bytes, 2);
  AppendName(&bytes, u"Two");  // no colour follows
  CLayersDlg dialog;
  dialog.OnInitDialog();
  EXPECT_EQ(Load(&dialog, bytes), "");
  EXPECT_EQ(dialog.working[1].name, "One");
  EXPECT_EQ(dialog.working[2].name, "Layer 3");
}

TEST_F(LayersTest, AFailingSaveKeepsTheOldFile) {
  // A name so long that no temporary file can stand beside it (even for root).
  const std::string path = folder.Write(std::string(250, 'x') + ".lyr", std::string_view("old contents"));
  CLayersDlg dialog;
  dialog.OnInitDialog();
  Headless().fileAnswers.push_back(FileDialogAnswer{path, 1});
  Headless().messageAnswers.push_back(kAnswerYes);  // replace it
  dialog.OnSaveLayerFile();
  EXPECT_EQ(Headless().messages.back().text, "Cannot write to file!\n" + path);
  EXPECT_EQ(ReadWholeFile(path), Bytes({'o', 'l', 'd', ' ', 'c', 'o', 'n', 't', 'e', 'n', 't', 's'}));
}

}  // namespace
