#pragma once

#include <cstdint>
#include <memory>

#include "kernel/geom_object.h"

// A node of the kind registry: turns a kind code read from a record into an empty object.
class CObjectKindEntry {
 public:
  explicit CObjectKindEntry(std::int32_t kindCode) : kind(kindCode) {}
  virtual ~CObjectKindEntry() = default;
  virtual std::unique_ptr<CGeomObject> Create() const = 0;
  // Links this node at the head of the registry, so the last registered is searched first.
  void Register();

  CObjectKindEntry* next = nullptr;
  std::int32_t kind;
};

template <class T>
class ObjectKindEntry : public CObjectKindEntry {
 public:
  explicit ObjectKindEntry(std::int32_t kindCode) : CObjectKindEntry(kindCode) {}
  std::unique_ptr<CGeomObject> Create() const override { return std::make_unique<T>(); }
};

// Fills the registry with every kind the program reads, in its fixed registration order. Called
// once at start-up and by every test fixture; it first empties the registry.
void RegisterObjectKinds();
void ResetObjectKindRegistry();
const CObjectKindEntry* ObjectKindRegistryHead();

// Whether a record of the object's kind can be read back. Writers leave out objects without one:
// the reader would skip the unknown code and take the record's bytes for framing.
bool HasObjectRecord(const CGeomObject& object);

// Deeper nesting of groups than this is refused as a bad record.
inline constexpr int kMaxRecordNesting = 64;

// Reads a kind code and the record after it. Returns null for an unknown code (only the code
// is consumed) and for nesting beyond kMaxRecordNesting (the stream then fails). A record that
// reads badly comes back in state kStateBadRecord.
std::unique_ptr<CGeomObject> ReadObject();
