#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "kernel/matrix4.h"

// Kind codes, written first in every object record.
enum ObjectKind : std::int32_t {
  kKindFramed = 0,
  kKindCurve = 2,
  kKindSurface = 3,
  kKindMesh = 4,
  kKindBlock = 5,
  kKindBoolean = 32,
  kKindAxisLine = 90,
  kKindGem = 99,
};

// The object state values the kernel itself gives.
inline constexpr std::int32_t kStateShown = 0;
inline constexpr std::int32_t kStateSelected = 1;
// A record that failed to read: kept out of views, picks, exports and saves.
inline constexpr std::int32_t kStateBadRecord = -9999;

// Bits of the record's flags word.
inline constexpr std::uint32_t kRecordMappingKindMask = 0xFF;
inline constexpr std::uint32_t kRecordNoDeform = 1u << 8;
inline constexpr std::uint32_t kRecordJewel = 1u << 9;
inline constexpr std::uint32_t kRecordSubtractor = 1u << 10;

// Bits of the in-memory flags field.
inline constexpr std::int32_t kFlagNoDeform = 1;
inline constexpr std::int32_t kFlagScratchMask = 0x00FFFF00;  // bits 8-23, filled by a kind

// What a drawing path derives from an object and keeps between frames (tessellations, normals).
// The object owns it, so it goes with the object.
class ObjectDrawingCache {
 public:
  virtual ~ObjectDrawingCache() = default;
};

// Moves whenever program-wide state that drawings derive from changes (the gem library, a view's
// display mode): a cache made under another generation is stale.
std::uint64_t DrawingGeneration();
void MarkDrawingsStale();

// Base of every modelled object. The owning list (scene, group, block, gem library) chains its
// objects through next and owns them.
class CGeomObject {
 public:
  CGeomObject();
  virtual ~CGeomObject() = default;
  CGeomObject(const CGeomObject&) = delete;
  CGeomObject& operator=(const CGeomObject&) = delete;

  // The virtual operations keep this order in every class.
  virtual int GetCategory() const { return 0; }
  // whole = 1 moves the object with its frames; whole = 0 moves only picked control points.
  virtual void Transform(Matrix4 M, int whole);
  virtual int GetKind() const { return kKindFramed; }
  virtual void Draw(int mode) { (void)mode; }
  virtual std::unique_ptr<CGeomObject> Clone() const;
  // Reads the record after its kind code; a record that cannot be used leaves the object in
  // state kStateBadRecord.
  virtual void Read();
  // Writes the whole record, kind code first.
  virtual void Write();
  virtual void GetBounds(Vector3* min, Vector3* max, Matrix4 M) const;
  // Exchanges everything but next with another object of the same class, so each keeps its
  // place in its list. Objects of different classes are left alone.
  virtual void Swap(CGeomObject& other);

  CGeomObject* next = nullptr;
  std::int32_t ObjectState = 0;
  std::int32_t flags = 0;
  std::int32_t jewel = 0;
  std::int32_t subtractor = 0;
  std::int32_t id = 0;
  Matrix4 orientation = kIdentityMatrix;
  std::int32_t mappingKind = 0;
  Matrix4 mappingFrame;  // all zeros but element 15 until the mapping command fits it
  // Not owned: the names live in the program-wide name pool or are program constants.
  const std::string* materialName = nullptr;
  std::int32_t layer = 0;
  // Null until a drawing path derives something and after every change.
  mutable std::unique_ptr<ObjectDrawingCache> drawingCache;

  // Every setter, Transform, Read and Swap calls it, and so must code that writes the geometry
  // fields of an object that may have been drawn: it moves the change count and drops the cache.
  void MarkChanged();
  std::uint64_t ChangeCount() const { return changeCount_; }

 protected:
  // Reads and writes the common record that every kind starts with.
  void ReadCommonRecord();
  void WriteCommonRecord();
  // Exchanges the base fields but next.
  void SwapCommonFields(CGeomObject& other);

 private:
  std::uint64_t changeCount_ = 0;
};

void CGeomObject_CopyCommonFields(CGeomObject* target, const CGeomObject* source);

// Shown or selected: the states that views draw.
inline bool IsShownOrSelected(const CGeomObject& object) {
  return object.ObjectState == kStateShown || object.ObjectState == kStateSelected;
}

// Material names longer than this are cut on writing and on reading.
inline constexpr std::size_t kMaxMaterialNameBytes = 1023;
