// The profile's toolbar layout, as the main frame restores it at start-up.
#include "app/qt/main_frame.h"
#include "fuzz_profile.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzInput();
  FuzzProfile profile(data, size);
  CMainFrame frame;
  frame.LoadBarState();
  return 0;
}
