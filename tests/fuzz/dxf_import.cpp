// A DXF file from anyone, as File > Import reads it.
#include "imported_scene_check.h"
#include "modelling/dxf_import.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzImport(&DxfImport, "input.dxf", {kKindMesh, kKindCurve}, data, size);
  return 0;
}
