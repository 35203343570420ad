// Lumidrex.cfg in the program folder, as the start-up reads it with the profile.
#include "app/app_profile.h"
#include "fuzz_support.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzInput();
  WriteFuzzFile("Lumidrex.cfg", data, size);
  LoadAppSettings(*Platform().settings);
  return 0;
}
