#pragma once

#include <cstdint>

#include "kernel/composite_object.h"

// A gem is a placement of a prototype of the gem library: drawing, bounds and every use of its
// geometry go through the prototype under the placement.
class CGemObject : public CCompositeObject {
 public:
  int GetKind() const override { return kKindGem; }
  void Draw(int mode) override;
  std::unique_ptr<CGeomObject> Clone() const override;
  void Read() override;
  void Write() override;
  // The prototype's bounds under placement x M; the empty box when there is none.
  void GetBounds(Vector3* min, Vector3* max, Matrix4 M) const override;

  // 0-based index into the gem library, kept in the composite's kind word.
  std::int32_t LibraryIndex() const { return static_cast<std::int32_t>(kindWord); }
  void SetLibraryIndex(std::int32_t index) {
    kindWord = static_cast<std::uint32_t>(index);
    MarkChanged();
  }
};

// A prototype may itself be a gem, or a group holding gems; gems more deeply nested than this
// count as a bad index, so a library whose prototypes refer to each other cannot make a gem
// recurse without end.
inline constexpr int kMaxGemNesting = 8;

// One gem entered for as long as it lives. Every path that descends into a gem's prototype
// (wire frame, bounds, shading, rendering, export) holds one meanwhile, so that one count bounds
// them all, however groups and gems alternate.
class GemNestingLevel {
 public:
  GemNestingLevel();
  ~GemNestingLevel();
  GemNestingLevel(const GemNestingLevel&) = delete;
  GemNestingLevel& operator=(const GemNestingLevel&) = delete;
};
// How many gems are entered right now.
int GemNestingDepth();
// The gem's prototype; null for a bad index, a missing library, or a gem nested too deep.
CGeomObject* GemPrototype(const CGemObject& gem);

// Replaces a gem by the prototype it finally stands for and sets *matrixOut to the matrix that
// carries that prototype's points into the design (inner placements first). Any other object is
// left as it is with the identity; a gem with a bad index, no library or a chain reaching past
// kMaxGemNesting (counting the gems already entered) becomes null, also with the identity.
void ResolveGemInstance(CGeomObject*& object, Matrix4* matrixOut);
