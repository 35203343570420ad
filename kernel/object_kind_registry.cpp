#include "kernel/object_kind_registry.h"

#include "kernel/axis_line_object.h"
#include "kernel/block_object.h"
#include "kernel/boolean_object.h"
#include "kernel/curve_object.h"
#include "kernel/gem_object.h"
#include "kernel/mesh_object.h"
#include "kernel/object_stream.h"
#include "kernel/surface_object.h"

namespace {
CObjectKindEntry* registryHead = nullptr;
int readDepth = 0;
}  // namespace

void CObjectKindEntry::Register() {
  next = registryHead;
  registryHead = this;
}

void ResetObjectKindRegistry() { registryHead = nullptr; }

const CObjectKindEntry* ObjectKindRegistryHead() { return registryHead; }

void RegisterObjectKinds() {
  ResetObjectKindRegistry();
  // Registered in the order 32, 2, 99, 4, 5, 3, 90, each at the head, so that the search runs
  // 90, 3, 5, 4, 99, 2, 32.

  static ObjectKindEntry<CBooleanObject> booleanEntry(kKindBoolean);
  booleanEntry.Register();

  static ObjectKindEntry<CCurveObject> curveEntry(kKindCurve);
  curveEntry.Register();

  static ObjectKindEntry<CGemObject> gemEntry(kKindGem);
  gemEntry.Register();

  static ObjectKindEntry<CMeshObject> meshEntry(kKindMesh);
  meshEntry.Register();

  static ObjectKindEntry<CBlockObject> blockEntry(kKindBlock);
  blockEntry.Register();

  static ObjectKindEntry<CSurfaceObject> surfaceEntry(kKindSurface);
  surfaceEntry.Register();

  static ObjectKindEntry<CAxisLineObject> axisLineEntry(kKindAxisLine);
  axisLineEntry.Register();
}

namespace {

const CObjectKindEntry* FindKind(std::int32_t code) {
  const CObjectKindEntry* entry = registryHead;
  while (entry != nullptr && entry->kind != code) entry = entry->next;
  return entry;
}

}  // namespace

bool HasObjectRecord(const CGeomObject& object) { return FindKind(object.GetKind()) != nullptr; }

std::unique_ptr<CGeomObject> ReadObject() {
  const std::int32_t code = ReadObjectInt32();
  if (ObjectStreamFailed()) return nullptr;
  const CObjectKindEntry* entry = FindKind(code);
  if (entry == nullptr) return nullptr;
  if (readDepth >= kMaxRecordNesting) {
    MarkObjectStreamFailed();
    return nullptr;
  }
  std::unique_ptr<CGeomObject> object = entry->Create();
  ++readDepth;
  object->Read();
  --readDepth;
  if (ObjectStreamFailed()) object->ObjectState = kStateBadRecord;
  return object;
}
