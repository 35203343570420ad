#include "services/hotkey_file.h"

#include <sys/stat.h>

#include <array>
#include <filesystem>
#include <memory>
#include <string_view>
#include <system_error>

#include "kernel/object_stream.h"
#include "platform/file_handle.h"
#include "platform/program_folder.h"
#include "platform/replacing_file.h"
#include "services/hotkey_keys.h"
#include "services/menu_hotkey_text.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

namespace {

constexpr std::string_view kMagic = "LumidrexKey050";
constexpr std::string_view kOldMagic = "LumidrexHotkey";
constexpr const char* kHotkeysFileName = "hotkeys";

// The built-in set: Ctrl+N/O/S, B, Ctrl+Z/Y, Delete, Z, the display modes, the directions, Space,
// Ctrl+arrows, Shift+arrows, F1 and Shift+F1.
constexpr std::array<HotkeyEntry, 32> kDefaultHotkeys = {{
    {9, 0x4E, 57600}, {9, 0x4F, 57601}, {9, 0x53, 57603}, {1, 0x42, 1002},  {9, 0x5A, 57643}, {9, 0x59, 57644},
    {1, 0x2E, 2000},  {1, 0x5A, 3002},  {1, 0x57, 3101},  {1, 0x51, 3100},  {1, 0x45, 3102},  {1, 0x41, 3103},
    {1, 0x53, 3104},  {1, 0x44, 3105},  {1, 0x46, 3201},  {1, 0x52, 3202},  {1, 0x54, 3203},  {1, 0x4B, 3204},
    {1, 0x4C, 3205},  {1, 0x4D, 3206},  {0, 0x33, 3200},  {1, 0x20, 3600},  {9, 0x26, 4100},  {9, 0x28, 4103},
    {9, 0x25, 4102},  {9, 0x27, 4101},  {5, 0x26, 5101},  {5, 0x28, 5102},  {5, 0x25, 5103},  {5, 0x27, 5104},
    {1, 0x70, 57667}, {5, 0x70, 57669},
}};
// The default file ends with two bytes after its records, which readers ignore.
constexpr std::array<std::uint8_t, 2> kDefaultTail = {0x70, 0x00};

// Through the object stream, which reads little-endian fields and never trusts the file.
// False when a write failed.
bool WriteRecords(std::FILE* file, const std::vector<HotkeyEntry>& records) {
  const ObjectStreamScope stream(file);
  WriteObjectBytes(kMagic.data(), kMagic.size());
  WriteObjectInt32(static_cast<std::int32_t>(records.size()));
  for (const HotkeyEntry& record : records) {
    WriteObjectBytes(&record.flags, 1);
    WriteObjectInt16(static_cast<std::int16_t>(record.key));
    WriteObjectInt16(static_cast<std::int16_t>(record.command));
  }
  return !ObjectStreamFailed();
}

bool Exists(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

// The default set as a file in memory: nothing is written to any folder.
FileHandle DefaultHotkeysInMemory() {
  char* buffer = nullptr;
  std::size_t size = 0;
  std::FILE* stream = open_memstream(&buffer, &size);
  if (stream == nullptr) return nullptr;
  WriteDefaultHotkeysFile(stream);
  std::fclose(stream);
  auto bytes = std::make_shared<std::vector<char>>(buffer, buffer + size);
  std::free(buffer);
  std::FILE* file = fmemopen(bytes->data(), bytes->size(), "rb");
  if (file == nullptr) return nullptr;
  return FileHandle(file, FileCloser{std::move(bytes)});
}

}  // namespace

HotkeyFileResult ReadHotkeyFile(std::FILE* file, HotkeyFileContent* content) {
  const ObjectStreamScope stream(file);
  char magic[kMagic.size()];
  ReadObjectBytes(magic, sizeof magic);
  const std::string_view read(magic, sizeof magic);
  if (ObjectStreamFailed() || (read != kMagic && read != kOldMagic)) return HotkeyFileResult::kBadFormat;
  const bool old = read == kOldMagic;
  *content = {};
  const std::int32_t count = ReadObjectInt32();
  const KeyIndexLookup lookup;
  // Records are taken while whole ones remain: the count alone never sizes anything.
  for (std::int32_t i = 0; i < count && !ObjectStreamFailed(); ++i) {
    HotkeyEntry record;
    ReadObjectBytes(&record.flags, 1);
    record.key = static_cast<std::uint16_t>(ReadObjectInt16());
    record.command = static_cast<std::uint16_t>(ReadObjectInt16());
    if (ObjectStreamFailed()) break;
    if (old) record.command = RemapOldHotkeyCommand(record.command);
    content->accelerators.push_back(record);
    record.key = lookup.IndexOf(record.key, (record.flags & kHotkeyVirtual) != 0);
    content->entries.push_back(record);
  }
  return HotkeyFileResult::kRead;
}

void WriteDefaultHotkeysFile(std::FILE* file) {
  WriteRecords(file, std::vector<HotkeyEntry>(kDefaultHotkeys.begin(), kDefaultHotkeys.end()));
  std::fwrite(kDefaultTail.data(), 1, kDefaultTail.size(), file);
}

bool WriteHotkeyFile(const std::string& path, const std::vector<HotkeyEntry>& accelerators) {
  const std::unique_ptr<ReplacingFile> file = ReplacingFile::Open(path);
  if (!file) return false;
  const bool written = WriteRecords(file->file(), accelerators);
  return file->Finish() && written && file->ReplaceTarget();
}

std::string HotkeysFileToRead() {
  const std::string userFolder = GetUserDataDir();
  if (!userFolder.empty() && Exists(userFolder + kHotkeysFileName)) return userFolder + kHotkeysFileName;
  if (Exists(GetProgramDir() + kHotkeysFileName)) return GetProgramDir() + kHotkeysFileName;
  return {};
}

bool SaveProgramHotkeysFile(const std::vector<HotkeyEntry>& accelerators) {
  const std::string userFolder = GetUserDataDir();
  const bool userFile = !userFolder.empty() && Exists(userFolder + kHotkeysFileName);
  if (!userFile && WriteHotkeyFile(GetProgramDir() + kHotkeysFileName, accelerators)) return true;
  if (userFolder.empty()) return false;
  std::error_code error;
  if (!std::filesystem::is_directory(userFolder, error)) {
    std::filesystem::create_directories(userFolder, error);
    if (error) return false;
    // The folder holds what only this user should change.
    chmod(userFolder.c_str(), 0700);
  }
  return WriteHotkeyFile(userFolder + kHotkeysFileName, accelerators);
}

void LoadHotkeys() {
  const std::string path = HotkeysFileToRead();
  FileHandle file = path.empty() ? DefaultHotkeysInMemory() : OpenFile(path, "rb");
  HotkeyFileContent content;
  if (!file) return;
  if (ReadHotkeyFile(file.get(), &content) != HotkeyFileResult::kRead) {
    // The keys the user expects do nothing: the status bar says why.
    ShowStatusText(GetLocalizedString(kInvalidFileFormatMessage) + " " + path);
    return;
  }
  HotkeyTable = std::move(content.entries);
  // An empty set leaves the accelerators as they were (none, at start-up).
  if (!content.accelerators.empty()) ProgramAccelerators().Replace(std::move(content.accelerators));
  RefreshMenuHotkeyText();
}
