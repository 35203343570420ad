// A DXF file from anyone, imported into a scene with an active view as File > Import reads it.
#include "fuzz_support.h"
#include "imported_scene_check.h"
#include "modelling/dxf_import.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzInput();
  const std::string path = WriteFuzzFile("input.dxf", data, size);
  ActiveFuzzView view;
  DxfImport(path);
  CheckImportedScene();
  return 0;
}
