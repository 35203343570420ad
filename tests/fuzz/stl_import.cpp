// An STL file from anyone, as File > Import reads it.
#include "imported_scene_check.h"
#include "modelling/stl_import.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzImport(&StlImport, "input.stl", {kKindMesh}, data, size);
  return 0;
}
