#include "kernel/gem_library.h"

#include <algorithm>
#include <string>

#include "kernel/boolean_object.h"
#include "kernel/gem_object.h"
#include "kernel/object_list_file.h"
#include "kernel/object_stream.h"
#include "kernel/point_set_object.h"
#include "platform/file_handle.h"
#include "platform/program_folder.h"

CGemLibrary GemLibrary;

namespace {

// objects[d][i]: the objects prototype i stands for when entered d gems deep, at most
// kMaxGemObjects + 1. What an object stands for when met d gems deep: itself, and for a gem its
// prototype entered one deeper unless the nesting bound stops it, for a group its members.
using ObjectTable = std::vector<std::vector<std::int64_t>>;

std::int64_t ObjectsOf(const CGeomObject& object, int depth, const ObjectTable& objects) {
  if (object.GetKind() == kKindGem) {
    const int index = static_cast<const CGemObject&>(object).LibraryIndex();
    if (depth >= kMaxGemNesting || index < 0 || static_cast<std::size_t>(index) >= objects[0].size()) return 1;
    return std::min(1 + objects[static_cast<std::size_t>(depth + 1)][static_cast<std::size_t>(index)], kMaxGemObjects + 1);
  }
  std::int64_t sum = 1;
  if (object.GetKind() != kKindBoolean) return sum;
  for (const CGeomObject* member = static_cast<const CBooleanObject&>(object).members.head(); member != nullptr;
       member = member->next) {
    sum = std::min(sum + ObjectsOf(*member, depth, objects), kMaxGemObjects + 1);
  }
  return sum;
}

}  // namespace

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
  // From the deepest level up, each level reading the one below it.
  ObjectTable objects(kMaxGemNesting + 2, std::vector<std::int64_t>(prototypes_.size(), 0));
  for (int depth = kMaxGemNesting; depth >= 1; --depth) {
    for (std::size_t i = 0; i < prototypes_.size(); ++i) {
      objects[static_cast<std::size_t>(depth)][i] = ObjectsOf(*prototypes_[i], depth, objects);
    }
  }
  tooLarge_.clear();
  for (const std::int64_t count : objects[1]) tooLarge_.push_back(count > kMaxGemObjects);
}

// Gems draw their prototypes: whatever was derived through the old library is stale. An empty
// library (a load that keeps failing) changes nothing.
void CGemLibrary::Free() {
  if (prototypes_.empty()) return;
  prototypes_.clear();
  tooLarge_.clear();
  MarkDrawingsStale();
}

CGeomObject* CGemLibrary::Prototype(int index) {
  if (prototypes_.empty()) Load();
  if (index < 0 || index >= Count()) return nullptr;
  return prototypes_[static_cast<std::size_t>(index)].get();
}

CGeomObject* CGemLibrary::InstancedPrototype(int index) {
  CGeomObject* prototype = Prototype(index);
  return prototype != nullptr && !tooLarge_[static_cast<std::size_t>(index)] ? prototype : nullptr;
}
