#include "kernel/gem_object.h"

#include "kernel/bounds_box.h"
#include "kernel/gem_library.h"
#include "kernel/object_stream.h"

namespace {

int gemNesting = 0;

}  // namespace

GemNestingLevel::GemNestingLevel() { ++gemNesting; }
GemNestingLevel::~GemNestingLevel() { --gemNesting; }
int GemNestingDepth() { return gemNesting; }

CGeomObject* GemPrototype(const CGemObject& gem) {
  if (gemNesting >= kMaxGemNesting) return nullptr;
  return GemLibrary.InstancedPrototype(gem.LibraryIndex());
}

std::unique_ptr<CGeomObject> CGemObject::Clone() const {
  auto copy = std::make_unique<CGemObject>();
  CopyCompositeFields(copy.get());
  return copy;
}

void CGemObject::Read() {
  ReadCompositeRecord();
  SetLibraryIndex(ReadObjectInt32());
  if (ObjectStreamFailed()) ObjectState = kStateBadRecord;
}

void CGemObject::Write() {
  WriteCompositeRecord();
  WriteObjectInt32(LibraryIndex());
}

void CGemObject::GetBounds(Vector3* min, Vector3* max, Matrix4 M) const {
  ResetBounds(min, max);
  if (const CGeomObject* prototype = GemPrototype(*this)) {
    GemNestingLevel level;
    prototype->GetBounds(min, max, MatMultiply(placement, M));
  }
}

void ResolveGemInstance(CGeomObject*& object, Matrix4* matrixOut) {
  Matrix4 combined = kIdentityMatrix;
  for (int depth = 0; object != nullptr && object->GetKind() == kKindGem; ++depth) {
    const auto* gem = static_cast<const CGemObject*>(object);
    object = gemNesting + depth < kMaxGemNesting ? GemLibrary.InstancedPrototype(gem->LibraryIndex()) : nullptr;
    // Each inner placement acts before the ones outside it.
    combined = MatMultiply(gem->placement, combined);
  }
  *matrixOut = object != nullptr ? combined : kIdentityMatrix;
}
