#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "kernel/boolean_object.h"
#include "kernel/curve_object.h"
#include "kernel/gem_library.h"
#include "kernel/gem_object.h"
#include "kernel/mesh_object.h"
#include "kernel/object_kind_registry.h"
#include "platform/program_folder.h"
#include "gem_library_file.h"
#include "program_state.h"
#include "scene/drawing_context.h"
#include "temp_dir.h"

namespace {

// A kind of our own whose drawing is counted, with the model matrix it was drawn under.
constexpr std::int32_t kCountedKind = 77;
class DrawCounter : public CGeomObject {
 public:
  int GetKind() const override { return kCountedKind; }
  void Draw(int) override {
    ++draws;
    drawnUnder = GetModelMatrix();
  }
  static inline int draws = 0;
  static inline Matrix4 drawnUnder;
};

Matrix4 Placement(float scale, float dx) {
  Matrix4 m = kIdentityMatrix;
  m[0] = m[5] = m[10] = scale;
  m[12] = dx;
  return m;
}

std::unique_ptr<CGemObject> Gem(int index, const Matrix4& placement = kIdentityMatrix) {
  auto gem = std::make_unique<CGemObject>();
  gem->SetLibraryIndex(index);
  gem->placement = placement;
  return gem;
}

bool IsEmptyBox(const Vector3& min, const Vector3& max) { return min.x > max.x && min.y > max.y && min.z > max.z; }

class GemLibraryTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    counterEntry_.Register();
    DrawCounter::draws = 0;
    SetProgramDirOverride(folder.path());
  }

  // Writes the objects as the gem library of the test's program folder.
  void WriteLibrary(std::vector<std::unique_ptr<CGeomObject>> objects) {
    WriteGemLibraryFile(folder.File(kGemLibraryFileName), std::move(objects));
  }

  TempDir folder;

 private:
  ObjectKindEntry<DrawCounter> counterEntry_{kCountedKind};
};

struct Extents {
  Vector3 min, max;
};

// The girdle outlines and heights the generator gives each cut.
// Brilliants are 1.2 deep and step cuts too, in units where the outline spans 2, scaled so that
// the Jewel command's stone is 60 % as deep as it is wide: the marquise and pear by width over
// length (the command scales their depth by the length), the triangle by its height of 1.5 over 2.
constexpr float kMarquise = 0.36f / 0.746f;
constexpr float kPear = 0.375f / 0.5f;
const Extents kCutExtents[] = {
    {{-1, -1, -0.88f}, {1, 1, 0.32f}},                          // round
    {{-1, -1, -0.88f * kMarquise}, {1, 1, 0.32f * kMarquise}},  // marquise
    {{-1, -1, -0.88f * kPear}, {1, 1, 0.32f * kPear}},          // pear
    {{-1, -1, -0.88f}, {1, 1, 0.32f}},                          // heart
    {{-1, -1, -0.98f}, {1, 1, 0.22f}},                          // octagon
    {{-1, -0.5f, -0.49f}, {1, 0.5f, 0.11f}},                    // taper
    {{-1, -1, -0.02f}, {1, 1, 1.18f}},                          // rose
    {{-1, -0.5f, -0.49f}, {1, 0.5f, 0.11f}},                    // baguette
    {{-1, -1, -0.98f}, {1, 1, 0.22f}},                          // square
    {{-0.8660254f, -0.5f, -0.735f}, {0.8660254f, 1, 0.165f}},   // triangle
};

Vector3 Sub(Vector3 a, Vector3 b) { return VecSub(a, b); }
float Dot(Vector3 a, Vector3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// Checks that the mesh is closed and consistently wound with positive volume (so every face
// faces outward), and that every face is planar and convex with valid indices.
void ExpectSoundSolid(const CMeshObject& mesh, int index) {
  std::map<std::pair<int, int>, int> edges;
  double volume = 0;
  std::size_t at = 0;
  for (const std::int32_t size : mesh.faceSizes) {
    ASSERT_GE(size, 3) << "cut " << index;
    ASSERT_LE(at + static_cast<std::size_t>(size), mesh.faceIndices.size()) << "cut " << index;
    const std::int32_t* face = &mesh.faceIndices[at];
    at += static_cast<std::size_t>(size);
    for (int i = 0; i < size; ++i) {
      ASSERT_GE(face[i], 0);
      ASSERT_LT(face[i], mesh.PointCount());
    }
    auto p = [&](int i) { return mesh.points[static_cast<std::size_t>(face[i % size])]; };
    // The shading's normal: (P2 - P1) x (P0 - P1).
    const Vector3 normal = VecCross(Sub(p(2), p(1)), Sub(p(0), p(1)));
    const float length = std::sqrt(Dot(normal, normal));
    ASSERT_GT(length, 1e-6f) << "cut " << index;
    for (int i = 0; i < size; ++i) {
      ++edges[{face[i], face[(i + 1) % size]}];
      EXPECT_GT(Dot(VecCross(Sub(p(i + 2), p(i + 1)), Sub(p(i), p(i + 1))), normal), 0) << "cut " << index << " not convex";
      EXPECT_NEAR(Dot(normal, Sub(p(i), p(0))) / length, 0, 1e-5) << "cut " << index << " not planar";
      if (i >= 1 && i + 1 < size) {
        volume += Dot(p(0), VecCross(p(i), p(i + 1)));  // fan of the face, against the origin
      }
    }
  }
  EXPECT_EQ(at, mesh.faceIndices.size()) << "cut " << index;
  for (const auto& [edge, uses] : edges) {
    EXPECT_EQ(uses, 1) << "cut " << index;
    const auto back = edges.find({edge.second, edge.first});
    EXPECT_TRUE(back != edges.end() && back->second == 1) << "cut " << index << " open at " << edge.first;
  }
  EXPECT_GT(volume, 0) << "cut " << index << " wound inward";
}

TEST_F(GemLibraryTest, GeneratedLibraryHoldsTenSoundCuts) {
  SetProgramDirOverride(LUMIDREX_PROGRAM_FOLDER);
  ASSERT_NE(GemLibrary.Prototype(0), nullptr);
  ASSERT_EQ(GemLibrary.Count(), 10);
  for (int i = 0; i < 10; ++i) {
    const CGeomObject* prototype = GemLibrary.Prototype(i);
    ASSERT_EQ(prototype->GetKind(), kKindMesh) << i;
    const auto& mesh = static_cast<const CMeshObject&>(*prototype);
    EXPECT_EQ(mesh.controlPointsHidden, 1);
    EXPECT_EQ(mesh.flatShading, 1);
    EXPECT_EQ(mesh.orientationSign, 1);
    EXPECT_EQ(mesh.ObjectState, 0);
    EXPECT_EQ(mesh.layer, 0);
    EXPECT_EQ(mesh.flags, 0);
    EXPECT_EQ(mesh.orientation, kIdentityMatrix);
    EXPECT_EQ(mesh.mappingFrame, kIdentityMatrix);
    EXPECT_EQ(mesh.materialName, nullptr);
    ExpectSoundSolid(mesh, i);

    Vector3 min, max;
    mesh.GetBounds(&min, &max, kIdentityMatrix);
    const Extents& expected = kCutExtents[i];
    for (const auto& [got, want] : {std::pair{min, expected.min}, std::pair{max, expected.max}}) {
      EXPECT_NEAR(got.x, want.x, 1e-5) << "cut " << i;
      EXPECT_NEAR(got.y, want.y, 1e-5) << "cut " << i;
      EXPECT_NEAR(got.z, want.z, 1e-5) << "cut " << i;
    }
  }
}

TEST_F(GemLibraryTest, RoundGemScaledByHalfItsDiameterIsThatWide) {
  SetProgramDirOverride(LUMIDREX_PROGRAM_FOLDER);
  CGemObject gem;
  gem.SetLibraryIndex(0);
  constexpr float kDiameter = 3.5f;
  gem.Transform(Placement(kDiameter / 2, 0), 1);
  Vector3 min, max;
  gem.GetBounds(&min, &max, kIdentityMatrix);
  EXPECT_NEAR(max.x - min.x, kDiameter, 1e-5);
  EXPECT_NEAR(max.y - min.y, kDiameter, 1e-5);
}

TEST_F(GemLibraryTest, MissingLibraryIsTriedAgainOnTheNextUse) {
  auto gem = Gem(0);
  Vector3 min, max;
  gem->GetBounds(&min, &max, kIdentityMatrix);
  EXPECT_TRUE(IsEmptyBox(min, max));
  CGeomObject* resolved = gem.get();
  Matrix4 matrix = Placement(2, 2);
  ResolveGemInstance(resolved, &matrix);
  EXPECT_EQ(resolved, nullptr);
  EXPECT_EQ(matrix, kIdentityMatrix);
  EXPECT_EQ(GemLibrary.Count(), 0);

  std::vector<std::unique_ptr<CGeomObject>> library;
  library.push_back(std::make_unique<DrawCounter>());
  WriteLibrary(std::move(library));
  gem->Draw(0);
  EXPECT_EQ(GemLibrary.Count(), 1);
  EXPECT_EQ(DrawCounter::draws, 1);
}

TEST_F(GemLibraryTest, LibraryEntriesThatAreGemsOfEachOtherEnd) {
  for (const std::vector<int>& indices : {std::vector<int>{0}, std::vector<int>{1, 0}}) {
    std::vector<std::unique_ptr<CGeomObject>> library;
    for (const int index : indices) library.push_back(Gem(index, Placement(2, 1)));
    WriteLibrary(std::move(library));
    GemLibrary.Free();

    auto gem = Gem(0);
    SetModelMatrix(kIdentityMatrix);
    gem->Draw(0);
    EXPECT_EQ(GetModelMatrix(), kIdentityMatrix);
    Vector3 min, max;
    gem->GetBounds(&min, &max, kIdentityMatrix);
    EXPECT_TRUE(IsEmptyBox(min, max));
    CGeomObject* resolved = gem.get();
    Matrix4 matrix;
    ResolveGemInstance(resolved, &matrix);
    EXPECT_EQ(resolved, nullptr);
    EXPECT_EQ(matrix, kIdentityMatrix);
  }
}

// Prototypes 0 to 6 each a group of four gems of the next, 7 a part: a gem of prototype k draws
// the part 4^(7 - k) times and stands for n(k) = 1 + 4 (1 + n(k + 1)) objects, n(7) = 1. Up to
// kMaxGemObjects of them it is drawn whole; beyond, it stands for nothing, as a bad index does,
// instead of costing its fan-out.
TEST_F(GemLibraryTest, GemsThatFanOutBeyondTheObjectBoundStandForNothing) {
  std::vector<std::unique_ptr<CGeomObject>> library;
  for (int k = 0; k < 7; ++k) {
    auto group = std::make_unique<CBooleanObject>();
    group->SetOperation(kBooleanUnion);
    for (int i = 0; i < 4; ++i) group->members.Append(Gem(k + 1));
    library.push_back(std::move(group));
  }
  library.push_back(std::make_unique<DrawCounter>());
  WriteLibrary(std::move(library));
  std::int64_t objects = 1;
  int drawn = 0;
  for (int k = 7; k >= 0; --k) {
    SCOPED_TRACE(k);
    const int parts = 1 << (2 * (7 - k));
    DrawCounter::draws = 0;
    Gem(k)->Draw(0);
    EXPECT_EQ(DrawCounter::draws, objects <= kMaxGemObjects ? parts : 0);
    EXPECT_EQ(GemLibrary.InstancedPrototype(k) != nullptr, objects <= kMaxGemObjects);
    EXPECT_NE(GemLibrary.Prototype(k), nullptr);
    drawn += objects <= kMaxGemObjects ? 1 : 0;
    objects = 1 + 4 * (1 + objects);
  }
  EXPECT_EQ(drawn, 4);  // 1, 9, 41 and 169 objects
}

TEST_F(GemLibraryTest, GemOfAGemResolvesInnerTimesOuter) {
  const Matrix4 inner = Placement(3, 1);
  const Matrix4 outer = Placement(0.5f, 7);
  std::vector<std::unique_ptr<CGeomObject>> library;
  library.push_back(Gem(1, inner));
  library.push_back(std::make_unique<DrawCounter>());
  auto curve = std::make_unique<CCurveObject>();
  curve->SetPoints(1);
  curve->controlPointsHidden = 0;
  library.push_back(std::move(curve));
  WriteLibrary(std::move(library));

  auto gem = Gem(0, outer);
  CGeomObject* resolved = gem.get();
  Matrix4 matrix;
  ResolveGemInstance(resolved, &matrix);
  EXPECT_EQ(resolved, GemLibrary.Prototype(1));
  EXPECT_EQ(matrix, MatMultiply(inner, outer));
  // A point of the prototype lands at ((x * 3 + 1) * 0.5 + 7).
  EXPECT_EQ(TransformPoint({1, 0, 0}, matrix).x, 9);

  const Matrix4 view = Placement(2, 0);
  SetModelMatrix(view);
  gem->Draw(0);
  EXPECT_EQ(DrawCounter::draws, 1);
  EXPECT_EQ(DrawCounter::drawnUnder, MatMultiply(inner, MatMultiply(outer, view)));
  EXPECT_EQ(GetModelMatrix(), view);

  // Prototypes never show their control points.
  EXPECT_EQ(static_cast<const CCurveObject*>(GemLibrary.Prototype(2))->controlPointsHidden, 1);

  // An object that is not a gem resolves to itself under the identity.
  CGeomObject* plain = GemLibrary.Prototype(1);
  ResolveGemInstance(plain, &matrix);
  EXPECT_EQ(plain, GemLibrary.Prototype(1));
  EXPECT_EQ(matrix, kIdentityMatrix);
}

TEST_F(GemLibraryTest, IndexOutsideTheLibraryDrawsNothing) {
  std::vector<std::unique_ptr<CGeomObject>> library;
  library.push_back(std::make_unique<DrawCounter>());
  WriteLibrary(std::move(library));
  const Matrix4 view = Placement(2, 3);
  for (const int index : {1, -1}) {
    SetModelMatrix(view);
    Gem(index, Placement(5, 5))->Draw(0);
    EXPECT_EQ(DrawCounter::draws, 0) << index;
    EXPECT_EQ(GetModelMatrix(), view) << index;
  }
}

TEST_F(GemLibraryTest, RecordIsTheCompositeRecordAndTheIndex) {
  auto gem = Gem(9, Placement(2, 1));
  gem->layer = 3;
  std::vector<std::unique_ptr<CGeomObject>> library;
  library.push_back(std::move(gem));
  WriteLibrary(std::move(library));
  const std::vector<std::uint8_t> bytes = ReadWholeFile(folder.File(kGemLibraryFileName));
  // Magic, ':', kind 99 ... placement, then the index before the end byte.
  ASSERT_GT(bytes.size(), 21u);
  EXPECT_EQ(bytes[kDesignFileMagicBytes + 1], kKindGem);
  EXPECT_EQ((std::vector<std::uint8_t>(bytes.end() - 5, bytes.end())), (std::vector<std::uint8_t>{9, 0, 0, 0, '#'}));

  const CGeomObject* back = GemLibrary.Prototype(0);
  ASSERT_NE(back, nullptr);
  ASSERT_EQ(back->GetKind(), kKindGem);
  const auto& readGem = static_cast<const CGemObject&>(*back);
  EXPECT_EQ(readGem.LibraryIndex(), 9);
  EXPECT_EQ(readGem.placement, Placement(2, 1));
  EXPECT_EQ(readGem.layer, 3);
  std::unique_ptr<CGeomObject> copy = readGem.Clone();
  EXPECT_EQ(static_cast<CGemObject&>(*copy).LibraryIndex(), 9);
  EXPECT_EQ(static_cast<CGemObject&>(*copy).placement, Placement(2, 1));
}

}  // namespace
