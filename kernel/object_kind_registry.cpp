#include "kernel/object_kind_registry.h"

#include "kernel/object_stream.h"

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
  // Each kind issue adds its node here, keeping the order 32, 2, 99, 4, 5, 3, 90 so that the
  // search runs 90, 3, 5, 4, 99, 2, 32.
}

std::unique_ptr<CGeomObject> ReadObject() {
  const std::int32_t code = ReadObjectInt32();
  if (ObjectStreamFailed()) return nullptr;
  const CObjectKindEntry* entry = registryHead;
  while (entry != nullptr && entry->kind != code) entry = entry->next;
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
