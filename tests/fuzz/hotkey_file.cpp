// A hotkeys file, as start-up reads it from the program folder (the dialog's Load uses the same
// reader); the menus then show what was read.
#include "fuzz_support.h"
#include "services/hotkey_file.h"
#include "services/hotkey_keys.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzInput();
  WriteFuzzFile("hotkeys", data, size);
  LoadHotkeys();
  for (const HotkeyEntry& entry : HotkeyTable) {
    if (entry.key >= kHotkeyKeyCount && entry.key != kNoKey) FuzzCheckFailed("a key index beyond the key tables");
  }
  return 0;
}
