#include <gtest/gtest.h>

#include <memory>

#include "kernel/axis_line_object.h"
#include "kernel/object_kind_registry.h"
#include "program_state.h"
#include "record_fixture.h"
#include "scratch_file.h"

namespace {

class AxisLineObjectTest : public LumidrexTest {};

TEST_F(AxisLineObjectTest, BoundsAreThePlaneAtTheFrameOrigin) {
  struct Case {
    int axis;
    Vector3 origin, min, max;
  };
  const Case cases[] = {
      {0, {5, 7, 9}, {5, -10000, -10000}, {5, 10000, 10000}},
      {1, {5, 7, 9}, {-10000, 7, -10000}, {10000, 7, 10000}},
      {2, {5, 7, 9}, {-10000, -10000, 9}, {10000, 10000, 9}},
  };
  Matrix4 shift = kIdentityMatrix;
  shift[12] = 100;  // the bounds ignore the matrix they are given
  for (const Case& c : cases) {
    CAxisLineObject line;
    line.axisIndex = c.axis;
    line.orientation[12] = c.origin.x;
    line.orientation[13] = c.origin.y;
    line.orientation[14] = c.origin.z;
    Vector3 min{1, 1, 1}, max{-1, -1, -1};
    line.GetBounds(&min, &max, shift);
    EXPECT_EQ(min, c.min) << "axis " << c.axis;
    EXPECT_EQ(max, c.max) << "axis " << c.axis;
  }
}

TEST_F(AxisLineObjectTest, RecordIsTheCommonRecordAndTheAxis) {
  CAxisLineObject line;
  line.axisIndex = 2;
  line.orientation[14] = -3.5f;
  line.layer = 4;
  Matrix4 frame = kIdentityMatrix;
  frame[14] = -3.5f;
  Bytes expected = CommonRecord(kKindAxisLine, 4u << 16, frame, 0, Matrix4(), "");
  Append(&expected, std::int32_t{2});
  const Bytes written = CaptureWrite([&] { line.Write(); });
  ASSERT_EQ(written, expected);

  ScratchFile file(written);
  std::unique_ptr<CGeomObject> back = ReadObject();
  ASSERT_NE(back, nullptr);
  ASSERT_EQ(back->GetKind(), kKindAxisLine);
  EXPECT_EQ(static_cast<CAxisLineObject&>(*back).axisIndex, 2);
  EXPECT_EQ(back->orientation[14], -3.5f);
  EXPECT_EQ(back->layer, 4);
  EXPECT_EQ(back->ObjectState, 0);
}

TEST_F(AxisLineObjectTest, AxisOutsideTheThreeOrACutRecordReadsBad) {
  for (const std::int32_t axis : {3, -1, 0x7FFFFFFF}) {
    Bytes bytes = FreshCommonRecord(kKindAxisLine);
    Append(&bytes, axis);
    ScratchFile file(bytes);
    std::unique_ptr<CGeomObject> back = ReadObject();
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->ObjectState, kStateBadRecord) << axis;
    Vector3 min, max;
    back->GetBounds(&min, &max, kIdentityMatrix);
    EXPECT_GT(min.x, max.x) << axis;
  }
  CAxisLineObject line;
  Bytes cut = CaptureWrite([&] { line.Write(); });
  cut.resize(cut.size() - 1);
  ScratchFile file(cut);
  EXPECT_EQ(ReadObject()->ObjectState, kStateBadRecord);
}

TEST_F(AxisLineObjectTest, CloneAndSwapCarryTheAxis) {
  CAxisLineObject a, b;
  a.axisIndex = 1;
  a.orientation[13] = 2;
  a.id = 7;
  std::unique_ptr<CGeomObject> copy = a.Clone();
  EXPECT_EQ(static_cast<CAxisLineObject&>(*copy).axisIndex, 1);
  EXPECT_EQ(copy->orientation[13], 2);
  EXPECT_EQ(copy->id, 7);

  b.axisIndex = 2;
  CGeomObject other;
  a.next = &other;
  a.Swap(b);
  EXPECT_EQ(a.axisIndex, 2);
  EXPECT_EQ(b.axisIndex, 1);
  EXPECT_EQ(b.id, 7);
  EXPECT_EQ(a.next, &other);
  a.Swap(other);  // another class: left alone
  EXPECT_EQ(a.axisIndex, 2);
}

}  // namespace
