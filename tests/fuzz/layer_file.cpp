// A layer file, as the Layers dialog's Load reads it.
#include "fuzz_support.h"
#include "services/layer_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzInput();
  const std::string path = WriteFuzzFile("layers.lyr", data, size);
  LayerSet layers;
  ReadLayerFile(path, &layers);
  return 0;
}
