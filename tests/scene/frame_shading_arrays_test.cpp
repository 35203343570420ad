#include "scene/frame_shading_arrays.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "kernel/block_object.h"
#include "kernel/boolean_object.h"
#include "kernel/frame_point_budget.h"
#include "kernel/gem_library.h"
#include "kernel/gem_object.h"
#include "kernel/mesh_object.h"
#include "kernel/surface_object.h"
#include "platform/program_folder.h"
#include "program_state.h"
#include "recording_canvas.h"
#include "recording_gl.h"
#include "scene/depth_raster.h"
#include "scene/design_file.h"
#include "scene/drawing_context.h"
#include "scene/gl_shading.h"
#include "scene/gl_table.h"
#include "scene/render_view.h"
#include "scene/scene.h"
#include "scene/shading_arrays.h"
#include "scene/viewport.h"

namespace {

// Every call the GL table was given, with its numbers and what each draw drew, as bytes: two
// logs are the same drawing when their bytes are.
std::string LogBytes(const RecordingGl& gl) {
  std::string bytes;
  const auto append = [&](const void* data, std::size_t size) {
    bytes.append(static_cast<const char*>(data), size);
  };
  for (const RecordingGl::Call& call : gl.calls) {
    bytes += call.name;
    append(call.numbers.data(), call.numbers.size() * sizeof(double));
  }
  for (const RecordingGl::Draw& draw : gl.draws) {
    append(&draw.mode, sizeof(draw.mode));
    append(draw.vertices.data(), draw.vertices.size() * sizeof(Vector3));
    append(draw.normals.data(), draw.normals.size() * sizeof(Vector3));
  }
  return bytes;
}

class FrameShadingArraysTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    SetProgramDirOverride(LUMIDREX_PROGRAM_FOLDER);
    InstallGlCalls(&gl);
    SetModelMatrix(kIdentityMatrix);
    GlInverseViewMatrix = kIdentityMatrix;
  }

  static std::vector<const CGeomObject*> SceneObjects() {
    std::vector<const CGeomObject*> objects;
    for (const CGeomObject* object = TheScene.head; object != nullptr; object = object->next) {
      objects.push_back(object);
    }
    return objects;
  }

  static void DropArrays(const std::vector<const CGeomObject*>& objects) {
    for (const CGeomObject* object : objects) {
      ForEachShadedPart(object, [](const CGeomObject& part) { part.drawingCache.reset(); });
    }
  }

  // The drawing of the objects one after the other, each part's arrays derived as it is drawn.
  std::string DrawnOneByOne(const std::vector<const CGeomObject*>& objects) {
    DropArrays(objects);
    Record();
    for (const CGeomObject* object : objects) RenderObjectGL(object);
    return LogBytes(gl);
  }

  // The drawing of the objects after their arrays were derived side by side; drawing then
  // derives nothing.
  std::string DrawnPrepared(const std::vector<const CGeomObject*>& objects) {
    DropArrays(objects);
    PrepareShadingArrays(objects);
    std::vector<const ObjectDrawingCache*> prepared;
    for (const CGeomObject* object : objects) {
      ForEachShadedPart(object, [&](const CGeomObject& part) {
        EXPECT_TRUE(KeepsFittingShadingArrays(part, PartNormalsFlip(part)));
        prepared.push_back(part.drawingCache.get());
      });
    }
    Record();
    for (const CGeomObject* object : objects) RenderObjectGL(object);
    std::vector<const ObjectDrawingCache*> drawn;
    for (const CGeomObject* object : objects) {
      ForEachShadedPart(object, [&](const CGeomObject& part) { drawn.push_back(part.drawingCache.get()); });
    }
    EXPECT_EQ(drawn, prepared);
    return LogBytes(gl);
  }

  // Starts the log afresh; GL's matrices are as every drawing leaves them.
  void Record() {
    gl.calls.clear();
    gl.draws.clear();
  }

  void ExpectSameDrawing(const std::vector<const CGeomObject*>& objects) {
    const std::string serial = DrawnOneByOne(objects);
    EXPECT_GT(gl.draws.size(), 0u);
    EXPECT_TRUE(DrawnPrepared(objects) == serial);
  }

  RecordingGl gl;
};

TEST_F(FrameShadingArraysTest, TheShippedDesignsDrawTheSameAsArraysDerivedOneByOne) {
  for (const char* design : {"Rings/Rings1/001", "Rings/Rings1/002", "Rings/Rings1/003",
                             "Rings/Rings2/001", "Pendants/001", "Earrings/001"}) {
    SCOPED_TRACE(design);
    ResetScene();
    InsertDocumentFile(GetProgramDir() + "database/" + design + ".lxd");
    ASSERT_NE(TheScene.head, nullptr);
    ExpectSameDrawing(SceneObjects());
  }
}

// Seeded objects of every shaded kind: flat, smooth and inside-out meshes, open and closed
// surfaces with caps at step counts that refine the net or evaluate patches, blocks with round
// and chamfered ends, gems sharing prototypes, and Boolean groups of them.
class SeededScene {
 public:
  explicit SeededScene(unsigned seed) : random_(seed) {}

  std::unique_ptr<CGeomObject> Next() {
    switch (Int(0, 4)) {
      case 0:
        return Mesh();
      case 1:
        return Surface();
      case 2:
        return Block();
      case 3:
        return Gem();
      default: {
        auto group = std::make_unique<CBooleanObject>();
        group->SetOperation(Int(0, 1) == 0 ? kBooleanUnion : kBooleanSubtraction);
        group->members.Append(Surface());
        group->members.Append(Mesh());
        group->members.Append(Gem());
        return group;
      }
    }
  }

  // A waved grid of quads, split into triangles here and there.
  std::unique_ptr<CGeomObject> Mesh() {
    const int side = Int(2, 24);
    const float x0 = Float(-30, 30), z0 = Float(-30, 30), wave = Float(0, 6);
    std::vector<Vector3> points;
    for (int i = 0; i <= side; ++i) {
      for (int j = 0; j <= side; ++j) {
        points.push_back({x0 + 1.5f * static_cast<float>(j),
                          wave * std::sin(0.7f * static_cast<float>(i + 2 * j)),
                          z0 + 1.5f * static_cast<float>(i)});
      }
    }
    std::vector<std::int32_t> sizes, indices;
    for (int i = 0; i < side; ++i) {
      for (int j = 0; j < side; ++j) {
        const int v = i * (side + 1) + j;
        if (Int(0, 3) == 0) {
          sizes.insert(sizes.end(), {3, 3});
          indices.insert(indices.end(), {v, v + 1, v + side + 2, v, v + side + 2, v + side + 1});
        } else {
          sizes.push_back(4);
          indices.insert(indices.end(), {v, v + 1, v + side + 2, v + side + 1});
        }
      }
    }
    auto mesh = std::make_unique<CMeshObject>();
    mesh->SetPoints(static_cast<int>(points.size()), points);
    EXPECT_TRUE(mesh->SetFaces(sizes, indices));
    mesh->flatShading = Int(0, 1);
    mesh->orientationSign = Int(0, 3) == 0 ? -1 : 1;
    return mesh;
  }

  std::unique_ptr<CGeomObject> Surface() {
    const int rows = Int(4, 9), columns = Int(4, 9);
    const bool tube = Int(0, 1) == 0;
    const float x0 = Float(-30, 30), z0 = Float(-30, 30), radius = Float(2, 9);
    std::vector<Vector3> points;
    for (int i = 0; i < rows; ++i) {
      for (int j = 0; j < columns; ++j) {
        const float angle = 6.2831853f * static_cast<float>(j) / static_cast<float>(columns);
        points.push_back(tube ? Vector3{x0 + radius * std::cos(angle), radius * std::sin(angle),
                                        z0 + 3.0f * static_cast<float>(i)}
                              : Vector3{x0 + 2.0f * static_cast<float>(j), Float(-3, 3),
                                        z0 + 2.0f * static_cast<float>(i)});
      }
    }
    auto surface = std::make_unique<CSurfaceObject>();
    EXPECT_TRUE(surface->SetGrid(rows, columns, points));
    if (tube) (Int(0, 1) == 0 ? surface->closedV : surface->closedU) = 1;
    surface->outputStepsU = Int(0, 12);
    surface->outputStepsV = Int(0, 12);
    surface->orientationSign = Int(0, 1) == 0 ? -1 : 1;
    return surface;
  }

  std::unique_ptr<CGeomObject> Block() {
    const float x0 = Float(-30, 30), y0 = Float(-30, 30), size = Float(3, 12);
    auto block = std::make_unique<CBlockObject>();
    block->SetProfiles({{{{x0, y0, 0}, {x0 + size, y0, 0}, {x0 + size, y0 + size / 3, 0},
                          {x0 + size / 3, y0 + size / 3, 0}, {x0 + size / 3, y0 + size, 0},
                          {x0, y0 + size, 0}},
                         Int(0, 6)}});
    block->thickness = Float(1, 10);
    block->radius = Float(0, 1);
    block->frontEndType = Int(0, 2);
    block->backEndType = Int(0, 2);
    block->Rebuild();
    return block;
  }

  std::unique_ptr<CGeomObject> Gem() {
    auto gem = std::make_unique<CGemObject>();
    gem->SetLibraryIndex(Int(0, 3));
    Matrix4 placement = kIdentityMatrix;
    placement.at(0, 0) = placement.at(1, 1) = placement.at(2, 2) = Float(1, 4);
    placement.at(3, 0) = Float(-30, 30);
    placement.at(3, 2) = Float(-30, 30);
    gem->placement = placement;
    return gem;
  }

 private:
  int Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  float Float(float low, float high) {
    return std::uniform_real_distribution<float>(low, high)(random_);
  }

  std::mt19937 random_;
};

// The objects of a seeded scene, shown; the list owns them.
struct SeededObjects {
  SeededObjects(unsigned seed, int count) {
    SeededScene scene(seed);
    for (int k = 0; k < count; ++k) {
      owned.push_back(scene.Next());
      owned.back()->ObjectState = kStateShown;
      objects.push_back(owned.back().get());
    }
  }
  std::vector<std::unique_ptr<CGeomObject>> owned;
  std::vector<const CGeomObject*> objects;
};

TEST_F(FrameShadingArraysTest, ManySeededObjectsDrawTheSameAsArraysDerivedOneByOne) {
  ASSERT_NE(GemLibrary.Prototype(3), nullptr);
  for (const unsigned seed : {1u, 2u, 3u}) {
    SCOPED_TRACE(seed);
    const SeededObjects scene(seed, 80);
    ExpectSameDrawing(scene.objects);
    // Mirrored, every mesh and block turns its normals.
    Matrix4 mirror = kIdentityMatrix;
    mirror.at(1, 1) = -1.0f;
    SetModelMatrix(mirror);
    ExpectSameDrawing(scene.objects);
    SetModelMatrix(kIdentityMatrix);
  }
}

// Past a frame's budget the objects drawn first keep their steps whatever order the threads took:
// the arrays derived side by side are those derived one by one in drawing order.
TEST_F(FrameShadingArraysTest, PastTheBudgetTheArraysAreThoseOfTheDrawingOrder) {
  const SeededObjects scene(4, 80);
  for (const std::int64_t budget : {5'000, 20'000}) {
    SCOPED_TRACE(budget);
    std::string serial;
    {
      const FramePointBudget frame(budget, 0);  // every request counted, as an oversized one is
      serial = DrawnOneByOne(scene.objects);
      EXPECT_EQ(FramePointsTaken(), budget);  // spent: the later objects drew with fewer steps
    }
    const FramePointBudget frame(budget, 0);
    EXPECT_TRUE(DrawnPrepared(scene.objects) == serial);
  }
}

// Arrays that still fit are kept, and a changed object's are derived again.
TEST_F(FrameShadingArraysTest, OnlyMissingOrStaleArraysAreDerived) {
  const SeededObjects scene(7, 6);
  const std::vector<const CGeomObject*>& objects = scene.objects;
  PrepareShadingArrays(objects);
  std::vector<const ObjectDrawingCache*> before;
  std::size_t changed = objects.size();
  for (std::size_t k = 0; k < objects.size(); ++k) {
    before.push_back(objects[k]->drawingCache.get());
    const int kind = objects[k]->GetKind();
    if (changed == objects.size() && (kind == kKindMesh || kind == kKindSurface || kind == kKindBlock)) {
      changed = k;
    }
  }
  ASSERT_LT(changed, objects.size());
  CGeomObject& object = *scene.owned[changed];
  object.MarkChanged();
  ASSERT_EQ(object.drawingCache, nullptr);
  PrepareShadingArrays(objects);
  EXPECT_TRUE(KeepsFittingShadingArrays(object, PartNormalsFlip(object)));
  for (std::size_t k = 0; k < objects.size(); ++k) {
    SCOPED_TRACE(k);
    if (k != changed) {
      EXPECT_EQ(objects[k]->drawingCache.get(), before[k]);
    }
  }
}

// A GL table that, at a frame's first draw call, notes which arrays every part of the scene and
// the tool preview keeps.
class FirstDrawGl : public RecordingGl {
 public:
  void DrawElements(GlEnum mode, int count, GlEnum type, const void* indices) override {
    NoteOnce();
    RecordingGl::DrawElements(mode, count, type, indices);
  }
  void DrawArrays(GlEnum mode, int first, int count) override {
    NoteOnce();
    RecordingGl::DrawArrays(mode, first, count);
  }

  std::map<const CGeomObject*, const ObjectDrawingCache*> atFirstDraw;

  static void ForEachPart(const std::function<void(const CGeomObject&)>& visit) {
    for (const CGeomObject* object = TheScene.head; object != nullptr; object = object->next) {
      ForEachShadedPart(object, visit);
    }
    for (const CGeomObject* object = ToolPreviewList; object != nullptr; object = object->next) {
      ForEachShadedPart(object, visit);
    }
  }

 private:
  void NoteOnce() {
    if (noted_) return;
    noted_ = true;
    ForEachPart([&](const CGeomObject& part) { atFirstDraw[&part] = part.drawingCache.get(); });
  }
  bool noted_ = false;
};

// The frame draws only once every array it draws is ready: none is derived after its first draw
// call, the tool preview's included.
TEST_F(FrameShadingArraysTest, AFrameDerivesEveryArrayBeforeItsFirstDrawCall) {
  CViewport pane;
  pane.SetSize(120, 101);
  pane.viewType = kViewFront;
  pane.SetAxes(0, 2, 1, 1, 1, -1);
  pane.viewExtent = 80.0f;
  pane.displayMode = kDisplayFastShading;
  SetActiveView(&pane);
  TestView<RecordingCanvas> view;
  SetDrawingView(&view);
  ResizeDepthRaster(&view.depth, 120, 101, view.CanvasLife());
  FirstDrawGl frameGl;
  InstallGlCalls(&frameGl);

  SeededScene scene(11);
  for (int k = 0; k < 40; ++k) {
    std::unique_ptr<CGeomObject> object = scene.Next();
    object->ObjectState = k % 5 == 0 ? kStateSelected : kStateShown;
    AddObject(object, 0);
  }
  std::unique_ptr<CGeomObject> preview = scene.Surface();
  ToolPreviewList = preview.get();
  RedrawView(&pane);
  ToolPreviewList = nullptr;

  ASSERT_FALSE(frameGl.atFirstDraw.empty());
  int drawn = 0;
  FirstDrawGl::ForEachPart([&](const CGeomObject& part) {
    if (part.drawingCache == nullptr) return;  // not in view
    ++drawn;
    EXPECT_EQ(frameGl.atFirstDraw[&part], part.drawingCache.get());
  });
  EXPECT_GT(drawn, 20);
  ASSERT_NE(preview->drawingCache, nullptr);
  SetDrawingView(nullptr);
}

}  // namespace
