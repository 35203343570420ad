#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "kernel/axis_line_object.h"
#include "kernel/curve_object.h"
#include "kernel/object_kind_registry.h"
#include "kernel/object_list_file.h"
#include "program_state.h"
#include "record_fixture.h"
#include "scratch_file.h"

namespace {

Bytes Magic() { return Bytes(kDesignFileMagic, kDesignFileMagic + kDesignFileMagicBytes); }

void AppendBytes(Bytes* out, const Bytes& more) { out->insert(out->end(), more.begin(), more.end()); }

// What a read of the bytes gives: the count, and the objects in chain order, owned.
struct ReadResult {
  int count = 0;
  std::vector<std::unique_ptr<CGeomObject>> objects;
};

ReadResult ReadList(const Bytes& bytes) {
  ScratchFile file(bytes);
  ReadResult result;
  CGeomObject* list = nullptr;
  result.count = ReadObjectList(&list, 1);
  while (list != nullptr) {
    CGeomObject* following = list->next;
    result.objects.emplace_back(list);
    list = following;
  }
  return result;
}

class ObjectListFileTest : public LumidrexTest {};

TEST_F(ObjectListFileTest, StrayBytesBetweenRecordsAreSkippedAndBothStartsAndEndsCount) {
  Bytes bytes = Magic();
  bytes.push_back(':');
  AppendBytes(&bytes, CurveRecord());
  AppendBytes(&bytes, {'x', 0x00, 0x7F, '\n'});
  bytes.push_back('%');
  AppendBytes(&bytes, AxisLineRecord(2, -1));
  bytes.push_back(0xFF);
  bytes.push_back(':');  // after the end byte: never read
  const ReadResult result = ReadList(bytes);
  ASSERT_EQ(result.count, 2);
  ASSERT_EQ(result.objects.size(), 2u);
  ASSERT_EQ(result.objects[0]->GetKind(), kKindCurve);
  EXPECT_EQ(static_cast<CCurveObject&>(*result.objects[0]).points[1], Vector3(4, 5, 6));
  EXPECT_EQ(result.objects[0]->next, result.objects[1].get());
  ASSERT_EQ(result.objects[1]->GetKind(), kKindAxisLine);
  EXPECT_EQ(static_cast<CAxisLineObject&>(*result.objects[1]).axisIndex, 2);
  EXPECT_EQ(result.objects[1]->orientation[14], -1);
  EXPECT_EQ(result.objects[1]->next, nullptr);
  for (const auto& object : result.objects) EXPECT_EQ(object->ObjectState, 0);
}

TEST_F(ObjectListFileTest, MagicAndEndByteAloneIsAnEmptyList) {
  Bytes bytes = Magic();
  bytes.push_back('#');
  EXPECT_EQ(ReadList(bytes).count, 0);
}

TEST_F(ObjectListFileTest, RemovedCurvesAndNegativeLayersAreDroppedUncounted) {
  Bytes bytes = Magic();
  for (const auto& [state, layer] : std::vector<std::pair<int, int>>{{4, 0}, {0, -1}, {3, 19}, {9999, 0}, {2, 25}}) {
    bytes.push_back(':');
    AppendBytes(&bytes, AxisLineRecord(1, static_cast<float>(state), state, layer));
  }
  bytes.push_back('#');
  const ReadResult result = ReadList(bytes);
  ASSERT_EQ(result.count, 2);
  EXPECT_EQ(result.objects[0]->ObjectState, 3);
  // Layers beyond the table are kept; the layer table hides them.
  EXPECT_EQ(result.objects[1]->layer, 25);
}

TEST_F(ObjectListFileTest, WritingSkipsDeletedObjectsByteForByte) {
  CAxisLineObject shown, deleted, selected;
  shown.axisIndex = 0;
  deleted.ObjectState = -1;
  selected.ObjectState = 1;
  selected.axisIndex = 2;
  shown.next = &deleted;
  deleted.next = &selected;

  Bytes expected = Magic();
  expected.push_back(':');
  AppendBytes(&expected, CaptureWrite([&] { shown.Write(); }));
  expected.push_back(':');
  AppendBytes(&expected, CaptureWrite([&] { selected.Write(); }));
  expected.push_back('#');
  EXPECT_EQ(CaptureWrite([&] { WriteObjectList(&shown); }), expected);
}

TEST_F(ObjectListFileTest, HostileInputEndsCleanly) {
  Bytes oneRecord = Magic();
  oneRecord.push_back(':');
  AppendBytes(&oneRecord, CurveRecord());

  Bytes unknownThenValid = Magic();
  unknownThenValid.push_back(':');
  Append(&unknownThenValid, std::int32_t{1234});
  unknownThenValid.push_back(':');
  AppendBytes(&unknownThenValid, AxisLineRecord(1, 2));
  unknownThenValid.push_back('#');

  Bytes badAxisThenValid = Magic();
  badAxisThenValid.push_back(':');
  AppendBytes(&badAxisThenValid, AxisLineRecord(7, 1));
  badAxisThenValid.push_back(':');
  AppendBytes(&badAxisThenValid, AxisLineRecord(1, 2));

  // A mesh whose face count reaches far beyond the file, then a curve that is never reached.
  Bytes hugeFaceCount = Magic();
  hugeFaceCount.push_back(':');
  AppendBytes(&hugeFaceCount, PointSetRecord(kKindMesh, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {0, 0, 0}));
  Append(&hugeFaceCount, std::int32_t{0x7FFFFFFF});
  hugeFaceCount.push_back(':');
  AppendBytes(&hugeFaceCount, CurveRecord());
  hugeFaceCount.push_back('#');

  // Unions nested one level deeper than the reader allows, around a curve.
  Bytes nested = CurveRecord();
  for (int level = 0; level <= kMaxRecordNesting; ++level) {
    Bytes group = FreshCommonRecord(kKindBoolean);
    AppendMatrix(&group, kIdentityMatrix);
    Append(&group, std::int16_t{2});
    group.push_back(':');
    AppendBytes(&group, nested);
    group.push_back('%');
    nested = std::move(group);
  }
  Bytes tooDeep = Magic();
  tooDeep.push_back(':');
  AppendBytes(&tooDeep, nested);
  tooDeep.push_back('#');

  struct Case {
    std::string name;
    Bytes bytes;
    int count;
    int badRecords;
  };
  std::vector<Case> cases = {
      {"wrong magic", Bytes{'T', 'A', 'L', 'V', 'X'}, -1, 0},
      {"empty file", Bytes{}, -1, 0},
      {"no end byte", oneRecord, 1, 0},
      {"unknown kind then a record", unknownThenValid, 1, 0},
      {"bad axis then a record", badAxisThenValid, 2, 1},
      {"face count beyond the file", hugeFaceCount, 1, 1},
      {"groups nested too deep", tooDeep, 1, 1},
  };
  for (std::size_t cut = 0; cut < kDesignFileMagicBytes; ++cut) {
    cases.push_back({"magic cut at " + std::to_string(cut), Bytes(oneRecord.begin(), oneRecord.begin() + cut), -1, 0});
  }
  // A record cut anywhere after its start byte comes back bad; cut inside its kind code there
  // is no record at all.
  for (std::size_t cut = kDesignFileMagicBytes; cut < oneRecord.size(); ++cut) {
    const std::size_t recordBytes = cut - kDesignFileMagicBytes - 1;
    const int count = cut > kDesignFileMagicBytes && recordBytes >= 4 ? 1 : 0;
    cases.push_back({"record cut at " + std::to_string(cut), Bytes(oneRecord.begin(), oneRecord.begin() + cut), count, count});
  }
  for (const Case& c : cases) {
    const ReadResult result = ReadList(c.bytes);
    EXPECT_EQ(result.count, c.count) << c.name;
    int bad = 0;
    for (const auto& object : result.objects) bad += object->ObjectState == kStateBadRecord;
    EXPECT_EQ(bad, c.badRecords) << c.name;
  }
}

}  // namespace
