// The text typed into the weight dialog's density box, as OK reads it.
#include <cmath>
#include <string>

#include "fuzz_support.h"
#include "manufacturing/estimate_commands.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzInput();
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (!std::isfinite(SpecificGravityOf(text))) FuzzCheckFailed("a specific gravity that is no finite number");
  const std::string message = FormatWeightMessage(1.0f, text);
  if (message.rfind("Weight = ", 0) != 0) FuzzCheckFailed("a weight message without its lead");
  return 0;
}
