#include "kernel/boolean_object.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "kernel/curve_object.h"
#include "kernel/mesh_object.h"
#include "kernel/object_kind_registry.h"
#include "kernel/object_stream.h"
#include "program_state.h"
#include "record_fixture.h"

namespace {

class BooleanObjectTest : public LumidrexTest {};

// A member that notes what the group asks of it; its bounds are the box [tag, tag + 1] on x.
struct MemberLog {
  std::vector<int> drawn;
  std::vector<int> transformed;
};

class RecordingMember : public CGeomObject {
 public:
  RecordingMember(MemberLog* log, int tag) : log_(log), tag_(tag) {}
  void Transform(Matrix4, int) override { log_->transformed.push_back(tag_); }
  void Draw(int) override { log_->drawn.push_back(tag_); }
  std::unique_ptr<CGeomObject> Clone() const override {
    auto copy = std::make_unique<RecordingMember>(log_, tag_);
    CGeomObject_CopyCommonFields(copy.get(), this);
    return copy;
  }
  void GetBounds(Vector3* min, Vector3* max, Matrix4) const override {
    *min = {static_cast<float>(tag_), 0, 0};
    *max = {static_cast<float>(tag_ + 1), 0, 0};
  }
  int tag() const { return tag_; }

 private:
  MemberLog* log_;
  int tag_;
};

std::unique_ptr<CMeshObject> MeshAt(float x, std::int32_t state, std::int32_t layer) {
  auto mesh = std::make_unique<CMeshObject>();
  mesh->SetPoints(3, {{x, 0, 0}, {x + 1, 0, 0}, {x, 1, 0}});
  mesh->faceSizes = {3};
  mesh->faceIndices = {0, 1, 2};
  mesh->ObjectState = state;
  mesh->layer = layer;
  return mesh;
}

std::unique_ptr<CBooleanObject> GroupOf(int operation, std::unique_ptr<CGeomObject> first,
                                        std::unique_ptr<CGeomObject> second) {
  auto group = std::make_unique<CBooleanObject>();
  group->SetOperation(operation);
  group->members.Append(std::move(first));
  group->members.Append(std::move(second));
  return group;
}

std::vector<const CGeomObject*> Members(const CBooleanObject& group) {
  std::vector<const CGeomObject*> list;
  for (const CGeomObject* m = group.members.head(); m != nullptr; m = m->next) list.push_back(m);
  return list;
}

// Composite record, then the operation code.
constexpr std::size_t kFirstMarkerOffset = 4 + 4 + 64 + 4 + 64 + 4 + 64 + 2;

TEST_F(BooleanObjectTest, WhichMembersCount) {
  struct Case {
    int operation;
    int subtractBody;
    int firstChildBoundsOnly;
    std::vector<std::int32_t> states;  // member i has tag 2i
    std::vector<int> counted;          // drawn, transformed with whole 0 and bounded
    std::vector<int> bounded;
  };
  const std::vector<std::int32_t> mixed = {0, 1, 2, 0};
  const Case cases[] = {
      {kBooleanUnion, 0, 0, mixed, {0, 2, 6}, {0, 2, 6}},
      {kBooleanUnion, 0, 1, mixed, {0, 2, 6}, {0, 2, 6}},
      {kBooleanIntersection, 1, 1, mixed, {0, 2, 6}, {0, 2, 6}},
      {kBooleanSubtraction, 0, 0, mixed, {0}, {0}},
      {kBooleanSubtraction, 0, 1, mixed, {0}, {0}},
      {kBooleanSubtraction, 1, 0, mixed, {0, 2, 6}, {0, 2, 6}},
      {kBooleanSubtraction, 1, 1, mixed, {0, 2, 6}, {0}},
      {kBooleanSubtraction, 0, 0, {3, 0, 0}, {}, {}},
      {kBooleanSubtraction, 1, 1, {-1, 0, 0}, {2, 4}, {}},
      {kBooleanUnion, 0, 0, {2, 0, -1, 1}, {2, 6}, {2, 6}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "operation " << c.operation << ", body flag " << c.subtractBody << ", switch "
                 << c.firstChildBoundsOnly << ", states " << testing::PrintToString(c.states));
    MemberLog log;
    CBooleanObject group;
    group.SetOperation(c.operation);
    group.subtractBody = c.subtractBody;
    for (std::size_t i = 0; i < c.states.size(); ++i) {
      auto member = std::make_unique<RecordingMember>(&log, static_cast<int>(2 * i));
      member->ObjectState = c.states[i];
      group.members.Append(std::move(member));
    }
    FirstChildBoundsOnly = c.firstChildBoundsOnly;

    group.Draw(0);
    EXPECT_EQ(log.drawn, c.counted);
    group.Transform(kIdentityMatrix, 0);
    EXPECT_EQ(log.transformed, c.counted);
    log.transformed.clear();
    group.Transform(kIdentityMatrix, 1);
    std::vector<int> all;
    for (std::size_t i = 0; i < c.states.size(); ++i) all.push_back(static_cast<int>(2 * i));
    EXPECT_EQ(log.transformed, all);

    Vector3 min, max;
    group.GetBounds(&min, &max, kIdentityMatrix);
    if (c.bounded.empty()) {
      EXPECT_EQ(min, Vector3(1e30f, 1e30f, 1e30f));
      EXPECT_EQ(max, Vector3(-1e30f, -1e30f, -1e30f));
    } else {
      EXPECT_EQ(min.x, static_cast<float>(c.bounded.front()));
      EXPECT_EQ(max.x, static_cast<float>(c.bounded.back() + 1));
    }
  }
}

TEST_F(BooleanObjectTest, TransformWithWholeMovesThePlacement) {
  CBooleanObject group;
  group.SetOperation(kBooleanUnion);
  group.members.Append(MeshAt(0, 0, 0));
  Matrix4 shift = kIdentityMatrix;
  shift[13] = 5;
  group.Transform(shift, 1);
  EXPECT_EQ(group.placement[13], 5.0f);
  EXPECT_EQ(static_cast<const CMeshObject*>(group.members.head())->points[0], Vector3(0, 5, 0));
  group.Transform(shift, 0);
  EXPECT_EQ(group.placement[13], 5.0f);
}

TEST_F(BooleanObjectTest, CloneAndSwapKeepTheMembersInOrder) {
  MemberLog log;
  CBooleanObject group;
  group.SetOperation(kBooleanSubtraction);
  group.subtractBody = 1;
  group.placement[12] = 3;
  group.ObjectState = 1;
  for (int tag : {4, 7, 9}) group.members.Append(std::make_unique<RecordingMember>(&log, tag));

  const std::unique_ptr<CGeomObject> clone = group.Clone();
  auto& copy = static_cast<CBooleanObject&>(*clone);
  EXPECT_EQ(copy.Operation(), kBooleanSubtraction);
  EXPECT_EQ(copy.subtractBody, 1);
  EXPECT_EQ(copy.placement[12], 3.0f);
  EXPECT_EQ(copy.ObjectState, 1);
  const auto originals = Members(group);
  std::vector<int> tags;
  for (const CGeomObject* m : Members(copy)) {
    EXPECT_EQ(std::count(originals.begin(), originals.end(), m), 0);
    tags.push_back(static_cast<const RecordingMember*>(m)->tag());
  }
  EXPECT_EQ(tags, (std::vector<int>{4, 7, 9}));

  CBooleanObject other;
  CGeomObject anchor;
  other.next = &anchor;
  const CGeomObject* firstMember = group.members.head();
  other.Swap(group);
  EXPECT_EQ(other.next, &anchor);
  EXPECT_EQ(other.members.head(), firstMember);
  EXPECT_EQ(other.Operation(), kBooleanSubtraction);
  EXPECT_TRUE(group.members.empty());
  EXPECT_EQ(group.subtractBody, 0);

  // A different class is left alone.
  CMeshObject mesh;
  other.Swap(mesh);
  EXPECT_EQ(other.members.head(), firstMember);
}

// A body whose subtractors count is stored with state -99 and layer 0; reading restores the
// state and the flag.
TEST_F(BooleanObjectTest, MarkedBodySurvivesARoundTrip) {
  for (const std::int32_t bodyState : {0, 1}) {
    SCOPED_TRACE(bodyState);
    const auto group = GroupOf(kBooleanSubtraction, MeshAt(0, bodyState, 5), MeshAt(3, 0, 3));
    group->subtractBody = 1;

    const Bytes bytes = CaptureWrite([&] { group->Write(); });
    EXPECT_EQ(group->members.head()->ObjectState, bodyState);
    EXPECT_EQ(group->members.head()->layer, 0);

    ASSERT_EQ(bytes[kFirstMarkerOffset], ':');
    std::uint32_t stateAndLayer = 0;
    std::memcpy(&stateAndLayer, &bytes[kFirstMarkerOffset + 1 + 4], 4);
    EXPECT_EQ(stateAndLayer, static_cast<std::uint32_t>(bodyState - 99) & 0xFFFF);
    EXPECT_EQ(bytes.back(), '%');

    const auto back = ReadRecordAs<CBooleanObject>(bytes);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->ObjectState, 0);
    EXPECT_EQ(back->Operation(), kBooleanSubtraction);
    EXPECT_EQ(back->subtractBody, 1);
    const auto members = Members(*back);
    ASSERT_EQ(members.size(), 2u);
    EXPECT_EQ(members[0]->ObjectState, bodyState);
    EXPECT_EQ(members[0]->layer, 0);
    EXPECT_EQ(members[1]->ObjectState, 0);
    EXPECT_EQ(members[1]->layer, 3);
  }
}

TEST_F(BooleanObjectTest, UnmarkedSubtractionReadsWithoutTheFlag) {
  const auto group = GroupOf(kBooleanSubtraction, MeshAt(0, 1, 4), MeshAt(3, 0, 3));
  const auto back = ReadRecordAs<CBooleanObject>(CaptureWrite([&] { group->Write(); }));
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->subtractBody, 0);
  EXPECT_EQ(back->members.head()->ObjectState, 1);
  EXPECT_EQ(back->members.head()->layer, 4);
}

TEST_F(BooleanObjectTest, ListEndingAtTheEndOfTheFileKeepsItsMembers) {
  const auto group = GroupOf(kBooleanUnion, MeshAt(0, 0, 0), MeshAt(3, 1, 0));
  Bytes bytes = CaptureWrite([&] { group->Write(); });
  ASSERT_EQ(bytes.back(), '%');
  bytes.pop_back();

  const auto back = ReadRecordAs<CBooleanObject>(bytes);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->ObjectState, 0);
  EXPECT_EQ(Members(*back).size(), 2u);
}

TEST_F(BooleanObjectTest, StrayBytesBetweenMembersAreSkipped) {
  const auto group = GroupOf(kBooleanIntersection, MeshAt(0, 0, 0), MeshAt(3, 0, 0));
  Bytes bytes = CaptureWrite([&] { group->Write(); });
  const std::size_t memberBytes = CaptureWrite([&] { group->members.head()->Write(); }).size();
  const Bytes stray = {'x', 0, 0x7F};
  bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(kFirstMarkerOffset + 1 + memberBytes),
               stray.begin(), stray.end());
  bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(kFirstMarkerOffset), stray.begin(),
               stray.end());
  bytes.push_back(':');  // after the end marker: not part of the group

  ScratchFile file(bytes);
  const std::unique_ptr<CGeomObject> object = ReadObject();
  const auto& back = static_cast<const CBooleanObject&>(*object);
  EXPECT_EQ(back.ObjectState, 0);
  EXPECT_EQ(back.Operation(), kBooleanIntersection);
  EXPECT_EQ(Members(back).size(), 2u);
  EXPECT_EQ(file.Position(), static_cast<long>(bytes.size() - 1));
}

// A failed member is dropped; a failed body leaves the subtraction without a body, so the group
// fails, but it is read to its end marker so what follows stays in step.
TEST_F(BooleanObjectTest, FailedMembers) {
  struct Case {
    int operation;
    int failedIndex;
    bool failedIsEmptyCurve;  // else a mesh indexing past its vertices
    std::int32_t groupState;
    std::size_t members;
  };
  const Case cases[] = {
      {kBooleanSubtraction, 0, true, kStateBadRecord, 0},
      {kBooleanSubtraction, 0, false, kStateBadRecord, 0},
      {kBooleanSubtraction, 1, true, 0, 1},
      {kBooleanUnion, 0, false, 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "operation " << c.operation << ", failed " << c.failedIndex
                                    << (c.failedIsEmptyCurve ? ", empty curve" : ", bad mesh"));
    ResetProgramState();
    CBooleanObject group;
    group.SetOperation(c.operation);
    group.subtractBody = 1;
    for (int i = 0; i < 2; ++i) {
      if (i == c.failedIndex && c.failedIsEmptyCurve) {
        group.members.Append(std::make_unique<CCurveObject>());
      } else {
        group.members.Append(MeshAt(static_cast<float>(3 * i), 0, 0));
      }
    }
    Bytes bytes = CaptureWrite([&] { group.Write(); });
    // The writer refuses a mesh indexing past its vertices, so the failed member's last index is
    // patched in its written faces: one face of 3, indices 0, 1, 2.
    if (!c.failedIsEmptyCurve) {
      const Bytes faces = Words({1, 3, 0, 1, 2});
      auto at = bytes.begin();
      for (int i = 0; i <= c.failedIndex; ++i) {
        at = std::search(i == 0 ? bytes.begin() : at + 1, bytes.end(), faces.begin(), faces.end());
        ASSERT_NE(at, bytes.end());
      }
      at[16] = 7;
    }
    const Bytes next = CaptureWrite([] { MeshAt(9, 0, 0)->Write(); });
    bytes.insert(bytes.end(), next.begin(), next.end());

    ScratchFile file(bytes);
    const std::unique_ptr<CGeomObject> object = ReadObject();
    const auto& back = static_cast<const CBooleanObject&>(*object);
    EXPECT_EQ(back.ObjectState, c.groupState);
    EXPECT_EQ(Members(back).size(), c.members);
    for (const CGeomObject* m : Members(back)) EXPECT_EQ(m->ObjectState, 0);

    const std::unique_ptr<CGeomObject> following = ReadObject();
    ASSERT_NE(following, nullptr);
    EXPECT_EQ(following->ObjectState, 0);
    EXPECT_EQ(static_cast<const CMeshObject&>(*following).points[0], Vector3(9, 0, 0));
  }
}

TEST_F(BooleanObjectTest, GroupWithoutReadableMembersFails) {
  Bytes bytes = FreshCommonRecord(kKindBoolean);
  AppendMatrix(&bytes, kIdentityMatrix);
  Append<std::int16_t>(&bytes, 0x0102);  // only the low byte counts
  bytes.push_back(':');
  Append<std::int32_t>(&bytes, 77);  // unknown kind
  bytes.push_back('%');
  const auto back = ReadRecordAs<CBooleanObject>(bytes);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->Operation(), kBooleanUnion);
  EXPECT_EQ(back->ObjectState, kStateBadRecord);
  EXPECT_TRUE(back->members.empty());
}

// Groups nested in groups: within the bound they read; past it the record fails and the read
// ends, with no stack overflow however deep the file claims to go.
TEST_F(BooleanObjectTest, NestingIsBounded) {
  const Bytes mesh = CaptureWrite([] { MeshAt(0, 0, 0)->Write(); });
  for (const int depth : {kMaxRecordNesting - 1, kMaxRecordNesting, 5000}) {
    SCOPED_TRACE(depth);
    ResetProgramState();
    Bytes bytes;
    for (int i = 0; i < depth; ++i) {
      const Bytes common = FreshCommonRecord(kKindBoolean);
      bytes.insert(bytes.end(), common.begin(), common.end());
      AppendMatrix(&bytes, kIdentityMatrix);
      Append<std::int16_t>(&bytes, kBooleanUnion);
      bytes.push_back(':');
    }
    bytes.insert(bytes.end(), mesh.begin(), mesh.end());
    bytes.insert(bytes.end(), static_cast<std::size_t>(depth), '%');

    ScratchFile file(bytes);
    std::unique_ptr<CGeomObject> object = ReadObject();
    ASSERT_NE(object, nullptr);
    if (depth < kMaxRecordNesting) {
      EXPECT_EQ(object->ObjectState, 0);
      EXPECT_FALSE(ObjectStreamFailed());
      int levels = 0;
      const CGeomObject* walk = object.get();
      while (walk->GetKind() == kKindBoolean) {
        walk = static_cast<const CBooleanObject*>(walk)->members.head();
        ++levels;
      }
      EXPECT_EQ(levels, depth);
      EXPECT_EQ(walk->GetKind(), kKindMesh);
    } else {
      EXPECT_EQ(object->ObjectState, kStateBadRecord);
      EXPECT_TRUE(ObjectStreamFailed());
      EXPECT_TRUE(static_cast<const CBooleanObject&>(*object).members.empty());
    }
  }
}

TEST_F(BooleanObjectTest, LargeGroupIsDeletedWithoutDeepRecursion) {
  auto group = std::make_unique<CBooleanObject>();
  group->SetOperation(kBooleanUnion);
  for (int i = 0; i < 100000; ++i) group->members.Append(std::make_unique<CGeomObject>());
  const std::unique_ptr<CGeomObject> clone = group->Clone();
  group.reset();
  EXPECT_NE(static_cast<const CBooleanObject&>(*clone).members.head(), nullptr);
}

}  // namespace
