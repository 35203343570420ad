// The gem library in the program folder, loaded and instanced as gems use it: a gem of every
// prototype, shaded.
#include <memory>

#include "fuzz_drawing.h"
#include "kernel/gem_library.h"
#include "kernel/gem_object.h"
#include "scene/scene.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzInput();
  WriteFuzzFile(kGemLibraryFileName, data, size);
  GemLibrary.Load();
  FuzzDrawing drawing;
  for (int i = 0; i < GemLibrary.Count(); ++i) {
    if (GemLibrary.Prototype(i) == nullptr) FuzzCheckFailed("a listed prototype is missing");
    auto gem = std::make_unique<CGemObject>();
    gem->SetLibraryIndex(i);
    AddObject(gem, 1);
  }
  drawing.Shade();
  ResetScene();
  GemLibrary.Free();
  return 0;
}
