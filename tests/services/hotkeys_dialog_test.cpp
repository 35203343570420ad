#include "services/hotkeys_dialog.h"

#include <filesystem>
#include <string>
#include <vector>

#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "platform/program_folder.h"
#include "program_state.h"
#include "scratch_file.h"
#include "services/hotkey_file.h"
#include "services/hotkey_keys.h"
#include "services/menu_builder.h"
#include "temp_dir.h"

namespace {

const std::string kNoHotkey = "\t\t\t\t\t\t\t\t\t|\t";

// File: New, Open, Delete, a separator, Save As; View > Pan View > Up, Down.
MenuItem SmallMenuBar() {
  MenuItem bar = MenuItem::Popup("");
  MenuItem file = MenuItem::Popup("&File");
  file.items = {MenuItem::Command(57600, "&New"), MenuItem::Command(57601, "&Open\tCtrl+O"),
                MenuItem::Command(2000, "&Delete"), MenuItem::Separator(), MenuItem::Command(57604, "Save &As")};
  MenuItem pan = MenuItem::Popup("Pan View");
  pan.items = {MenuItem::Command(3400, "Up"), MenuItem::Command(3401, "Down")};
  MenuItem view = MenuItem::Popup("&View");
  view.items = {pan};
  bar.items = {file, view};
  return bar;
}

Bytes HotkeyFile(std::int32_t count, const std::vector<HotkeyEntry>& records) {
  Bytes bytes = {'L', 'u', 'm', 'i', 'd', 'r', 'e', 'x', 'K', 'e', 'y', '0', '5', '0'};
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(count) >> (8 * i)));
  for (const HotkeyEntry& r : records) {
    bytes.insert(bytes.end(), {r.flags, static_cast<std::uint8_t>(r.key), static_cast<std::uint8_t>(r.key >> 8),
                               static_cast<std::uint8_t>(r.command), static_cast<std::uint8_t>(r.command >> 8)});
  }
  return bytes;
}

std::string Text(const std::string& path) {
  const Bytes bytes = ReadWholeFile(path);
  return std::string(bytes.begin(), bytes.end());
}

class HotkeysDialogTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    SetProgramDirOverride(programFolder.path());
    SetUserDataDirOverride(userFolder.File("Kelmora/Lumidrex"));
    MutableMenuBar() = SmallMenuBar();
    // Ctrl+N on New, Delete on Delete.
    HotkeyTable = {{9, 13, 57600}, {1, 86, 2000}};
    dialog.OnInitDialog();
  }
  // The define dialog answers as a user would: the boxes and the key chosen, then OK.
  void AnswerDefine(int ctrl, int shift, int keyIndex) {
    Headless().AnswerDialog(CHotkeyDefineDlg::kName, [=](DialogModel& model) {
      auto& define = static_cast<CHotkeyDefineDlg&>(model);
      define.ctrl = ctrl;
      define.shift = shift;
      define.keyIndex = keyIndex;
      return kAnswerOk;
    });
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& message : Headless().messages) texts.push_back(message.text);
    return texts;
  }

  TempDir programFolder;
  TempDir userFolder;
  TempDir files;
  CHotkeysDlg dialog;
};

TEST_F(HotkeysDialogTest, MenuTextsAreCleanedForThePath) {
  const struct {
    const char* text;
    const char* cleaned;
  } cases[] = {{"&New", "New"}, {"Letter(&L)", "Letter"}, {"Cut&&&Paste", "Cut&Paste"}, {"&Save\tCtrl+S", "Save"},
               {"\tLeading", ""}, {"Trailing&", "Trailing"}};
  for (const auto& c : cases) EXPECT_EQ(CleanMenuText(c.text), c.cleaned) << c.text;
  EXPECT_EQ(CountMenuCommands(SmallMenuBar()), 9);
}

// The first item of a popup carries the whole path; later ones tabs that reach as far.
TEST_F(HotkeysDialogTest, EachCommandIsALineWithItsHotkeyAndItsPath) {
  // "File - " is 56 pixels wide, its tab reaches 60: three tab stops of 20.
  const std::vector<std::string> lines = {
      "Ctrl\t\t\t\tN\t\t\t\t|\tFile - \tNew",
      kNoHotkey + "\t\t\tOpen",
      "\t\t\t\t\tDelete\t\t|\t\t\t\tDelete",
      kNoHotkey + "\t\t\tSave As",
      kNoHotkey + "View - \tPan View - \tUp",
      kNoHotkey + "\t\t\t\t\t\t\t\tDown",
  };
  EXPECT_EQ(dialog.lines, lines);
  EXPECT_EQ(dialog.selection, 0);
  ASSERT_EQ(dialog.workList.size(), 6u);
  EXPECT_EQ(dialog.workList[0], (HotkeyEntry{9, 13, 57600}));
  EXPECT_EQ(dialog.workList[1], (HotkeyEntry{0, kNoKey, 57601}));
}

TEST_F(HotkeysDialogTest, DefineAndRemoveChangeOneLineAndKeepItsPath) {
  // Nothing selected: line 0.
  dialog.selection = -1;
  AnswerDefine(0, 1, 70);  // Shift+F3
  dialog.OnDefineHotkey();
  EXPECT_EQ(dialog.lines[0], "\t\t Shift\t\tF3\t\t\t\t|\tFile - \tNew");
  EXPECT_EQ(dialog.workList[0], (HotkeyEntry{kHotkeyShift, 70, 57600}));
  EXPECT_EQ(dialog.selection, 0);

  // OK without a key chosen changes nothing.
  const std::vector<std::string> before = dialog.lines;
  dialog.selection = 3;
  AnswerDefine(1, 0, -1);
  dialog.OnDefineHotkey();
  EXPECT_EQ(dialog.lines, before);

  dialog.selection = 2;
  dialog.OnRemoveHotkey();
  EXPECT_EQ(dialog.lines[2], kNoHotkey + "\t\t\tDelete");

  // An empty list asks nothing.
  CHotkeysDlg empty;
  MutableMenuBar() = MenuItem::Popup("");
  empty.OnInitDialog();
  EXPECT_EQ(empty.selection, -1);
  empty.OnDefineHotkey();
  EXPECT_EQ(Headless().dialogsRun.size(), 2u);
}

TEST_F(HotkeysDialogTest, OkMakesTheListTheProgramsHotkeysAndWritesThem) {
  dialog.selection = 2;
  dialog.OnRemoveHotkey();
  dialog.OnOK();
  EXPECT_EQ(HotkeyTable, (std::vector<HotkeyEntry>{{9, 13, 57600}}));
  EXPECT_EQ(ProgramAccelerators().Records(), (std::vector<HotkeyEntry>{{9, 0x4E, 57600}}));
  EXPECT_EQ(CurrentMenuBar().items[0].items[2].text, "&Delete");
  EXPECT_EQ(CurrentMenuBar().items[0].items[0].text, "&New\tCtrl+N");
  EXPECT_EQ(ReadWholeFile(programFolder.File("hotkeys")), HotkeyFile(1, {{9, 0x4E, 57600}}));

  // With every hotkey removed: nothing works, nothing shows, the file holds none.
  dialog.selection = 0;
  dialog.OnRemoveHotkey();
  dialog.OnOK();
  EXPECT_TRUE(HotkeyTable.empty());
  EXPECT_TRUE(ProgramAccelerators().Records().empty());
  EXPECT_EQ(CurrentMenuBar().items[0].items[0].text, "&New");
  EXPECT_EQ(ReadWholeFile(programFolder.File("hotkeys")), HotkeyFile(0, {}));
  LoadHotkeys();
  EXPECT_TRUE(HotkeyTable.empty());
  EXPECT_TRUE(ProgramAccelerators().Records().empty());
}

TEST_F(HotkeysDialogTest, NoPlaceForTheFileSaysSoAndKeepsTheHotkeysForTheRun) {
  SetProgramDirOverride(files.Write("program", std::string_view("a file")) + "/sub");
  SetUserDataDirOverride(files.File("program/user"));
  dialog.OnOK();
  EXPECT_EQ(Messages(), std::vector<std::string>{"Cannot write to file!"});
  EXPECT_EQ(HotkeyTable.size(), 2u);
  EXPECT_EQ(ProgramAccelerators().Records().size(), 2u);
}

TEST_F(HotkeysDialogTest, LoadReplacesEveryLinesHotkeyAndSavesAreByteExact) {
  Headless().fileAnswers.push_back(FileDialogAnswer{files.Write("delete.hky", HotkeyFile(1, {{9, 0x44, 2000}})), 1});
  dialog.OnLoadHotkeyFile();
  for (std::size_t line = 0; line < dialog.lines.size(); ++line) {
    const bool named = dialog.workList[line].command == 2000;
    EXPECT_EQ(dialog.lines[line].starts_with(kNoHotkey), !named) << line;
  }
  EXPECT_EQ(dialog.lines[2], "Ctrl\t\t\t\tD\t\t\t\t|\t\t\t\tDelete");
  // The program's hotkeys are untouched until OK.
  EXPECT_EQ(HotkeyTable.size(), 2u);

  Headless().fileAnswers.push_back(FileDialogAnswer{files.File("saved.hky"), 1});
  dialog.OnSaveHotkeyFile();
  EXPECT_EQ(ReadWholeFile(files.File("saved.hky")), HotkeyFile(1, {{9, 0x44, 2000}}));

  dialog.selection = 0;
  AnswerDefine(1, 0, 18);  // Ctrl+S
  dialog.OnDefineHotkey();
  Headless().fileAnswers.push_back(FileDialogAnswer{files.File("list.txt"), 1});
  dialog.OnSaveHotkeysAsText();
  EXPECT_EQ(Text(files.File("list.txt")),
            "Lumidrex Hotkey List\n====================\n\n"
            "Ctrl\t\tS\t\t|\tFile - \tNew\n"
            "\t\t\t\t|\t\t\tOpen\n"
            "Ctrl\t\tD\t\t|\t\t\tDelete\n"
            "\t\t\t\t|\t\t\tSave As\n"
            "\t\t\t\t|\tView - \tPan View - \tUp\n"
            "\t\t\t\t|\t\t\t\t\t\tDown\n");
}

TEST_F(HotkeysDialogTest, FailuresSayWhyAndKeepWhatWasThere) {
  const std::string bad = files.Write("bad.hky", std::string_view("not hotkeys"));
  // A name so long that no temporary file can stand beside it (even for root).
  const std::string old = files.Write(std::string(250, 'x') + ".hky", std::string_view("old contents"));
  const Bytes oldBytes = ReadWholeFile(old);
  const std::vector<std::string> lines = dialog.lines;
  Headless().fileAnswers.push_back(FileDialogAnswer{files.File("missing.hky"), 1});
  dialog.OnLoadHotkeyFile();
  Headless().fileAnswers.push_back(FileDialogAnswer{bad, 1});
  dialog.OnLoadHotkeyFile();
  Headless().fileAnswers.push_back(FileDialogAnswer{old, 1});
  Headless().messageAnswers.push_back(kAnswerYes);  // replace it
  dialog.OnSaveHotkeyFile();
  files.Write("blocked", std::string_view("a file"));
  Headless().fileAnswers.push_back(FileDialogAnswer{files.File("blocked/list.txt"), 1});
  dialog.OnSaveHotkeysAsText();
  const std::vector<std::string> messages = Messages();
  ASSERT_EQ(messages.size(), 5u);
  EXPECT_EQ(messages[0], "Cannot open file!\n" + files.File("missing.hky"));
  EXPECT_EQ(messages[1], "Invalid file format!\n" + bad);
  EXPECT_EQ(messages[3], "Cannot write to file!\n" + old);
  EXPECT_EQ(messages[4], "Cannot write to file!\n" + files.File("blocked/list.txt"));
  EXPECT_EQ(dialog.lines, lines);
  EXPECT_EQ(ReadWholeFile(old), oldBytes);
}

}  // namespace
