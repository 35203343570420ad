// The gem library in the program folder, loaded and instanced as gems use it.
#include "fuzz_support.h"
#include "kernel/gem_library.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzInput();
  WriteFuzzFile(kGemLibraryFileName, data, size);
  GemLibrary.Load();
  for (int i = 0; i < GemLibrary.Count(); ++i) {
    if (GemLibrary.Prototype(i) == nullptr) FuzzCheckFailed("a listed prototype is missing");
  }
  GemLibrary.Free();
  return 0;
}
