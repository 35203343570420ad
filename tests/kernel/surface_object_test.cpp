#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "kernel/bspline_curve.h"
#include "kernel/curve_object.h"
#include "kernel/object_kind_registry.h"
#include "kernel/object_stream.h"
#include "kernel/surface_object.h"
#include "program_state.h"
#include "record_fixture.h"
#include "scratch_file.h"
#include "test_matrices.h"

namespace {

class SurfaceObjectTest : public LumidrexTest {};

std::unique_ptr<CSurfaceObject> GridSurface(int rows, int columns, int pointCount) {
  auto surface = std::make_unique<CSurfaceObject>();
  surface->SetPoints(pointCount);
  for (int i = 0; i < pointCount; ++i)
    surface->points[static_cast<std::size_t>(i)] = {1.0f * i, 0, 0};
  surface->rows = rows;
  surface->columns = columns;
  return surface;
}

// Every field a surface record carries besides its points, in record order.
std::vector<std::int32_t> RecordFields(const CSurfaceObject& s) {
  return {
      s.rows,          s.columns,      s.startAttributeU, s.endAttributeU, s.closedU,
      s.displayStepsU, s.outputStepsU, s.startAttributeV, s.endAttributeV, s.closedV,
      s.displayStepsV, s.outputStepsV, s.orientationSign, s.surfaceFlag,   s.controlPointsHidden};
}

Bytes RecordOf(CGeomObject& object) {
  return CaptureWrite([&] { object.Write(); });
}

// The record of a surface over pointCount points whose grid fields say rows x columns: the writer
// refuses such a grid, so a 2 x 2 record is patched. Eleven words, a flags half-word and the empty
// extra list follow the grid.
Bytes GridRecord(std::int32_t rows, std::int32_t columns, int pointCount) {
  Bytes bytes = RecordOf(*GridSurface(2, 2, pointCount));
  const std::size_t grid = bytes.size() - 4 - 2 - 11 * 4 - 8;
  std::memcpy(&bytes[grid], &rows, 4);
  std::memcpy(&bytes[grid + 4], &columns, 4);
  return bytes;
}

// The record of a 2 x 3 surface whose extra list is replaced by the given bytes.
Bytes WithExtraList(const Bytes& extraList) {
  Bytes bytes = RecordOf(*GridSurface(2, 3, 6));
  bytes.resize(bytes.size() - 4);
  bytes.insert(bytes.end(), extraList.begin(), extraList.end());
  return bytes;
}

TEST_F(SurfaceObjectTest, NewSurfaceHasHiddenPointsAndOutwardOrientation) {
  const CSurfaceObject surface;
  EXPECT_EQ(surface.GetKind(), kKindSurface);
  EXPECT_EQ(surface.GetCategory(), 1);
  EXPECT_EQ(surface.controlPointsHidden, 1);
  EXPECT_EQ(surface.orientationSign, 1);
  EXPECT_EQ(surface.rows, 0);
  EXPECT_EQ(surface.columns, 0);
  for (const std::int32_t steps :
       {surface.displayStepsU, surface.displayStepsV, surface.outputStepsU, surface.outputStepsV}) {
    EXPECT_EQ(steps, 8);
  }
  EXPECT_EQ(surface.closedU + surface.closedV + surface.startAttributeU + surface.startAttributeV +
                surface.endAttributeU + surface.endAttributeV + surface.surfaceFlag,
            0);
  EXPECT_EQ(surface.attachedData, nullptr);
  EXPECT_TRUE(surface.extras.empty());
}

TEST_F(SurfaceObjectTest, RecordLaysOutEveryFieldAndEndsWithAnEmptyExtraList) {
  const std::unique_ptr<CSurfaceObject> made = GridSurface(2, 2, 4);
  CSurfaceObject& surface = *made;
  surface.startAttributeU = 1;
  surface.endAttributeU = 2;
  surface.closedU = 3;
  surface.displayStepsU = 4;
  surface.outputStepsU = 5;
  surface.startAttributeV = 6;
  surface.endAttributeV = 7;
  surface.closedV = 8;
  surface.displayStepsV = 9;
  surface.outputStepsV = 10;
  surface.orientationSign = -1;
  surface.surfaceFlag = 1;
  surface.controlPointsHidden = 1;
  surface.extras.push_back({5, {{1, 2}}});  // never written

  Bytes expected = PointSetRecord(kKindSurface, surface.points, surface.marks);
  for (const std::int32_t field : {2, 2, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, -1})
    Append(&expected, field);
  Append<std::int16_t>(&expected, 3);
  Append<std::int32_t>(&expected, -1);
  const Bytes written = RecordOf(surface);
  EXPECT_EQ(written, expected);
  EXPECT_EQ(Bytes(written.end() - 6, written.end()), (Bytes{0x03, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}));

  ScratchFile scratch(written);
  const std::unique_ptr<CGeomObject> object = ReadObject();
  const auto* back = dynamic_cast<const CSurfaceObject*>(object.get());
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->ObjectState, 0);
  EXPECT_EQ(back->points, surface.points);
  EXPECT_EQ(RecordFields(*back), RecordFields(surface));
  EXPECT_TRUE(back->extras.empty());
}

// The grid is set with exactly its points or not at all.
TEST_F(SurfaceObjectTest, SetGridTakesExactlyRowsTimesColumnsPoints) {
  CSurfaceObject surface;
  const std::vector<Vector3> six(6, Vector3{1, 2, 3});
  ASSERT_TRUE(surface.SetGrid(2, 3, six));
  EXPECT_EQ(surface.PointCount(), 6);
  const struct {
    int rows, columns;
    std::size_t points;
  } refused[] = {{3, 3, 6}, {2, 2, 6}, {1, 6, 6}, {6, 1, 6}, {-2, -3, 6}, {0, 0, 0}};
  for (const auto& c : refused) {
    SCOPED_TRACE(testing::Message() << c.rows << " x " << c.columns << " over " << c.points);
    EXPECT_FALSE(surface.SetGrid(c.rows, c.columns, std::vector<Vector3>(c.points)));
    EXPECT_EQ(surface.rows, 2);
    EXPECT_EQ(surface.columns, 3);
    EXPECT_EQ(surface.PointCount(), 6);
  }
}

TEST_F(SurfaceObjectTest, FlagBitsReadBackSeparately) {
  for (const std::int16_t flags : {0, 1, 2, 3}) {
    Bytes bytes = RecordOf(*GridSurface(2, 2, 4));
    bytes[bytes.size() - 6] = static_cast<std::uint8_t>(flags);
    ScratchFile scratch(bytes);
    const std::unique_ptr<CGeomObject> object = ReadObject();
    const auto& back = dynamic_cast<const CSurfaceObject&>(*object);
    EXPECT_EQ(back.surfaceFlag, flags & 1) << flags;
    EXPECT_EQ(back.controlPointsHidden, (flags >> 1) & 1) << flags;
  }
}

struct HostileRecord {
  const char* name;
  Bytes bytes;
  bool bad;           // the object reads as kStateBadRecord
  bool streamGoesOn;  // the next record still reads
  std::function<void(const CGeomObject&)> check;
};

TEST_F(SurfaceObjectTest, HostileRecordsEndCleanly) {
  CCurveObject noPoints;
  CCurveObject hugeSteps;
  hugeSteps.SetPoints(4, {{0, 0, 0}, {1, 0, 0}, {2, 1, 0}, {3, 0, 0}});
  hugeSteps.stepsPerSpan = 1 << 30;
  Bytes cutPoints = RecordOf(hugeSteps);
  cutPoints.resize(cutPoints.size() - 30);

  const HostileRecord kRecords[] = {
      {"curve without points", RecordOf(noPoints), true, true, nullptr},
      {"curve cut inside its points", cutPoints, true, false, nullptr},
      {"1 x 5 grid", GridRecord(1, 5, 5), true, true, nullptr},
      {"grid above its points", GridRecord(3, 3, 4), true, true, nullptr},
      {"grid overflowing 32 bits", GridRecord(65536, 65536, 4), true, true, nullptr},
      {"extra counts 2, 0, -1", WithExtraList(Words({2, 7, 1, 2, 3, 4, 0, 8, -1})), false, true,
       [](const CGeomObject& object) {
         const auto& surface = dynamic_cast<const CSurfaceObject&>(object);
         ASSERT_EQ(surface.extras.size(), 2u);
         EXPECT_EQ(surface.extras[0].value, 7);
         ASSERT_EQ(surface.extras[0].pairs.size(), 2u);
         EXPECT_EQ(surface.extras[0].pairs[1][0], 3u);
         EXPECT_EQ(surface.extras[0].pairs[1][1], 4u);
         EXPECT_EQ(surface.extras[1].value, 8);
         EXPECT_TRUE(surface.extras[1].pairs.empty());
       }},
      {"extra list cut off mid-pair", WithExtraList(Words({2, 7, 1, 2, 3})), true, false, nullptr},
      {"extra list without its end", WithExtraList(Words({1, 7, 1, 2})), true, false, nullptr},
      {"extra count of 2^30", WithExtraList(Words({1 << 30, 7, 1, 2, -1})), true, false, nullptr},
      {"curve steps of 2^30", RecordOf(hugeSteps), false, true,
       [](const CGeomObject& object) {
         const auto& curve = dynamic_cast<const CCurveObject&>(object);
         EXPECT_EQ(curve.stepsPerSpan, 1 << 30);  // kept as stored
         const std::vector<Vector3> extended =
             ExtendCurveEnds(curve.PointCount(), curve.points.data(), curve.startAttribute,
                             curve.endAttribute, curve.closed);
         EXPECT_TRUE(EvaluateCurvePoints(extended.data(), static_cast<int>(extended.size()),
                                         curve.stepsPerSpan)
                         .empty());
       }},
  };

  CCurveObject probe;
  probe.SetPoints(2, {{5, 5, 5}, {6, 6, 6}});
  const Bytes probeRecord = RecordOf(probe);
  for (const HostileRecord& record : kRecords) {
    SCOPED_TRACE(record.name);
    Bytes bytes = record.bytes;
    // Behind a record cut short the probe's bytes would only be read as the rest of it.
    if (record.streamGoesOn) bytes.insert(bytes.end(), probeRecord.begin(), probeRecord.end());
    ScratchFile scratch(bytes);
    const std::unique_ptr<CGeomObject> object = ReadObject();
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->ObjectState == kStateBadRecord, record.bad);
    if (record.check) record.check(*object);

    const std::unique_ptr<CGeomObject> next = ReadObject();
    if (record.streamGoesOn) {
      ASSERT_NE(next, nullptr);
      EXPECT_EQ(next->ObjectState, 0);
      EXPECT_EQ(dynamic_cast<const CCurveObject&>(*next).points, probe.points);
    } else {
      EXPECT_EQ(next, nullptr);
      EXPECT_TRUE(ObjectStreamFailed());
    }
  }
}

TEST_F(SurfaceObjectTest, CloneDeepCopiesTheExtraListAndSharesTheAttachedData) {
  const std::unique_ptr<CSurfaceObject> made = GridSurface(2, 2, 4);
  CSurfaceObject& source = *made;
  int attached = 0;
  source.attachedData = &attached;
  source.outputStepsV = 3;
  source.orientationSign = -1;
  source.extras.push_back({7, {{1, 2}, {3, 4}}});
  source.extras.push_back({8, {}});

  std::unique_ptr<CGeomObject> clone = source.Clone();
  auto& copy = dynamic_cast<CSurfaceObject&>(*clone);
  EXPECT_EQ(copy.points, source.points);
  EXPECT_EQ(copy.rows, 2);
  EXPECT_EQ(copy.outputStepsV, 3);
  EXPECT_EQ(copy.orientationSign, -1);
  EXPECT_EQ(copy.controlPointsHidden, 1);
  EXPECT_EQ(copy.attachedData, &attached);
  ASSERT_EQ(copy.extras.size(), 2u);

  copy.extras[0].pairs[0][0] = 99;
  copy.extras.pop_back();
  copy.points[0] = {9, 9, 9};
  EXPECT_EQ(source.extras.size(), 2u);
  EXPECT_EQ(source.extras[0].pairs[0][0], 1u);
  EXPECT_EQ(source.points[0], Vector3(0, 0, 0));
}

TEST_F(SurfaceObjectTest, SwapKeepsListPositions) {
  const std::unique_ptr<CSurfaceObject> madeA = GridSurface(2, 2, 4), madeB = GridSurface(3, 2, 6);
  CSurfaceObject &a = *madeA, &b = *madeB;
  int attached = 0;
  a.attachedData = &attached;
  a.extras.push_back({1, {}});
  a.displayStepsU = 2;
  CGeomObject anchorA, anchorB;
  a.next = &anchorA;
  b.next = &anchorB;

  a.Swap(b);
  EXPECT_EQ(a.next, &anchorA);
  EXPECT_EQ(b.next, &anchorB);
  EXPECT_EQ(a.rows, 3);
  EXPECT_EQ(a.PointCount(), 6);
  EXPECT_EQ(a.attachedData, nullptr);
  EXPECT_TRUE(a.extras.empty());
  EXPECT_EQ(b.rows, 2);
  EXPECT_EQ(b.displayStepsU, 2);
  EXPECT_EQ(b.attachedData, &attached);
  EXPECT_EQ(b.extras.size(), 1u);

  // Another class is left alone.
  CCurveObject curve;
  a.Swap(curve);
  EXPECT_EQ(a.rows, 3);
  EXPECT_EQ(curve.PointCount(), 0);
}

TEST_F(SurfaceObjectTest, HiddenPointsStayPutInAPartialTransform) {
  const std::unique_ptr<CSurfaceObject> made = GridSurface(2, 2, 4);
  CSurfaceObject& surface = *made;
  surface.marks = {1, 1, 1, 1};
  const Matrix4 shift = Translation(0, 0, 2);
  surface.Transform(shift, 0);
  EXPECT_EQ(surface.points[1], Vector3(1, 0, 0));
  surface.Transform(shift, 1);
  EXPECT_EQ(surface.points[1], Vector3(1, 0, 2));

  Vector3 min, max;
  surface.GetBounds(&min, &max, shift);
  EXPECT_EQ(min, Vector3(0, 0, 4));
  EXPECT_EQ(max, Vector3(3, 0, 4));
}

TEST_F(SurfaceObjectTest, SurfacesAreFoundBeforeCurves) {
  std::vector<std::int32_t> order;
  for (const CObjectKindEntry* entry = ObjectKindRegistryHead(); entry != nullptr;
       entry = entry->next) {
    if (entry->kind == kKindCurve || entry->kind == kKindSurface) order.push_back(entry->kind);
  }
  EXPECT_EQ(order, (std::vector<std::int32_t>{kKindSurface, kKindCurve}));
}

}  // namespace
