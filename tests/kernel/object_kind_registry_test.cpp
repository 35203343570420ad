#include <gtest/gtest.h>

#include <vector>

#include "kernel/object_kind_registry.h"
#include "kernel/object_stream.h"
#include "kernel/point_set_object.h"
#include "program_state.h"
#include "scratch_file.h"

namespace {

// Stands for any kind: remembers which registry node made it.
template <int Tag>
class TaggedObject : public CGeomObject {
 public:
  int GetKind() const override { return Tag; }
};

// A group-like kind that reads one child record inside its own.
class NestingObject : public CGeomObject {
 public:
  int GetKind() const override { return kKindBoolean; }
  void Read() override {
    ReadCommonRecord();
    child = ReadObject();
  }
  void Write() override {
    WriteCommonRecord();
    if (child) child->Write();
  }
  std::unique_ptr<CGeomObject> child;
};

class ObjectKindRegistryTest : public LumidrexTest {};

TEST_F(ObjectKindRegistryTest, SearchOrderIsTheReverseOfRegistration) {
  ResetObjectKindRegistry();
  ObjectKindEntry<TaggedObject<32>> boolean(32);
  ObjectKindEntry<TaggedObject<2>> curve(2);
  ObjectKindEntry<TaggedObject<99>> gem(99);
  ObjectKindEntry<TaggedObject<4>> mesh(4);
  ObjectKindEntry<TaggedObject<5>> block(5);
  ObjectKindEntry<TaggedObject<3>> surface(3);
  ObjectKindEntry<TaggedObject<90>> axis(90);
  ObjectKindEntry<TaggedObject<1090>> shadowedAxis(90);  // registered first, so found last
  shadowedAxis.Register();
  for (CObjectKindEntry* e : std::vector<CObjectKindEntry*>{&boolean, &curve, &gem, &mesh, &block, &surface, &axis})
    e->Register();

  std::vector<int> order;
  for (const CObjectKindEntry* e = ObjectKindRegistryHead(); e != nullptr; e = e->next) order.push_back(e->kind);
  EXPECT_EQ(order, (std::vector<int>{90, 3, 5, 4, 99, 2, 32, 90}));

  Bytes record;
  Append(&record, std::int32_t{90});
  record.resize(record.size() + 144, 0);
  ScratchFile scratch(record);
  std::unique_ptr<CGeomObject> object = ReadObject();
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(object->GetKind(), 90);  // the node at the head, not the shadowed one
  EXPECT_FALSE(ObjectStreamFailed());
}

TEST_F(ObjectKindRegistryTest, UnknownCodeConsumesOnlyTheCode) {
  Bytes bytes;
  Append(&bytes, std::int32_t{7});
  Append(&bytes, std::int32_t{123});
  ScratchFile scratch(bytes);
  EXPECT_EQ(ReadObject(), nullptr);
  EXPECT_EQ(scratch.Position(), 4);
  EXPECT_FALSE(ObjectStreamFailed());
}

TEST_F(ObjectKindRegistryTest, RecordCutAtEveryByteFailsCleanly) {
  ObjectKindEntry<CPointSetObject> entry(kKindMesh);
  entry.Register();
  class MeshLike : public CPointSetObject {
   public:
    int GetKind() const override { return kKindMesh; }
  } source;
  source.SetPoints(3, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}, {1, 0, 1});
  source.materialName = nullptr;
  const Bytes whole = CaptureWrite([&] { source.Write(); });

  for (std::size_t cut = 0; cut < whole.size(); ++cut) {
    ScratchFile scratch(Bytes(whole.begin(), whole.begin() + static_cast<long>(cut)));
    int records = 0;
    // A loop over records must end on a truncated file.
    while (std::unique_ptr<CGeomObject> object = ReadObject()) {
      ++records;
      EXPECT_EQ(object->ObjectState, kStateBadRecord) << "cut at " << cut;
      EXPECT_TRUE(static_cast<CPointSetObject&>(*object).points.empty());
      ASSERT_LE(records, 1);
    }
    EXPECT_TRUE(ObjectStreamFailed()) << "cut at " << cut;
  }
}

TEST_F(ObjectKindRegistryTest, HugePointCountIsRefusedBeforeAllocating) {
  ObjectKindEntry<CPointSetObject> entry(kKindMesh);
  entry.Register();
  CGeomObject header;
  Bytes record = CaptureWrite([&] { header.Write(); });
  record[0] = kKindMesh;
  Append(&record, std::int32_t{0x7FFFFFFF});
  record.resize(record.size() + 64, 0);
  ScratchFile scratch(record);
  std::unique_ptr<CGeomObject> object = ReadObject();
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(object->ObjectState, kStateBadRecord);
  EXPECT_TRUE(static_cast<CPointSetObject&>(*object).points.empty());
}

TEST_F(ObjectKindRegistryTest, NestingIsBounded) {
  ObjectKindEntry<NestingObject> entry(kKindBoolean);
  entry.Register();
  ObjectKindEntry<TaggedObject<2>> leaf(kKindCurve);
  leaf.Register();

  const auto nested = [](int depth) {
    auto top = std::make_unique<NestingObject>();
    NestingObject* inner = top.get();
    for (int i = 1; i < depth; ++i) {
      inner->child = std::make_unique<NestingObject>();
      inner = static_cast<NestingObject*>(inner->child.get());
    }
    inner->child = std::make_unique<TaggedObject<2>>();
    return CaptureWrite([&] { top->Write(); });
  };

  {
    ScratchFile scratch(nested(kMaxRecordNesting - 1));
    std::unique_ptr<CGeomObject> object = ReadObject();
    ASSERT_NE(object, nullptr);
    EXPECT_NE(object->ObjectState, kStateBadRecord);
    EXPECT_FALSE(ObjectStreamFailed());
  }
  {
    ScratchFile scratch(nested(10000));
    std::unique_ptr<CGeomObject> object = ReadObject();
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->ObjectState, kStateBadRecord);
    EXPECT_TRUE(ObjectStreamFailed());
  }
}

}  // namespace
