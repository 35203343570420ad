#include <gtest/gtest.h>

#include <string>

#include "kernel/composite_object.h"
#include "kernel/name_pool.h"
#include "kernel/object_kind_registry.h"
#include "kernel/object_stream.h"
#include "kernel/point_set_object.h"
#include "program_state.h"
#include "record_fixture.h"
#include "scratch_file.h"

namespace {

// A point-set kind under a code of its own, so its records can go through ReadObject.
constexpr std::int32_t kTestKind = 77;

class TestPointSet : public CPointSetObject {
 public:
  int GetKind() const override { return kTestKind; }
};

class ObjectRecordTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    entry_.Register();
  }
  ObjectKindEntry<TestPointSet> entry_{kTestKind};
};

TEST_F(ObjectRecordTest, CommonRecordLayout) {
  CGeomObject object;
  object.ObjectState = 1;
  object.layer = -2;
  object.flags = kFlagNoDeform;
  object.jewel = 1;
  object.mappingKind = 1;
  object.orientation[12] = 5;
  object.materialName = PoolName("Gold");

  const Bytes written = CaptureWrite([&] { object.Write(); });
  Matrix4 frame = kIdentityMatrix;
  frame[12] = 5;
  EXPECT_EQ(written, CommonRecord(0, 0xFFFE0001u, frame, 0x301u, Matrix4(), "Gold"));
  EXPECT_EQ(written.size(), 144u + 4u);
}

TEST_F(ObjectRecordTest, CommonFieldsSurviveARecord) {
  struct Case {
    std::int32_t state, layer, flags, jewel, subtractor, mappingKind;
  };
  for (const Case& c : {Case{1, -2, kFlagNoDeform, 1, 0, 1}, Case{0, 19, 0x00ABCD00, 0, 1, 255},
                        Case{3, 0, kFlagNoDeform | 0x00000100, 1, 1, 0}}) {
    TestPointSet source;
    source.SetPoints(1, {{1, 2, 3}}, {1});
    source.ObjectState = c.state;
    source.layer = c.layer;
    source.flags = c.flags;
    source.jewel = c.jewel;
    source.subtractor = c.subtractor;
    source.mappingKind = c.mappingKind;
    source.mappingFrame[3] = 0.25f;

    ScratchFile scratch;
    source.Write();
    scratch.Contents();
    std::unique_ptr<CGeomObject> back = ReadObject();
    ASSERT_NE(back, nullptr);
    auto& read = static_cast<CPointSetObject&>(*back);
    EXPECT_EQ(read.ObjectState, c.state);
    EXPECT_EQ(read.layer, c.layer);
    EXPECT_EQ(read.flags, c.flags);
    EXPECT_EQ(read.jewel, c.jewel);
    EXPECT_EQ(read.subtractor, c.subtractor);
    EXPECT_EQ(read.mappingKind, c.mappingKind);
    EXPECT_EQ(read.mappingFrame, source.mappingFrame);
    EXPECT_EQ(read.points, source.points);
    EXPECT_EQ(read.marks, source.marks);
    EXPECT_EQ(read.materialName, nullptr);
    EXPECT_FALSE(ObjectStreamFailed());
  }
}

TEST_F(ObjectRecordTest, NegativeStateDoesNotSurviveARecord) {
  CGeomObject object;
  object.ObjectState = -1;
  const Bytes written = CaptureWrite([&] { object.Write(); });
  ScratchFile scratch({written.begin() + 4, written.end()});
  CGeomObject back;
  back.Read();
  EXPECT_EQ(back.ObjectState, 0xFFFF);
}

TEST_F(ObjectRecordTest, PointSetAndCompositeRecordLayouts) {
  TestPointSet points;
  points.SetPoints(1, {{1, 2, 3}}, {7});
  Bytes expected = CommonRecord(kTestKind, 0, kIdentityMatrix, 0, Matrix4(), "");
  Append(&expected, std::int32_t{1});
  for (const float f : {1.0f, 2.0f, 3.0f}) Append(&expected, f);
  Append(&expected, std::int32_t{7});
  EXPECT_EQ(CaptureWrite([&] { points.Write(); }), expected);

  CFramedObject framed;
  framed.placement[13] = 4;
  Bytes expectedFramed = CommonRecord(0, 0, kIdentityMatrix, 0, Matrix4(), "");
  AppendMatrix(&expectedFramed, framed.placement);
  EXPECT_EQ(CaptureWrite([&] { framed.Write(); }), expectedFramed);
}

TEST_F(ObjectRecordTest, MaterialNamesAreWindows1252OnFile) {
  CGeomObject object;
  object.materialName = PoolName("Rosé €金");
  const Bytes written = CaptureWrite([&] { object.Write(); });
  EXPECT_EQ(written.size(), 144u + 7u);
  EXPECT_EQ(Bytes(written.end() - 7, written.end()), (Bytes{'R', 'o', 's', 0xE9, ' ', 0x80, '?'}));

  ScratchFile scratch({written.begin() + 4, written.end()});
  CGeomObject back;
  back.Read();
  ASSERT_NE(back.materialName, nullptr);
  EXPECT_EQ(*back.materialName, "Rosé €?");
}

TEST_F(ObjectRecordTest, OverlongMaterialNamesAreCutAndTheStreamStaysInStep) {
  CGeomObject object;
  object.materialName = PoolName(std::string(1500, 'a'));
  const Bytes written = CaptureWrite([&] { object.Write(); });
  EXPECT_EQ(written.size(), 144u + 1023u);

  // A stored name of 1500 bytes followed by a point count: the count must still read right.
  Bytes record = CommonRecord(kTestKind, 0, kIdentityMatrix, 0, Matrix4(), std::string(1500, 'b'));
  Append(&record, std::int32_t{0});
  ScratchFile scratch(record);
  std::unique_ptr<CGeomObject> back = ReadObject();
  ASSERT_NE(back, nullptr);
  ASSERT_NE(back->materialName, nullptr);
  EXPECT_EQ(*back->materialName, std::string(1023, 'b'));
  EXPECT_FALSE(ObjectStreamFailed());
  EXPECT_EQ(back->ObjectState, 0);
}

}  // namespace
