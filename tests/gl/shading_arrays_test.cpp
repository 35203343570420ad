#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "gem_library_file.h"
#include "kernel/block_object.h"
#include "kernel/boolean_object.h"
#include "kernel/gem_library.h"
#include "kernel/gem_object.h"
#include "kernel/mesh_object.h"
#include "kernel/surface_object.h"
#include "platform/program_folder.h"
#include "scene/gl_shading.h"
#include "scene/shading_arrays.h"
#include "scene/undo_history.h"
#include "services/app_settings.h"
#include "services/layer_table.h"
#include "shaded_view_fixture.h"
#include "temp_dir.h"
#include "test_matrices.h"

namespace {

// The submission shading had before its arrays: every mesh face its own GL_POLYGON and every cap
// triangle its own GL_TRIANGLES, vertex by vertex. Surface grids went as arrays already.
class PerFaceSink : public ShadingSink {
 public:
  explicit PerFaceSink(GlCalls& gl) : gl_(gl) {}
  void Quads(std::vector<Vector3> points, std::vector<Vector3> normals,
             std::vector<std::uint32_t> quads) override {
    gl_.VertexPointer(3, kGlFloat, sizeof(Vector3), points.data());
    gl_.NormalPointer(kGlFloat, sizeof(Vector3), normals.data());
    gl_.DrawElements(kGlQuads, static_cast<int>(quads.size()), kGlUnsignedInt, quads.data());
  }
  void Faces(const MeshFaces& mesh) override {
    for (const MeshFaces::Face& face : mesh.faces) {
      gl_.Begin(kGlPolygon);
      for (std::size_t k = face.first; k < face.first + face.size; ++k) {
        const std::size_t vertex = static_cast<std::size_t>(mesh.indices[k]);
        gl_.Normal3fv(mesh.TakesVertexNormal(face, k) ? &mesh.vertexNormals[vertex].x
                                                      : &face.normal.x);
        gl_.Vertex3fv(&mesh.points[vertex].x);
      }
      gl_.End();
    }
  }
  void Triangles(Vector3 normal, std::vector<Vector3> corners) override {
    gl_.Normal3fv(&normal.x);
    for (std::size_t k = 0; k + 2 < corners.size(); k += 3) {
      gl_.Begin(kGlTriangles);
      for (std::size_t i = k; i < k + 3; ++i) gl_.Vertex3fv(&corners[i].x);
      gl_.End();
    }
  }

 private:
  GlCalls& gl_;
};

// What a shaded frame shows: the colour rows and the depths.
struct Picture {
  std::vector<std::uint8_t> colour;
  std::vector<float> depth;
  bool operator==(const Picture&) const = default;
};

// A 3-D view turned off every axis, so that faces meet it at slants and depths vary across them.
class ShadingArraysTest : public ShadedViewTest {
 protected:
  void SetUp() override {
    ShadedViewTest::SetUp();
    pane.Rotate(0.5f, 0);
    pane.Rotate(0.3f, 2);
    SetProgramDirOverride(folder.path());
    WriteLibrary(Octahedron(1.0f));
  }

  void WriteLibrary(std::unique_ptr<CGeomObject> prototype) {
    std::vector<std::unique_ptr<CGeomObject>> library;
    library.push_back(std::move(prototype));
    WriteGemLibraryFile(folder.File(kGemLibraryFileName), std::move(library));
  }

  Picture Shown() {
    EXPECT_NO_FATAL_FAILURE(Frame());
    return {view.canvas.rows(), view.depth->data};
  }

  // A frame of an empty scene into which the object is drawn the old way, as the frame would
  // draw it: right after the clear, in its layer's colour.
  Picture ShownPerFace(const CGeomObject& object) {
    gl.drawBackground = [&] {
      const std::uint32_t color = LayerColors[object.layer];
      const float rgba[4] = {static_cast<float>(color & 0xFF) / 255.0f,
                             static_cast<float>((color >> 8) & 0xFF) / 255.0f,
                             static_cast<float>((color >> 16) & 0xFF) / 255.0f, 1.0f};
      gl.Materialfv(kGlFront, kGlDiffuse, rgba);
      ForEachShadedPartGL(&object, [&](const CGeomObject& part) {
        const bool flip = part.GetKind() == kKindMesh &&
                          MeshNormalsFlip(static_cast<const CMeshObject&>(part).orientationSign);
        PerFaceSink sink(gl);
        DeriveShading(part, flip, sink);
      });
    };
    Picture picture = Shown();
    gl.drawBackground = nullptr;
    return picture;
  }

  static std::unique_ptr<CMeshObject> Octahedron(float r) {
    auto mesh = std::make_unique<CMeshObject>();
    mesh->SetPoints(6, {{r, 0, 0}, {-r, 0, 0}, {0, r, 0}, {0, -r, 0}, {0, 0, r}, {0, 0, -r}});
    mesh->SetFaces({3, 3, 3, 3, 3, 3, 3, 3}, {0, 2, 4, 2, 1, 4, 1, 3, 4, 3, 0, 4,
                                              2, 0, 5, 1, 2, 5, 3, 1, 5, 0, 3, 5});
    return mesh;
  }

  TempDir folder;
};

// A waved grid of columns x rows quads over 36 x 36 units, a pentagon closing one corner.
std::unique_ptr<CMeshObject> WavedMesh(int flat) {
  constexpr int kSide = 12;
  auto mesh = std::make_unique<CMeshObject>();
  std::vector<Vector3> points;
  for (int i = 0; i <= kSide; ++i) {
    for (int j = 0; j <= kSide; ++j) {
      const float x = -18.0f + 3.0f * static_cast<float>(j), z = -18.0f + 3.0f * static_cast<float>(i);
      points.push_back({x, 4.0f * std::sin(0.3f * x) * std::cos(0.2f * z), z});
    }
  }
  points.push_back({-21.0f, 0.0f, -21.0f});
  mesh->SetPoints(static_cast<int>(points.size()), points);
  std::vector<std::int32_t> sizes;
  std::vector<std::int32_t> indices;
  for (int i = 0; i < kSide; ++i) {
    for (int j = 0; j < kSide; ++j) {
      const int v = i * (kSide + 1) + j;
      if (i == 0 && j == 0) continue;
      sizes.push_back(4);
      indices.insert(indices.end(), {v, v + 1, v + kSide + 2, v + kSide + 1});
    }
  }
  // The corner quad with the extra point: five vertices, convex.
  sizes.push_back(5);
  indices.insert(indices.end(), {0, 1, kSide + 2, kSide + 1, static_cast<int>(points.size()) - 1});
  EXPECT_TRUE(mesh->SetFaces(sizes, indices));
  mesh->flatShading = flat;
  return mesh;
}

// A closed cube with sharp edges and, smooth, creases at each of them.
std::unique_ptr<CMeshObject> SmoothCube() {
  auto cube = Cube(10.0f);
  cube->flatShading = 0;
  return cube;
}

std::unique_ptr<CMeshObject> MeshWithBadFaces() {
  auto mesh = WavedMesh(1);
  std::vector<std::int32_t> sizes = mesh->faceSizes;
  std::vector<std::int32_t> indices = mesh->faceIndices;
  // A 2-vertex face and a face naming a point that does not exist, among the good ones, then a
  // face that runs past the index list.
  sizes.insert(sizes.begin() + 3, {2, 3});
  indices.insert(indices.begin() + 12, {0, 1, 0, 999, 2});
  sizes.push_back(9);
  mesh->faceSizes = sizes;
  mesh->faceIndices = indices;
  return mesh;
}

std::unique_ptr<CSurfaceObject> WavedSurface(float y) {
  auto surface = std::make_unique<CSurfaceObject>();
  std::vector<Vector3> points;
  for (int i = 0; i < 6; ++i) {
    for (int j = 0; j < 6; ++j) {
      points.push_back({-15.0f + 6.0f * static_cast<float>(j),
                        y + 5.0f * std::sin(static_cast<float>(i + 2 * j)),
                        -15.0f + 6.0f * static_cast<float>(i)});
    }
  }
  surface->SetGrid(6, 6, points);
  surface->outputStepsU = 5;
  surface->outputStepsV = 3;
  return surface;
}

// A tube along z, closed around and open at its ends, so it has two caps.
std::unique_ptr<CSurfaceObject> CappedTube() {
  std::vector<Vector3> points;
  for (int i = 0; i < 5; ++i) {
    for (int j = 0; j < 8; ++j) {
      const float angle = static_cast<float>(j) * std::numbers::pi_v<float> / 4.0f;
      points.push_back({12.0f * std::cos(angle), 12.0f * std::sin(angle), -20.0f + 10.0f * i});
    }
  }
  auto tube = std::make_unique<CSurfaceObject>();
  tube->SetGrid(5, 8, points);
  tube->closedV = 1;
  tube->orientationSign = -1;
  return tube;
}

std::unique_ptr<CBlockObject> LBlock() {
  auto block = std::make_unique<CBlockObject>();
  block->SetProfiles({{{{-15, -15, 0}, {15, -15, 0}, {15, -5, 0}, {-5, -5, 0}, {-5, 15, 0},
                        {-15, 15, 0}},
                       3}});
  block->thickness = 12.0f;
  block->Rebuild();
  block->Transform(Translation(0, 0, -6), 1);
  return block;
}

std::unique_ptr<CGemObject> Gem() {
  auto gem = std::make_unique<CGemObject>();
  Matrix4 placement = kIdentityMatrix;
  placement.at(0, 0) = 14.0f;
  placement.at(1, 1) = -10.0f;  // a mirror, which GL's normal matrix turns back
  placement.at(2, 2) = 18.0f;
  placement.at(3, 0) = 3.0f;
  gem->placement = placement;
  return gem;
}

std::unique_ptr<CBooleanObject> Group() {
  auto group = std::make_unique<CBooleanObject>();
  group->SetOperation(kBooleanUnion);
  group->members.Append(WavedSurface(-6.0f));
  group->members.Append(SmoothCube());
  return group;
}

struct Scene {
  std::string name;
  std::function<std::unique_ptr<CGeomObject>()> make;
};

const std::vector<Scene>& Scenes() {
  static const std::vector<Scene> scenes = {
      {"flat mesh", [] { return WavedMesh(1); }},
      {"smooth mesh", [] { return WavedMesh(0); }},
      {"smooth mesh with creases", SmoothCube},
      {"mesh with bad faces", MeshWithBadFaces},
      {"open surface", [] { return WavedSurface(0.0f); }},
      {"closed surface with caps", CappedTube},
      {"block with flat ends", LBlock},
      {"gem", Gem},
      {"Boolean group", Group},
  };
  return scenes;
}

TEST_F(ShadingArraysTest, ArraysShowTheSamePixelsAndDepthsAsFaceByFace) {
  for (const Scene& scene : Scenes()) {
    SCOPED_TRACE(scene.name);
    std::unique_ptr<CGeomObject> object = scene.make();
    object->ObjectState = kStateShown;
    const Picture perFace = ShownPerFace(*object);
    EXPECT_NE(perFace.colour, Picture{}.colour);
    AddObject(object, 0);
    const Picture arrays = Shown();
    EXPECT_TRUE(arrays.colour == perFace.colour) << "colour differs";
    EXPECT_TRUE(arrays.depth == perFace.depth) << "depth differs";
    // Drawn again from what it kept.
    EXPECT_TRUE(Shown() == arrays);
    ResetScene();
    SetActiveView(&pane);
  }
}

// One change per row to an object that has been shown; the next frame must equal a frame of a
// fresh copy of the changed object. A change taken back by undo shows the first picture again.
struct Change {
  std::string name;
  std::function<std::unique_ptr<CGeomObject>()> make;
  std::function<void(CGeomObject&, CUndoHistory&)> change;
  bool undone = false;
};

TEST_F(ShadingArraysTest, AChangedObjectShowsAsAFreshCopyOfIt) {
  Matrix4 turn = kIdentityMatrix;
  turn.at(0, 0) = turn.at(2, 2) = std::cos(0.4f);
  turn.at(0, 2) = std::sin(0.4f);
  turn.at(2, 0) = -std::sin(0.4f);
  const std::vector<Change> changes = {
      {"move a point",
       [] {
         auto mesh = WavedMesh(0);
         mesh->controlPointsHidden = 0;
         mesh->marks[20] = 1;
         return mesh;
       },
       [](CGeomObject& o, CUndoHistory&) { o.Transform(Translation(0, -9, 3), 0); }},
      {"transform a surface", [] { return WavedSurface(0.0f); },
       [&](CGeomObject& o, CUndoHistory&) { o.Transform(turn, 1); }},
      {"transform a block", LBlock, [&](CGeomObject& o, CUndoHistory&) { o.Transform(turn, 1); }},
      {"change the layer colour", SmoothCube,
       [](CGeomObject& o, CUndoHistory&) { LayerColors[o.layer] = 0x2080C0; }},
      {"flat to smooth", [] { return WavedMesh(1); },
       [](CGeomObject& o, CUndoHistory&) {
         static_cast<CMeshObject&>(o).flatShading = 0;
         o.MarkChanged();
       }},
      {"fewer surface steps", CappedTube,
       [](CGeomObject& o, CUndoHistory&) {
         static_cast<CSurfaceObject&>(o).outputStepsU = 2;
         o.MarkChanged();
       }},
      {"change a group's member then undo", Group,
       [&](CGeomObject& o, CUndoHistory& history) {
         history.Record(&o, kUndoChanged);
         o.Transform(turn, 1);
         ASSERT_NO_FATAL_FAILURE(Frame());
         history.Undo();
       },
       true},
      {"delete and undo", [] { return WavedMesh(1); },
       [&](CGeomObject& o, CUndoHistory& history) {
         o.ObjectState -= 1;
         history.Record(&o, kUndoLevelPushed);
         ASSERT_NO_FATAL_FAILURE(Frame());
         history.Undo();
       },
       true},
      {"replace the gem library", Gem,
       [&](CGeomObject&, CUndoHistory&) {
         WriteLibrary(WavedMesh(0));
         GemLibrary.Load();
       }},
  };
  for (const Change& row : changes) {
    SCOPED_TRACE(row.name);
    std::unique_ptr<CGeomObject> made = row.make();
    made->ObjectState = kStateShown;
    CGeomObject* object = AddObject(made, 0);
    const Picture before = Shown();
    CUndoHistory history;
    ASSERT_NO_FATAL_FAILURE(row.change(*object, history));
    const Picture after = Shown();
    EXPECT_EQ(after == before, row.undone);

    std::unique_ptr<CGeomObject> copy = object->Clone();
    copy->next = nullptr;
    ResetScene();
    SetActiveView(&pane);
    AddObject(copy, 0);
    EXPECT_TRUE(Shown() == after);
    ResetScene();
    SetActiveView(&pane);
    WriteLibrary(Octahedron(1.0f));
    GemLibrary.Free();
  }
}

TEST_F(ShadingArraysTest, AMeshKeepsWithinThriceItsPointAndFaceMemory) {
  for (const int flat : {1, 0}) {
    SCOPED_TRACE(flat);
    const CMeshObject* shown = Add(WavedMesh(flat));
    ASSERT_NO_FATAL_FAILURE(Frame());
    const auto* arrays = dynamic_cast<const ShadingArrays*>(shown->drawingCache.get());
    ASSERT_NE(arrays, nullptr);
    const std::size_t own = shown->points.size() * sizeof(Vector3) +
                            (shown->faceIndices.size() + shown->faceSizes.size()) * sizeof(std::int32_t);
    EXPECT_LT(arrays->Bytes(), 3 * own);
    ResetScene();
    SetActiveView(&pane);
  }
}

}  // namespace
