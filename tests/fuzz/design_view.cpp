// A design from anyone, opened as File > Open opens it and looked at in a Front view: Zoom All,
// every display mode (wire frames, Fast Shading, Shading in colour, Rendering) and a pick.
#include "app/vorn_doc.h"
#include "fuzz_drawing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzInput();
  const std::string path = WriteFuzzFile("design.lxd", data, size);
  FuzzDrawing drawing;
  CVornDoc document;
  document.OnOpenDocument(path);
  drawing.DrawEveryWay();
  return 0;
}
