// A design from anyone, inserted into an open design as File > Insert inserts it.
#include <memory>

#include "app/vorn_doc.h"
#include "fuzz_support.h"
#include "kernel/axis_line_object.h"
#include "scene/design_file.h"
#include "scene/scene.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzInput();
  const std::string path = WriteFuzzFile("insert.lxd", data, size);
  CVornDoc document;
  document.OnNewDocument();
  // The inserted objects follow one already there.
  std::unique_ptr<CGeomObject> present = std::make_unique<CAxisLineObject>();
  AddObject(present, 1);
  InsertDocumentFile(path);
  return 0;
}
