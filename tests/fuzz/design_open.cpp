// A design from anyone, opened as File > Open opens it.
#include "app/vorn_doc.h"
#include "fuzz_support.h"
#include "scene/design_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzInput();
  const std::string path = WriteFuzzFile("design.lxd", data, size);
  CVornDoc document;
  // The check comes first, as before the design on screen is given up.
  if (CheckDesignFile(path)) document.OnOpenDocument(path);
  return 0;
}
