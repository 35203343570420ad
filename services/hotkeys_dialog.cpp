#include "services/hotkeys_dialog.h"

#include <memory>

#include "platform/file_handle.h"
#include "platform/replacing_file.h"
#include "services/file_names.h"
#include "services/hotkey_file.h"
#include "services/hotkey_keys.h"
#include "services/menu_hotkey_text.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

namespace {

constexpr const char* kLoadFilter = "Lumidrex Hotkey Files (*.hky)|*.hky|All Files (*.*)|*.*|";
constexpr const char* kSaveFilter = "Lumidrex Hotkeys File (*.hky)|*.hky|All Files (*.*)|*.*|";
constexpr const char* kTextFilter = "Text File (*.txt)|*.txt|All Files (*.*)|*.*|";
constexpr const char* kTextHeading = "Lumidrex Hotkey List\n====================\n\n";

// Each prompt remembers its filter for the run.
int loadFilterIndex = 0;
int saveFilterIndex = 0;
int textFilterIndex = 0;

// The bytes of the UTF-8 character that starts at text[i].
std::size_t CharacterLength(std::string_view text, std::size_t i) {
  std::size_t length = 1;
  while (i + length < text.size() && (static_cast<unsigned char>(text[i + length]) & 0xC0) == 0x80) ++length;
  return length;
}

std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); i += CharacterLength(text, i)) ++count;
  return count;
}

// A headless list: every character 8 pixels wide, so a tab stop every 20.
HotkeyListMetrics HeadlessMetrics() {
  return {8 * 10 / 4, [](std::string_view text) { return 8 * static_cast<int>(CharacterCount(text)); }};
}

HotkeyListMetrics& Metrics() {
  static HotkeyListMetrics metrics = HeadlessMetrics();
  return metrics;
}

bool HasKey(const HotkeyEntry& entry) { return entry.key < kHotkeyKeyCount; }

bool Skipped(const MenuItem& item) {
  return item.kind == MenuItem::Kind::kSeparator || item.text.empty() ||
         (item.id >= kFirstRecentFileItem && item.id <= kLastRecentFileItem);
}

// Ctrl, Shift and key columns, then the separator, ahead of the path.
std::string Columns(const HotkeyEntry& entry) {
  std::string line = (entry.flags & kHotkeyCtrl) != 0 ? "Ctrl\t" : "\t\t";
  line += (entry.flags & kHotkeyShift) != 0 ? " Shift\t\t" : "\t\t\t";
  if (HasKey(entry)) {
    line += HotkeyKeyName(entry.key);
    line += HotkeyKeyNamePad(entry.key);
  } else {
    line += "\t\t\t";
  }
  return line + "\t|\t";
}

// The accelerator records of the entries that have a key, in list order.
std::vector<HotkeyEntry> AcceleratorsOf(const std::vector<HotkeyEntry>& entries) {
  std::vector<HotkeyEntry> records;
  for (const HotkeyEntry& entry : entries) {
    if (HasKey(entry)) records.push_back(MakeAccelRecord(entry));
  }
  return records;
}

}  // namespace

void SetHotkeyListMetrics(HotkeyListMetrics metrics) { Metrics() = std::move(metrics); }

const HotkeyListMetrics& CurrentHotkeyListMetrics() { return Metrics(); }

int TabbedTextWidth(std::string_view text, const HotkeyListMetrics& metrics) {
  int x = 0;
  for (;;) {
    const std::size_t tab = text.find('\t');
    x += metrics.plainWidth(text.substr(0, tab));
    if (tab == std::string_view::npos) return x;
    x = (x / metrics.tabWidth + 1) * metrics.tabWidth;
    text.remove_prefix(tab + 1);
  }
}

std::string CleanMenuText(std::string_view text) {
  text = text.substr(0, text.find('\t'));
  std::string cleaned;
  for (std::size_t i = 0; i < text.size();) {
    if (text.substr(i, 2) == "(&" && i + 2 < text.size()) {
      const std::size_t after = i + 2 + CharacterLength(text, i + 2);
      if (after < text.size() && text[after] == ')') {
        i = after + 1;
        continue;
      }
    }
    if (text[i] == '&') {
      ++i;
      if (i == text.size()) break;
    }
    const std::size_t length = CharacterLength(text, i);
    cleaned.append(text.substr(i, length));
    i += length;
  }
  return cleaned;
}

int CountMenuCommands(const MenuItem& menu) {
  int count = 0;
  for (const MenuItem& item : menu.items) {
    if (Skipped(item)) continue;
    count += item.kind == MenuItem::Kind::kPopup ? 1 + CountMenuCommands(item) : 1;
  }
  return count;
}

void CHotkeysDlg::OnInitDialog() {
  workList.clear();
  lines.clear();
  paths_.clear();
  workList.reserve(static_cast<std::size_t>(CountMenuCommands(CurrentMenuBar())));
  FillHotkeyList(CurrentMenuBar(), "");
  selection = lines.empty() ? -1 : 0;
}

void CHotkeysDlg::FillHotkeyList(const MenuItem& menu, std::string prefix) {
  for (std::size_t position = 0; position < menu.items.size(); ++position) {
    const MenuItem& item = menu.items[position];
    if (Skipped(item)) continue;
    const std::string path = prefix + CleanMenuText(item.text);
    if (item.kind == MenuItem::Kind::kPopup) {
      FillHotkeyList(item, path + " - \t");
    } else {
      HotkeyEntry entry{0, kNoKey, static_cast<std::uint16_t>(item.id)};
      for (const HotkeyEntry& hotkey : HotkeyTable) {
        if (hotkey.command == item.id) {
          entry = hotkey;
          break;
        }
      }
      workList.push_back(entry);
      paths_.push_back(path);
      lines.push_back(Columns(entry) + path);
    }
    // Later items line up under the first one's own text.
    if (position == 0) {
      const HotkeyListMetrics& metrics = Metrics();
      prefix.assign(static_cast<std::size_t>(TabbedTextWidth(prefix, metrics) / metrics.tabWidth), '\t');
    }
  }
}

void CHotkeysDlg::SetLine(std::size_t line) { lines[line] = Columns(workList[line]) + paths_[line]; }

void CHotkeysDlg::OnDefineHotkey() {
  if (lines.empty()) return;
  const std::size_t line = selection < 0 ? 0 : static_cast<std::size_t>(selection);
  HotkeyEntry& entry = workList[line];
  CHotkeyDefineDlg define;
  define.ctrl = (entry.flags & kHotkeyCtrl) != 0;
  define.shift = (entry.flags & kHotkeyShift) != 0;
  define.alt = (entry.flags & kHotkeyAlt) != 0;
  define.keyIndex = HasKey(entry) ? entry.key : -1;
  if (RunModalDialog(define) != kAnswerOk || define.keyIndex < 0 || define.keyIndex >= kHotkeyKeyCount) return;
  entry.flags = static_cast<std::uint8_t>((define.ctrl != 0 ? kHotkeyCtrl : 0) | (define.shift != 0 ? kHotkeyShift : 0) |
                                          (define.alt != 0 ? kHotkeyAlt : 0));
  entry.key = static_cast<std::uint16_t>(define.keyIndex);
  SetLine(line);
  selection = static_cast<int>(line);
  if (onListChanged) onListChanged();
}

void CHotkeysDlg::OnRemoveHotkey() {
  if (selection < 0 || selection >= static_cast<int>(lines.size())) return;
  const auto line = static_cast<std::size_t>(selection);
  workList[line].flags = 0;
  workList[line].key = kNoKey;
  SetLine(line);
  if (onListChanged) onListChanged();
}

void CHotkeysDlg::OnLoadHotkeyFile() {
  const auto path = FileDialogPrompt(1, &loadFilterIndex, kLoadFilter, {}, {});
  if (!path) return;
  const FileHandle file = OpenFile(*path, "rb");
  if (!file) {
    ShowFileMessage(kCannotOpenMessage, *path);
    return;
  }
  HotkeyFileContent content;
  if (ReadHotkeyFile(file.get(), &content) != HotkeyFileResult::kRead) {
    ShowFileMessage(kInvalidFileFormatMessage, *path);
    return;
  }
  for (std::size_t line = 0; line < workList.size(); ++line) {
    HotkeyEntry& entry = workList[line];
    entry.flags = 0;
    entry.key = kNoKey;
    for (const HotkeyEntry& loaded : content.entries) {
      if (loaded.command != entry.command) continue;
      entry.flags = loaded.flags;
      entry.key = loaded.key;
      break;
    }
    SetLine(line);
  }
  if (onListChanged) onListChanged();
}

void CHotkeysDlg::OnSaveHotkeyFile() {
  const auto path = FileDialogPrompt(0, &saveFilterIndex, kSaveFilter, {}, {});
  if (!path) return;
  if (!WriteHotkeyFile(*path, AcceleratorsOf(workList))) ShowFileMessage(kCannotWriteMessage, *path);
}

void CHotkeysDlg::OnSaveHotkeysAsText() {
  const auto path = FileDialogPrompt(0, &textFilterIndex, kTextFilter, {}, {});
  if (!path) return;
  const std::unique_ptr<ReplacingFile> file = ReplacingFile::Open(*path);
  bool written = file != nullptr;
  if (written) {
    std::fputs(kTextHeading, file->file());
    WriteHotkeyListText(CurrentMenuBar(), file->file(), "");
    written = file->Finish() && file->ReplaceTarget();
  }
  if (!written) ShowFileMessage(kCannotWriteMessage, *path);
}

const HotkeyEntry* CHotkeysDlg::WorkEntryOf(int command) const {
  for (const HotkeyEntry& entry : workList) {
    if (entry.command == command) return &entry;
  }
  return nullptr;
}

void CHotkeysDlg::WriteHotkeyListText(const MenuItem& menu, std::FILE* file, std::string prefix) const {
  for (std::size_t position = 0; position < menu.items.size(); ++position) {
    const MenuItem& item = menu.items[position];
    if (Skipped(item)) continue;
    const std::string path = prefix + CleanMenuText(item.text);
    if (item.kind == MenuItem::Kind::kPopup) {
      WriteHotkeyListText(item, file, path + " - \t");
    } else {
      const HotkeyEntry* entry = WorkEntryOf(item.id);
      const std::uint8_t flags = entry != nullptr ? entry->flags : 0;
      std::string line = (flags & kHotkeyCtrl) != 0 ? "Ctrl\t" : "\t";
      line += (flags & kHotkeyShift) != 0 ? " Shift\t" : "\t";
      if (entry != nullptr && HasKey(*entry)) line += HotkeyKeyName(entry->key);
      line += "\t\t|\t" + path + "\n";
      std::fputs(line.c_str(), file);
    }
    if (position == 0) prefix.assign(CharacterCount(prefix) / 4, '\t');
  }
}

void CHotkeysDlg::OnOK() {
  std::vector<HotkeyEntry> table;
  for (const HotkeyEntry& entry : workList) {
    if (!HasKey(entry)) continue;
    // The record's virtual-key flag, where it was forced, holds for the table as well.
    HotkeyEntry kept = entry;
    kept.flags = MakeAccelRecord(entry).flags;
    table.push_back(kept);
  }
  const std::vector<HotkeyEntry> accelerators = AcceleratorsOf(table);
  HotkeyTable = std::move(table);
  // With every hotkey removed the accelerators, menus and file are emptied too, so removed keys
  // neither work on nor come back at the next start.
  ProgramAccelerators().Replace(accelerators);
  RefreshMenuHotkeyText();
  // The new hotkeys stay for the run even when no file can keep them.
  if (!SaveProgramHotkeysFile(accelerators)) ShowMessageBox(GetLocalizedString(kCannotWriteMessage));
}

void ResetHotkeysDialog() {
  loadFilterIndex = 0;
  saveFilterIndex = 0;
  textFilterIndex = 0;
  Metrics() = HeadlessMetrics();
}
