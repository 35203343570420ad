#include "kernel/mesh_object.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "kernel/object_kind_registry.h"
#include "kernel/object_stream.h"
#include "program_state.h"
#include "record_fixture.h"

namespace {

class MeshObjectTest : public LumidrexTest {};

std::unique_ptr<CMeshObject> Triangle() {
  auto mesh = std::make_unique<CMeshObject>();
  mesh->SetPoints(3, {{0, 0, 0}, {1, 0, 0}, {0, 2, 0}});
  EXPECT_TRUE(mesh->SetFaces({3}, {0, 1, 2}));
  return mesh;
}

// The faces are set with their sizes or not at all.
TEST_F(MeshObjectTest, SetFacesRefusesSizesThatDoNotFitTheIndices) {
  struct Case {
    const char* name;
    std::vector<std::int32_t> sizes, indices;
  };
  const Case refused[] = {
      {"more indices", {3}, {0, 1, 2, 0}},
      {"fewer indices", {3, 3}, {0, 1, 2}},
      {"a negative size", {-3, 6}, {0, 1, 2}},
      {"an index past the vertices", {3}, {0, 1, 3}},
      {"a negative index", {3}, {0, -1, 2}},
  };
  auto mesh = Triangle();
  for (const Case& c : refused) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(mesh->SetFaces(c.sizes, c.indices));
    EXPECT_EQ(mesh->faceSizes, std::vector<std::int32_t>{3});
    EXPECT_EQ(mesh->faceIndices, (std::vector<std::int32_t>{0, 1, 2}));
    EXPECT_TRUE(mesh->FacesFit());
  }
  EXPECT_TRUE(mesh->SetFaces({}, {}));
  EXPECT_EQ(mesh->FaceCount(), 0);
}

TEST_F(MeshObjectTest, NewMeshDefaults) {
  const CMeshObject mesh;
  EXPECT_EQ(mesh.GetCategory(), 1);
  EXPECT_EQ(mesh.GetKind(), kKindMesh);
  EXPECT_EQ(mesh.controlPointsHidden, 1);
  EXPECT_EQ(mesh.flatShading, 1);
  EXPECT_EQ(mesh.orientationSign, 1);
  EXPECT_EQ(mesh.PointCount(), 0);
  EXPECT_EQ(mesh.FaceCount(), 0);
}

TEST_F(MeshObjectTest, OneTriangleRecordByteForByte) {
  auto owned = Triangle();
  CMeshObject& mesh = *owned;
  mesh.marks[1] = 1;

  Bytes expected = PointSetRecord(kKindMesh, mesh.points, {0, 1, 0});
  for (const std::int32_t value : {1, 3, 0, 1, 2}) Append<std::int32_t>(&expected, value);

  ASSERT_EQ(CaptureWrite([&] { mesh.Write(); }), expected);

  const auto back = ReadRecordAs<CMeshObject>(expected);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->ObjectState, 0);
  EXPECT_EQ(back->points, mesh.points);
  EXPECT_EQ(back->marks, mesh.marks);
  EXPECT_EQ(back->faceSizes, mesh.faceSizes);
  EXPECT_EQ(back->faceIndices, mesh.faceIndices);
  EXPECT_EQ(back->controlPointsHidden, 1);
  EXPECT_EQ(back->flatShading, 1);
  EXPECT_EQ(back->orientationSign, 1);
}

// The booleans are stored inverted in bits 16-18 of the flags word; reading restores them and
// leaves only the no-deform bit in the flags field, and writing leaves the field as it was.
TEST_F(MeshObjectTest, BooleansRideInTheFlagsWord) {
  struct Case {
    std::int32_t hidden, flat, sign;
    std::uint32_t storedBits;
  };
  const Case cases[] = {
      {1, 1, 1, 0},
      {0, 1, -1, (1u << 16) | (1u << 18)},
      {1, 0, 1, 1u << 17},
      {0, 0, -1, 7u << 16},
  };
  constexpr std::size_t kFlagsWordOffset = 4 + 4 + 64;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.storedBits);
    auto owned = Triangle();
    CMeshObject& mesh = *owned;
    mesh.flags = kFlagNoDeform;
    mesh.controlPointsHidden = c.hidden;
    mesh.flatShading = c.flat;
    mesh.orientationSign = c.sign;
    const Bytes bytes = CaptureWrite([&] { mesh.Write(); });
    EXPECT_EQ(mesh.flags, kFlagNoDeform);

    std::uint32_t word = 0;
    std::memcpy(&word, &bytes[kFlagsWordOffset], 4);
    EXPECT_EQ(word, kRecordNoDeform | c.storedBits);

    const auto back = ReadRecordAs<CMeshObject>(bytes);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->controlPointsHidden, c.hidden);
    EXPECT_EQ(back->flatShading, c.flat);
    EXPECT_EQ(back->orientationSign, c.sign);
    EXPECT_EQ(back->flags, kFlagNoDeform);
  }
}

TEST_F(MeshObjectTest, NoFacesWriteNoIndexBytes) {
  CMeshObject mesh;
  mesh.SetPoints(1, {{5, 5, 5}});
  const Bytes bytes = CaptureWrite([&] { mesh.Write(); });
  const Bytes pointSet = CaptureWrite([&] { mesh.CPointSetObject::Write(); });
  ASSERT_EQ(bytes.size(), pointSet.size() + 4);
  EXPECT_EQ(Bytes(bytes.end() - 4, bytes.end()), Bytes(4, 0));

  const auto back = ReadRecordAs<CMeshObject>(bytes);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->ObjectState, 0);
  EXPECT_EQ(back->FaceCount(), 0);
  EXPECT_TRUE(back->faceIndices.empty());
}

// Faces that do not fit the vertices or the record are refused; structural damage also ends
// the stream, since the rest of the record cannot be followed.
TEST_F(MeshObjectTest, HostileFaceRecordsReadAsBad) {
  struct Case {
    const char* name;
    std::vector<std::int32_t> faces;  // face count, sizes, indices
    bool streamFails;
  };
  const Case cases[] = {
      {"negative face count", {-1, 3, 0, 1, 2}, true},
      {"negative size", {2, 3, -3, 0, 1, 2}, true},
      {"sizes summing past 2^31", {2, 0x7FFFFFFF, 0x7FFFFFFF, 0, 1, 2}, true},
      {"index -1", {1, 3, 0, -1, 2}, false},
      {"index equal to the point count", {1, 3, 0, 1, 3}, false},
      {"face count beyond the end", {1000, 3, 0, 1, 2}, true},
      {"indices beyond the end", {1, 4, 0, 1, 2}, true},
      {"huge face count", {0x7FFFFFFF}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResetProgramState();
    Bytes bytes = PointSetRecord(kKindMesh, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {0, 0, 0});
    for (const std::int32_t value : c.faces) Append<std::int32_t>(&bytes, value);

    ScratchFile file(bytes);
    const std::unique_ptr<CGeomObject> object = ReadObject();
    ASSERT_NE(object, nullptr);
    const auto& mesh = static_cast<const CMeshObject&>(*object);
    EXPECT_EQ(mesh.ObjectState, kStateBadRecord);
    EXPECT_EQ(mesh.FaceCount(), 0);
    EXPECT_TRUE(mesh.faceIndices.empty());
    EXPECT_EQ(ObjectStreamFailed(), c.streamFails);
  }
}

TEST_F(MeshObjectTest, CloneSwapAndBounds) {
  auto owned = Triangle();
  CMeshObject& mesh = *owned;
  mesh.flatShading = 0;
  mesh.orientationSign = -1;
  mesh.ObjectState = 2;

  const std::unique_ptr<CGeomObject> clone = mesh.Clone();
  auto& copy = static_cast<CMeshObject&>(*clone);
  EXPECT_EQ(copy.ObjectState, 2);
  EXPECT_EQ(copy.points, mesh.points);
  EXPECT_EQ(copy.faceSizes, mesh.faceSizes);
  EXPECT_EQ(copy.faceIndices, mesh.faceIndices);
  EXPECT_EQ(copy.flatShading, 0);
  EXPECT_EQ(copy.orientationSign, -1);
  EXPECT_EQ(copy.controlPointsHidden, 1);

  CMeshObject other;
  CGeomObject anchor;
  other.next = &anchor;
  other.Swap(mesh);
  EXPECT_EQ(other.next, &anchor);
  EXPECT_EQ(mesh.next, nullptr);
  EXPECT_EQ(other.faceIndices, (std::vector<std::int32_t>{0, 1, 2}));
  EXPECT_EQ(other.orientationSign, -1);
  EXPECT_EQ(mesh.FaceCount(), 0);
  EXPECT_EQ(mesh.orientationSign, 1);

  Matrix4 shift = kIdentityMatrix;
  shift[12] = 10;
  Vector3 min, max;
  other.GetBounds(&min, &max, shift);
  EXPECT_EQ(min, Vector3(10, 0, 0));
  EXPECT_EQ(max, Vector3(11, 2, 0));
  mesh.GetBounds(&min, &max, shift);
  EXPECT_GT(min.x, max.x);
}

}  // namespace
