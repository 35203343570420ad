// An STL file from anyone, as File > Import reads it.
#include "exchange/stl_import.h"
#include "imported_scene_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzImport(&StlImport, "input.stl", {kKindMesh}, data, size);
  return 0;
}
