// The profile's Zoom 1:1 scale, as the start-up reads it with the other profile values.
#include <cmath>

#include "app/app_profile.h"
#include "fuzz_profile.h"
#include "fuzz_support.h"
#include "scene/view_commands.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzInput();
  FuzzProfile profile(data, size);
  LoadAppSettings(profile.platform().settings());
  if (!std::isfinite(OneToOneZoom) || OneToOneZoom < 0.001f || OneToOneZoom > 100.0f) {
    FuzzCheckFailed("a Zoom 1:1 scale outside the calibration's range");
  }
  return 0;
}
