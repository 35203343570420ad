// An IGES file from anyone, imported into an open design shown in a view, as File > Import reads
// it. Every surface it adds must fit its grid and hold finite points only, and the count it
// reports must be what it added.
#include "app/vorn_doc.h"
#include "fuzz_support.h"
#include "kernel/surface_object.h"
#include "modelling/iges_import.h"
#include "scene/scene.h"
#include "scene/viewport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzInput();
  const std::string path = WriteFuzzFile("input.igs", data, size);
  // The view outlives the document, whose closing walks its views.
  CViewport view;
  CVornDoc document;
  document.OnNewDocument();
  view.SetSize(64, 48);
  view.documentHistory = &document;
  document.AddView(&view);
  SetActiveView(&view);
  const ImportResult result = IgesImport(path);
  std::size_t surfaces = 0;
  for (const CGeomObject* object = GetObjectList(); object != nullptr; object = object->next) {
    if (object->GetKind() != kKindSurface) FuzzCheckFailed("an object that is not a surface");
    const auto& surface = static_cast<const CSurfaceObject&>(*object);
    if (!surface.GridFitsPoints() || surface.rows < 2 || surface.columns < 2) FuzzCheckFailed("a bad grid");
    for (const Vector3& p : surface.points) {
      if (!IsFiniteVector(p)) FuzzCheckFailed("a point that is not finite");
    }
    ++surfaces;
  }
  if (surfaces != result.added) FuzzCheckFailed("the count differs from the surfaces added");
  SetActiveView(nullptr);
  return 0;
}
