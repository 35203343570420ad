// A DXF file from anyone, as File > Import reads it.
#include "exchange/dxf_import.h"
#include "imported_scene_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzImport(&DxfImport, "input.dxf", {kKindMesh, kKindCurve}, data, size);
  return 0;
}
