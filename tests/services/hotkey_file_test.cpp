#include "services/hotkey_file.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "platform/program_folder.h"
#include "program_state.h"
#include "scratch_file.h"
#include "services/hotkey_keys.h"
#include "services/hotkey_table.h"
#include "services/menu_builder.h"
#include "services/menu_hotkey_text.h"
#include "temp_dir.h"

namespace {

// The built-in set, byte by byte as its table gives it: magic, 32, the 32 records, 0x70 0x00.
Bytes DefaultFileFixture() {
  const std::string hex =
      "4c756d69647265784b657930353020000000094e0000e1094f0001e109530003"
      "e1014200ea03095a002be10959002ce1012e00d007015a00ba0b0157001d0c01"
      "51001c0c0145001e0c0141001f0c015300200c014400210c014600810c015200"
      "820c015400830c014b00840c014c00850c014d00860c003300800c012000100e"
      "0926000410092800071009250006100927000510052600ed13052800ee130525"
      "00ef13052700f01301700043e105700045e17000";
  Bytes bytes;
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    bytes.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

// A hotkey file: a magic, a count and records {flags, key code, command}.
Bytes HotkeyFile(const std::string& magic, std::int32_t count, const std::vector<HotkeyEntry>& records) {
  Bytes bytes(magic.begin(), magic.end());
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(count) >> (8 * i)));
  for (const HotkeyEntry& r : records) {
    bytes.insert(bytes.end(), {r.flags, static_cast<std::uint8_t>(r.key), static_cast<std::uint8_t>(r.key >> 8),
                               static_cast<std::uint8_t>(r.command), static_cast<std::uint8_t>(r.command >> 8)});
  }
  return bytes;
}

KeyStroke Virtual(int key, bool ctrl = false, bool shift = false) { return {key, 0, shift, ctrl, false}; }
KeyStroke Typed(int key, char character, bool ctrl = false, bool shift = false) {
  return {key, character, shift, ctrl, false};
}

class HotkeyFileTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    SetProgramDirOverride(programFolder.path());
    SetUserDataDirOverride(userFolder.File("Kelmora/Lumidrex"));
  }
  TempDir programFolder;
  TempDir userFolder;
};

TEST_F(HotkeyFileTest, TheBuiltInSetIsItsTableAndLoadsWithoutWritingAnyFile) {
  ScratchFile out;
  WriteDefaultHotkeysFile(out.file());
  EXPECT_EQ(out.Contents(), DefaultFileFixture());

  const std::filesystem::path shared = std::filesystem::temp_directory_path() / "hotkeys";
  const bool sharedBefore = std::filesystem::exists(shared);
  LoadHotkeys();
  EXPECT_EQ(HotkeyTable.size(), 32u);
  EXPECT_EQ(ProgramAccelerators().Records().size(), 32u);
  EXPECT_TRUE(programFolder.Entries().empty());
  EXPECT_TRUE(userFolder.Entries().empty());
  EXPECT_EQ(std::filesystem::exists(shared), sharedBefore);
}

TEST_F(HotkeyFileTest, KeyPressesFindTheFirstRecordThatMatchesExactly) {
  LoadHotkeys();
  const struct {
    KeyStroke stroke;
    int command;  // 0: none
  } cases[] = {
      {Typed(0x4E, 'n', true), 57600},        {Typed(0x42, 'b'), 1002},
      {Typed(0x20, ' '), 3600},               {Virtual(0x70), 57667},
      {Virtual(0x70, false, true), 57669},    {Typed(0x33, '3'), 3200},
      {Typed(0x63, '3'), 3200},               {Virtual(0x26, true), 4100},
      {Virtual(0x25, false, true), 5103},     {Typed(0x4E, 'N', true, true), 0},
      {Typed(0x42, 'B', false, true), 0},     {Typed(0x33, '3', true), 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    const std::optional<int> found = ProgramAccelerators().CommandFor(c.stroke);
    EXPECT_EQ(found.value_or(0), c.command);
  }
  // Two records for one key: the first in table order wins.
  AcceleratorTable twice;
  twice.Replace({{1, 0x51, 3100}, {1, 0x51, 3105}});
  EXPECT_EQ(twice.CommandFor(Typed(0x51, 'q')), 3100);
  // Ctrl+/ is a character record with Ctrl: only Ctrl and that character fire it.
  twice.Replace({{8, 0x2F, 3440}});
  EXPECT_EQ(twice.CommandFor(Typed(0xBF, '/', true)), 3440);
  EXPECT_EQ(twice.CommandFor(Typed(0xBF, '/')), std::nullopt);
}

// Every damaged file is read the same way at start-up and by the dialog's Load; here through
// the start-up path (the dialog's own test loads the same reader).
TEST_F(HotkeyFileTest, DamagedFilesReadOnlyWhatTheyHoldWhole) {
  const std::string magic = "LumidrexKey050";
  const std::string old = "LumidrexHotkey";
  Bytes cut = HotkeyFile(magic, 2, {{9, 0x53, 57603}, {1, 0x42, 1002}});
  cut.resize(cut.size() - 2);
  const struct {
    const char* name;
    Bytes bytes;
    std::vector<HotkeyEntry> table;  // key indexes
    bool read;
  } cases[] = {
      {"older magic", HotkeyFile(old, 4, {{1, 0x41, 4016}, {1, 0x42, 4077}, {1, 0x43, 2933}, {1, 0x44, 3002}}),
       {{1, 0, 4005}, {1, 1, 4003}, {1, 2, 9120}, {1, 3, 3002}}, true},
      {"a count of 0", HotkeyFile(magic, 0, {{1, 0x41, 3100}}), {}, true},
      {"a count of -1", HotkeyFile(magic, -1, {{1, 0x41, 3100}}), {}, true},
      {"a count of a million", HotkeyFile(magic, 1000000, {{1, 0x41, 3100}, {1, 0x42, 3101}}),
       {{1, 0, 3100}, {1, 1, 3101}}, true},
      {"a last record cut short", cut, {{9, 18, 57603}}, true},
      {"ten bytes", Bytes(magic.begin(), magic.begin() + 10), {}, false},
      {"a wrong magic", HotkeyFile("LumidrexKey049", 1, {{1, 0x41, 3100}}), {}, false},
      {"unknown key codes", HotkeyFile(magic, 2, {{1, 0x90, 3100}, {0, 0x61, 3101}}),
       {{1, kNoKey, 3100}, {0, kNoKey, 3101}}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ResetProgramState();
    SetProgramDirOverride(programFolder.path());
    SetUserDataDirOverride(userFolder.File("Kelmora/Lumidrex"));
    const std::vector<HotkeyEntry> before = {{1, 0x5A, 3002}};
    HotkeyTable = before;
    programFolder.Write("hotkeys", c.bytes);
    LoadHotkeys();
    EXPECT_EQ(HotkeyTable, c.read ? c.table : before);
    if (!c.read) {
      ASSERT_FALSE(Headless().statusTexts.empty());
      EXPECT_EQ(Headless().statusTexts.back(), "Invalid file format! " + programFolder.File("hotkeys"));
    }
  }
  // An unknown code still works as an accelerator: only the table lacks its key.
  EXPECT_EQ(ProgramAccelerators().CommandFor(Virtual(0x90)), 3100);
}

TEST_F(HotkeyFileTest, NamesAndAcceleratorRecords) {
  const struct {
    HotkeyEntry entry;  // key index
    const char* text;
  } names[] = {
      {{1, 86, 1}, "Delete"}, {{0, 45, 2}, "."}, {{1, 79, 3}, "F12"}, {{1, 89, 4}, "PageUp"},
      {{0, kNoKey, 5}, ""},   {{0x19, 18, 6}, "Ctrl+S"}, {{0x0D, 83, 7}, "Ctrl+Shift+BackSpace"},
  };
  for (const auto& n : names) HotkeyTable.push_back(n.entry);
  for (const auto& n : names) EXPECT_EQ(GetHotkeyText(n.entry.command), n.text) << n.entry.command;
  EXPECT_EQ(GetHotkeyText(99), "");
  // The lookup finds what the table's codes give, later keys winning a shared code.
  const KeyIndexLookup lookup;
  EXPECT_EQ(lookup.IndexOf(0x2E, true), 86);
  EXPECT_EQ(lookup.IndexOf(0x2E, false), 45);
  EXPECT_EQ(lookup.IndexOf(0x7B, true), 79);
  EXPECT_EQ(lookup.IndexOf(0x21, true), 89);
  EXPECT_EQ(lookup.IndexOf(0x61, false), kNoKey);

  const struct {
    HotkeyEntry entry;  // key index
    HotkeyEntry record;  // key code
  } records[] = {
      {{kHotkeyShift, 30, 1}, {5, 0x35, 1}},  // "5" with Shift
      {{0, 30, 2}, {0, 0x35, 2}},             // "5" alone
      {{kHotkeyCtrl, 46, 3}, {8, 0x2F, 3}},   // "/" with Ctrl
      {{0, 0, 4}, {1, 0x41, 4}},              // "A"
      {{0, 70, 5}, {1, 0x72, 5}},             // "F3"
  };
  for (const auto& r : records) EXPECT_EQ(MakeAccelRecord(r.entry), r.record) << r.entry.command;
}

TEST_F(HotkeyFileTest, MenuItemsShowTheirHotkeysAfterATab) {
  HotkeyTable = {{9, 18, 57603}, {1, 25, 3002}};
  MenuItem bar = MenuItem::Popup("");
  MenuItem file = MenuItem::Popup("&File");
  file.items = {MenuItem::Command(57603, "&Save"), MenuItem::Command(57604, "Save &As\tCtrl+A"),
                MenuItem::Command(1000, "\tIndented"), MenuItem::Separator(),
                MenuItem::Command(kFirstRecentFileItem, "&1 ring.lxd\told")};
  bar.items = {file, MenuItem::Command(3002, "Fine Sna&p")};
  WriteMenuHotkeyText(bar);
  EXPECT_EQ(bar.items[0].text, "&File");
  EXPECT_EQ(bar.items[0].items[0].text, "&Save\tCtrl+S");
  EXPECT_EQ(bar.items[0].items[1].text, "Save &As");
  EXPECT_EQ(bar.items[0].items[2].text, "\tIndented");
  EXPECT_EQ(bar.items[0].items[4].text, "&1 ring.lxd\told");
  EXPECT_EQ(bar.items[1].text, "Fine Sna&p\tZ");

  // The program's own bar, after the load and again after a language change rebuilt it.
  HotkeyTable.clear();
  LoadHotkeys();
  const auto saveText = [] {
    for (const MenuItem& item : CurrentMenuBar().items[0].items) {
      if (item.id == 57603) return item.text;
    }
    return std::string();
  };
  EXPECT_EQ(saveText(), "&Save\tCtrl+S");
  BuildMenus();
  EXPECT_EQ(saveText(), "&Save\tCtrl+S");
}

// Writes go where the next start reads first; a folder is made unwritable by a regular file
// standing where it should be (tests may run as root).
TEST_F(HotkeyFileTest, TheHotkeysFileGoesWhereTheNextStartLooksFirst) {
  const std::vector<HotkeyEntry> records = {{9, 0x53, 57603}};
  const Bytes written = HotkeyFile("LumidrexKey050", 1, records);
  struct Case {
    const char* name;
    bool programWritable, userFileExists, userWritable;
    const char* writtenTo;  // "program", "user" or none
  };
  const Case cases[] = {
      {"a writable program folder", true, false, true, "program"},
      {"a program folder that cannot be written", false, false, true, "user"},
      {"a user file that exists", true, true, true, "user"},
      {"nowhere", false, false, false, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir root;
    std::string program = root.File("program");
    std::filesystem::create_directory(program);
    if (!c.programWritable) program = root.Write("blocked", std::string_view("a file")) + "/program";
    std::string user = root.File("config/Kelmora/Lumidrex");
    if (!c.userWritable) user = root.Write("config", std::string_view("a file")) + "/Kelmora/Lumidrex";
    SetProgramDirOverride(program);
    SetUserDataDirOverride(user);
    if (c.userFileExists) {
      std::filesystem::create_directories(user);
      root.Write("config/Kelmora/Lumidrex/hotkeys", HotkeyFile("LumidrexKey050", 0, {}));
    }
    EXPECT_EQ(SaveProgramHotkeysFile(records), c.writtenTo != nullptr);
    const std::string expected = c.writtenTo == nullptr ? std::string()
                                 : std::string(c.writtenTo) == "program" ? program + "/hotkeys"
                                                                         : user + "/hotkeys";
    EXPECT_EQ(HotkeysFileToRead(), expected);
    if (!expected.empty()) {
      EXPECT_EQ(ReadWholeFile(expected), written);
    }
    if (std::string(c.writtenTo ? c.writtenTo : "") == "user" && !c.userFileExists) {
      EXPECT_EQ(std::filesystem::status(user).permissions() & std::filesystem::perms::all,
                std::filesystem::perms::owner_all);
    }
  }
}

}  // namespace
