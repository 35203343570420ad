#include "kernel/gem_library.h"

#include <string>

#include "kernel/object_list_file.h"
#include "kernel/object_stream.h"
#include "kernel/point_set_object.h"
#include "platform/file_handle.h"
#include "platform/program_folder.h"

CGemLibrary GemLibrary;

void CGemLibrary::Load() {
  Free();
  const std::string path = GetProgramDir() + kGemLibraryFileName;
  CGeomObject* list = nullptr;
  {
    const FileHandle file = OpenFile(path, "rb", kDesignFileMagic);
    if (file == nullptr) return;
    const ObjectStreamScope stream(file.get());
    ReadObjectList(&list, 1);
  }
  while (list != nullptr) {
    std::unique_ptr<CGeomObject> prototype(list);
    list = list->next;
    prototype->next = nullptr;
    // The prototypes' control points are never shown.
    if (prototype->GetCategory() == 1) static_cast<CPointSetObject&>(*prototype).controlPointsHidden = 1;
    prototypes_.push_back(std::move(prototype));
  }
}

// Gems draw their prototypes: whatever was derived through the old library is stale. An empty
// library (a load that keeps failing) changes nothing.
void CGemLibrary::Free() {
  if (prototypes_.empty()) return;
  prototypes_.clear();
  MarkDrawingsStale();
}

CGeomObject* CGemLibrary::Prototype(int index) {
  if (prototypes_.empty()) Load();
  if (index < 0 || index >= Count()) return nullptr;
  return prototypes_[static_cast<std::size_t>(index)].get();
}
