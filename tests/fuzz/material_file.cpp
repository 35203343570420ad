// A material file, as the renderer and the material dialogs read it.
#include "fuzz_support.h"
#include "render/material_editor.h"
#include "render/material_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzInput();
  MaterialRecord record;
  ReadMaterialBytes(data, size, &record);
  // The editor takes the record into its swatches and fields.
  EditMaterialDialog().LoadMaterial(WriteFuzzFile("fuzz.mtl", data, size));
  return 0;
}
