// An IGES file from anyone, as File > Import reads it.
#include "exchange/iges_import.h"
#include "imported_scene_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzImport(&IgesImport, "input.igs", {kKindSurface}, data, size);
  return 0;
}
