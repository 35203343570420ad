// A design from anyone, opened as File > Open opens it.
#include "app/vorn_doc.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzInput();
  const std::string path = WriteFuzzFile("design.lxd", data, size);
  CVornDoc document;
  document.OnOpenDocument(path);
  return 0;
}
