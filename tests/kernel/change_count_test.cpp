#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "kernel/block_object.h"
#include "kernel/boolean_object.h"
#include "kernel/gem_library.h"
#include "kernel/gem_object.h"
#include "kernel/mesh_object.h"
#include "kernel/surface_object.h"
#include "platform/program_folder.h"
#include "program_state.h"
#include "scratch_file.h"
#include "test_matrices.h"

namespace {

class ChangeCountTest : public LumidrexTest {};

class StandInCache : public ObjectDrawingCache {};

std::unique_ptr<CMeshObject> Triangle() {
  auto mesh = std::make_unique<CMeshObject>();
  mesh->SetPoints(3, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
  mesh->SetFaces({3}, {0, 1, 2});
  return mesh;
}

std::unique_ptr<CSurfaceObject> Patch() {
  auto surface = std::make_unique<CSurfaceObject>();
  surface->SetGrid(2, 2, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}});
  return surface;
}

std::unique_ptr<CBlockObject> Slab() {
  auto block = std::make_unique<CBlockObject>();
  block->SetProfiles({{{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}, 4}});
  block->thickness = 1.0f;
  block->Rebuild();
  return block;
}

// The record of an object as its Read expects it, kind code dropped.
Bytes RecordOf(CGeomObject& object) {
  const Bytes written = CaptureWrite([&] { object.Write(); });
  return {written.begin() + 4, written.end()};
}

// Each row changes one thing on an object that has a drawing cached; the row's object is made
// by make and changed by change.
struct Row {
  std::string name;
  std::function<std::unique_ptr<CGeomObject>()> make;
  std::function<void(CGeomObject&)> change;
  bool moves;
};

TEST_F(ChangeCountTest, EveryMutatingPathMovesTheCountAndDropsTheCache) {
  const Matrix4 shift = Translation(1, 2, 3);
  const std::vector<Row> rows = {
      {"whole transform of a point set", Triangle,
       [&](CGeomObject& o) { o.Transform(shift, 1); }, true},
      {"partial transform of a point set", Triangle,
       [&](CGeomObject& o) { o.Transform(shift, 0); }, true},
      {"whole transform of a block", Slab, [&](CGeomObject& o) { o.Transform(shift, 1); }, true},
      {"partial transform of a block, which leaves it", Slab,
       [&](CGeomObject& o) { o.Transform(shift, 0); }, false},
      {"whole transform of a group",
       [] { return std::make_unique<CBooleanObject>(); },
       [&](CGeomObject& o) { o.Transform(shift, 1); }, true},
      {"SetPoints", Triangle,
       [](CGeomObject& o) {
         static_cast<CMeshObject&>(o).SetPoints(3, {{0, 0, 0}, {2, 0, 0}, {0, 2, 0}});
       },
       true},
      {"SetFaces", Triangle,
       [](CGeomObject& o) { static_cast<CMeshObject&>(o).SetFaces({3}, {2, 1, 0}); }, true},
      {"SetFaces refused, faces kept", Triangle,
       [](CGeomObject& o) { static_cast<CMeshObject&>(o).SetFaces({3}, {0, 1, 7}); }, false},
      {"SetGrid", Patch,
       [](CGeomObject& o) {
         static_cast<CSurfaceObject&>(o).SetGrid(2, 2, {{0, 0, 1}, {1, 0, 1}, {0, 1, 1}, {1, 1, 1}});
       },
       true},
      {"SetGrid refused, grid kept", Patch,
       [](CGeomObject& o) { static_cast<CSurfaceObject&>(o).SetGrid(1, 2, {{0, 0, 1}, {1, 0, 1}}); },
       false},
      {"SetProfiles", Slab,
       [](CGeomObject& o) {
         static_cast<CBlockObject&>(o).SetProfiles({{{{0, 0, 0}, {2, 0, 0}, {0, 2, 0}}, 2}});
       },
       true},
      {"Rebuild", Slab, [](CGeomObject& o) { static_cast<CBlockObject&>(o).Rebuild(); }, true},
      {"SetLibraryIndex", [] { return std::make_unique<CGemObject>(); },
       [](CGeomObject& o) { static_cast<CGemObject&>(o).SetLibraryIndex(3); }, true},
      {"SetOperation", [] { return std::make_unique<CBooleanObject>(); },
       [](CGeomObject& o) { static_cast<CBooleanObject&>(o).SetOperation(kBooleanSubtraction); },
       true},
      {"Swap with another mesh", Triangle,
       [](CGeomObject& o) {
         CMeshObject other;
         o.Swap(other);
       },
       true},
      {"Swap with another kind, which leaves both", Triangle,
       [](CGeomObject& o) {
         CSurfaceObject other;
         o.Swap(other);
       },
       false},
      {"Read of a record", Patch,
       [](CGeomObject& o) {
         const std::unique_ptr<CSurfaceObject> source = Patch();
         source->outputStepsU = 3;
         ScratchFile scratch(RecordOf(*source));
         o.Read();
       },
       true},
      {"MarkChanged after writing a field", Triangle,
       [](CGeomObject& o) {
         static_cast<CMeshObject&>(o).flatShading = 0;
         o.MarkChanged();
       },
       true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::unique_ptr<CGeomObject> object = row.make();
    object->drawingCache = std::make_unique<StandInCache>();
    const std::uint64_t before = object->ChangeCount();
    row.change(*object);
    EXPECT_EQ(object->ChangeCount() != before, row.moves);
    EXPECT_EQ(object->drawingCache == nullptr, row.moves);
  }
}

TEST_F(ChangeCountTest, SwapMovesBothObjectsAndCloneStartsWithoutCache) {
  const std::unique_ptr<CMeshObject> a = Triangle();
  CMeshObject b;
  b.drawingCache = std::make_unique<StandInCache>();
  const std::uint64_t countB = b.ChangeCount();
  a->Swap(b);
  EXPECT_NE(b.ChangeCount(), countB);
  EXPECT_EQ(b.drawingCache, nullptr);

  a->drawingCache = std::make_unique<StandInCache>();
  EXPECT_EQ(a->Clone()->drawingCache, nullptr);
}

TEST_F(ChangeCountTest, ReplacingTheGemLibraryMakesDrawingsStale) {
  SetProgramDirOverride(LUMIDREX_PROGRAM_FOLDER);
  GemLibrary.Load();
  ASSERT_GT(GemLibrary.Count(), 0);
  std::uint64_t generation = DrawingGeneration();
  GemLibrary.Load();
  EXPECT_NE(DrawingGeneration(), generation);
  generation = DrawingGeneration();
  GemLibrary.Free();
  EXPECT_NE(DrawingGeneration(), generation);
  // A library that is already empty stays as it was.
  generation = DrawingGeneration();
  GemLibrary.Free();
  EXPECT_EQ(DrawingGeneration(), generation);
}

}  // namespace
