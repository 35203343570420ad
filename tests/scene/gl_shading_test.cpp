#include "scene/gl_shading.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "kernel/block_object.h"
#include "kernel/boolean_object.h"
#include "kernel/gem_library.h"
#include "kernel/gem_object.h"
#include "kernel/mesh_object.h"
#include "kernel/surface_object.h"
#include "gem_library_file.h"
#include "platform/program_folder.h"
#include "program_state.h"
#include "recording_gl.h"
#include "scene/drawing_context.h"
#include "scene/gl_table.h"
#include "temp_dir.h"

namespace {

class GlShadingTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    InstallGlCalls(&gl);
    SetModelMatrix(kIdentityMatrix);
    GlInverseViewMatrix = kIdentityMatrix;
  }

  RecordingGl gl;
};

void ExpectNear(Vector3 actual, Vector3 expected, float tolerance) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

// A flat open grid, rows along x and columns along y, every end attribute 0.
std::unique_ptr<CSurfaceObject> FlatSurface(int rows, int columns, int stepsU, int stepsV) {
  auto surface = std::make_unique<CSurfaceObject>();
  surface->rows = rows;
  surface->columns = columns;
  for (int i = 0; i < rows; ++i) {
    for (int j = 0; j < columns; ++j) surface->points.push_back({float(i), float(j), 0.0f});
  }
  surface->outputStepsU = stepsU;
  surface->outputStepsV = stepsV;
  return surface;
}

// A tube of radius 1 from z = 0 to z = 3: rows go up z, each row a ring of 8 points turning
// counter-clockwise seen from +z (closed along the columns).
std::unique_ptr<CSurfaceObject> Tube(int orientation) {
  auto tube = std::make_unique<CSurfaceObject>();
  tube->rows = 4;
  tube->columns = 8;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 8; ++j) {
      const float angle = float(j) * std::numbers::pi_v<float> / 4.0f;
      tube->points.push_back({std::cos(angle), std::sin(angle), float(i)});
    }
  }
  tube->closedV = 1;
  tube->outputStepsU = 2;
  tube->outputStepsV = 2;
  tube->orientationSign = orientation;
  return tube;
}

TEST_F(GlShadingTest, SurfaceStepsStayWithinAboutTwoHundredFiftySixPoints) {
  struct Case {
    int rows, columns, stepsU, stepsV;
    int shadedU, shadedV;
  };
  for (const Case& c : {Case{40, 4, 8, 8, 6, 8}, Case{300, 4, 1, 8, 1, 8},
                        Case{2, 4, 200, 8, 128, 8}, Case{4, 40, 8, 8, 8, 6}}) {
    SCOPED_TRACE(testing::Message() << c.rows << " x " << c.columns);
    gl.calls.clear();
    const auto surface = FlatSurface(c.rows, c.columns, c.stepsU, c.stepsV);
    RenderObjectGL(surface.get());
    // Open with attributes 0: one padding line at each end, rows - 1 spans.
    const int n = c.shadedU * (c.rows - 1) + 1;
    const int m = c.shadedV * (c.columns - 1) + 1;
    const std::vector<RecordingGl::Call> draws = gl.Named("DrawElements");
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].numbers[0], kGlQuads);
    EXPECT_EQ(draws[0].numbers[1], 4.0 * (n - 1) * (m - 1));
    EXPECT_EQ(draws[0].numbers[2], kGlUnsignedInt);
  }
}

TEST_F(GlShadingTest, SurfaceNormalsFollowTheOrientation) {
  for (const int orientation : {1, -1}) {
    gl.draws.clear();
    auto surface = FlatSurface(4, 4, 2, 2);
    surface->orientationSign = orientation;
    RenderObjectGL(surface.get());
    ASSERT_EQ(gl.draws.size(), 1u);
    ASSERT_FALSE(gl.draws[0].normals.empty());
    // Tangent U along +x, V along +y: U x V is +z.
    for (const Vector3 normal : gl.draws[0].normals) {
      ExpectNear(normal, {0.0f, 0.0f, float(orientation)}, 1e-6f);
    }
  }
}

TEST_F(GlShadingTest, SurfaceClosedOneWayGetsTwoCapsFacingAsItsWall) {
  struct Case {
    int closedU, closedV;
    int caps;
  };
  for (const Case& c : {Case{0, 1, 2}, Case{1, 0, 2}, Case{1, 1, 0}, Case{0, 0, 0}}) {
    SCOPED_TRACE(testing::Message() << "closed " << c.closedU << ", " << c.closedV);
    gl.draws.clear();
    auto tube = Tube(-1);
    tube->closedU = c.closedU;
    tube->closedV = c.closedV;
    RenderObjectGL(tube.get());
    EXPECT_EQ(gl.DrawsOf(kGlTriangles).size(), static_cast<std::size_t>(c.caps));
  }

  // Orientation -1 turns this tube's wall outward; its caps face out of the tube too, and lie
  // on the tube's end planes.
  gl.draws.clear();
  const auto tube = Tube(-1);
  RenderObjectGL(tube.get());
  const std::vector<RecordingGl::Draw> caps = gl.DrawsOf(kGlTriangles);
  ASSERT_EQ(caps.size(), 2u);
  for (int cap = 0; cap < 2; ++cap) {
    const float capZ = cap == 0 ? 0.0f : 3.0f;
    for (const Vector3 normal : caps[cap].normals) {
      ExpectNear(normal, {0.0f, 0.0f, cap == 0 ? -1.0f : 1.0f}, 1e-5f);
    }
    for (const Vector3 vertex : caps[cap].vertices) EXPECT_NEAR(vertex.z, capZ, 1e-5);
    // An octagon sampled at 2 steps per span is a 16-gon: 14 triangles per cap.
    EXPECT_EQ(caps[cap].vertices.size(), 14u * 3);
  }
}

TEST_F(GlShadingTest, MeshFacesThatDoNotFitAreLeftOut) {
  CMeshObject mesh;
  mesh.points = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
  // A triangle, a 2-vertex face, a face with index 99, a quad, a face with index -1, and a face
  // that runs past the index list.
  mesh.faceSizes = {3, 2, 3, 4, 3, 5};
  mesh.faceIndices = {0, 1, 2, 0, 1, 0, 99, 2, 0, 1, 2, 3, 0, -1, 2, 0, 1};
  for (const int flat : {1, 0}) {
    SCOPED_TRACE(flat);
    gl.draws.clear();
    mesh.flatShading = flat;
    mesh.MarkChanged();
    RenderObjectGL(&mesh);
    ASSERT_EQ(gl.draws.size(), 1u);
    // The triangle, then the quad as the fan from its first vertex, each triangle led by its
    // second corner.
    const std::vector<Vector3> expected = {mesh.points[1], mesh.points[2], mesh.points[0],
                                           mesh.points[1], mesh.points[2], mesh.points[0],
                                           mesh.points[2], mesh.points[3], mesh.points[0]};
    EXPECT_EQ(gl.draws[0].mode, kGlTriangles);
    EXPECT_EQ(gl.draws[0].vertices, expected);
  }
}

TEST_F(GlShadingTest, MeshNormalsFlipWithAMirrorOrAnInsideOutMesh) {
  CMeshObject mesh;
  mesh.points = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
  mesh.faceSizes = {3};
  mesh.faceIndices = {0, 1, 2};
  Matrix4 mirror = kIdentityMatrix;
  mirror[0] = -1.0f;
  struct Case {
    bool mirrored;
    int orientation;
    float normalZ;
  };
  for (const Case& c : {Case{false, 1, 1.0f}, Case{true, 1, -1.0f}, Case{false, -1, -1.0f},
                        Case{true, -1, 1.0f}}) {
    SCOPED_TRACE(testing::Message() << c.mirrored << ", " << c.orientation);
    gl.draws.clear();
    gl.calls.clear();
    // The view matrix and its inverse cancel; only the placement's handedness is left.
    SetModelMatrix(c.mirrored ? mirror : kIdentityMatrix);
    mesh.orientationSign = c.orientation;
    mesh.MarkChanged();
    RenderObjectGL(&mesh);
    ASSERT_EQ(gl.draws.size(), 1u);
    ASSERT_EQ(gl.draws[0].normals.size(), 3u);
    // Flat shading lights the triangle by its last vertex, and is put back after it.
    ExpectNear(gl.draws[0].normals[2], {0.0f, 0.0f, c.normalZ}, 1e-6f);
    const std::vector<RecordingGl::Call> models = gl.Named("ShadeModel");
    ASSERT_EQ(models.size(), 2u);
    EXPECT_EQ(models[0].numbers[0], kGlFlat);
    EXPECT_EQ(models[1].numbers[0], kGlSmooth);
  }
}

TEST_F(GlShadingTest, SmoothMeshKeepsCreasesAndSmoothsGentleFolds) {
  // Two unit squares sharing the edge x = 0, the second folded down by the given angle.
  for (const float degrees : {90.0f, 10.0f}) {
    SCOPED_TRACE(degrees);
    gl.draws.clear();
    const float a = degrees * std::numbers::pi_v<float> / 180.0f;
    CMeshObject mesh;
    mesh.flatShading = 0;
    mesh.points = {{-1, 0, 0}, {0, 0, 0}, {0, 1, 0}, {-1, 1, 0},
                   {std::cos(a), 0, -std::sin(a)}, {std::cos(a), 1, -std::sin(a)}};
    mesh.faceSizes = {4, 4};
    mesh.faceIndices = {0, 1, 2, 3, 1, 4, 5, 2};
    RenderObjectGL(&mesh);
    ASSERT_EQ(gl.draws.size(), 1u);
    // Two fans of two triangles; the first triangle's corners are the first face's second,
    // third and first.
    const std::vector<Vector3>& normals = gl.draws[0].normals;
    ASSERT_EQ(normals.size(), 12u);
    // The second vertex of the first face sits on the fold.
    const Vector3 onFold = normals[0];
    const Vector3 faceNormal = {0.0f, 0.0f, 1.0f};
    if (degrees > 45.0f) {
      ExpectNear(onFold, faceNormal, 1e-6f);
    } else {
      const float half = a / 2.0f;
      ExpectNear(onFold, {std::sin(half), 0.0f, std::cos(half)}, 1e-5f);
    }
    // Vertices off the fold keep their face's normal either way.
    ExpectNear(normals[2], faceNormal, 1e-6f);
  }
}

std::unique_ptr<CGeomObject> ShownMesh() {
  auto mesh = std::make_unique<CMeshObject>();
  mesh->SetPoints(3, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
  mesh->SetFaces({3}, {0, 1, 2});
  return mesh;
}

TEST_F(GlShadingTest, BooleanGroupsShowTheirCountingMembers) {
  struct Case {
    int operation, subtractBody, groupState, memberState;
    int surfaces, meshes;
  };
  for (const Case& c : {
           Case{kBooleanSubtraction, 0, 0, 0, 1, 0},  // the body alone
           Case{kBooleanSubtraction, 1, 0, 0, 1, 1},
           Case{kBooleanSubtraction, 0, 2, 0, 0, 0},  // a hidden group shows no body
           Case{kBooleanUnion, 0, 0, 0, 1, 1},
           Case{kBooleanUnion, 0, 0, 2, 1, 0},  // a hidden member is left out
       }) {
    SCOPED_TRACE(testing::Message() << c.operation << ", " << c.subtractBody << ", "
                                    << c.groupState << ", " << c.memberState);
    gl.draws.clear();
    CBooleanObject group;
    group.SetOperation(c.operation);
    group.subtractBody = c.subtractBody;
    group.ObjectState = c.groupState;
    group.members.Append(FlatSurface(4, 4, 1, 1));
    std::unique_ptr<CGeomObject> mesh = ShownMesh();
    mesh->ObjectState = c.memberState;
    group.members.Append(std::move(mesh));
    RenderObjectGL(&group);
    EXPECT_EQ(gl.DrawsOf(kGlQuads).size(), static_cast<std::size_t>(c.surfaces));
    EXPECT_EQ(gl.DrawsOf(kGlTriangles).size(), static_cast<std::size_t>(c.meshes));
  }
}

std::unique_ptr<CBlockObject> SquareBlock(float thickness) {
  auto block = std::make_unique<CBlockObject>();
  block->profilePoints = {{0, 0, 0}, {2, 0, 0}, {2, 2, 0}, {0, 2, 0}};
  block->profileSizes = {4};
  block->profileSteps = {2};
  block->thickness = thickness;
  block->Rebuild();
  return block;
}

// The block as its one closed solid: one batch of triangles whose normals face out, the end faces
// flat (the crease to the walls keeps their own normals), the walls across the depth.
TEST_F(GlShadingTest, BlockDrawsItsSolidFacingOut) {
  struct Case {
    const char* name;
    float thickness;
    bool turned;
  };
  for (const Case& c : {Case{"straight", 5.0f, false}, Case{"a quarter turn about x, moved 10 along x", 5.0f, true},
                        Case{"thinner than a wall", 0.0005f, false}}) {
    SCOPED_TRACE(c.name);
    gl.draws.clear();
    auto block = SquareBlock(c.thickness);
    // A quarter turn about x takes +z to -y.
    Matrix4 turn = kIdentityMatrix;
    if (c.turned) {
      turn.at(1, 1) = turn.at(2, 2) = 0.0f;
      turn.at(1, 2) = 1.0f;
      turn.at(2, 1) = -1.0f;
      turn.at(3, 0) = 10.0f;
    }
    block->placement = turn;
    RenderObjectGL(block.get());
    EXPECT_TRUE(gl.DrawsOf(kGlQuads).empty());
    const std::vector<RecordingGl::Draw> draws = gl.DrawsOf(kGlTriangles);
    ASSERT_EQ(draws.size(), 1u);
    const RecordingGl::Draw& solid = draws[0];
    ASSERT_GE(solid.vertices.size(), 3u * 4);
    const Vector3 centre = TransformPoint({1, 1, c.thickness / 2}, turn);
    const Vector3 front = VecSub(TransformPoint({0, 0, 1}, turn), TransformPoint({0, 0, 0}, turn));
    for (std::size_t k = 0; k < solid.vertices.size(); ++k) {
      const Vector3 p = solid.vertices[k], n = solid.normals[k];
      EXPECT_GE(p.x, (c.turned ? 10.0f : 0.0f) - 1e-5f);
      EXPECT_LE(p.x, (c.turned ? 12.0f : 2.0f) + 1e-5f);
      EXPECT_NEAR(std::sqrt(VecDot(n, n)), 1.0f, 1e-5f);
      // Out of the solid: along the depth at its ends, away from its axis on the walls.
      EXPECT_GT(VecDot(n, VecSub(p, centre)), 0.0f) << k;
      const float along = VecDot(n, front);
      EXPECT_TRUE(std::fabs(std::fabs(along) - 1.0f) < 1e-5f || std::fabs(along) < 1e-5f) << k;
    }
  }
}

class GlGemShadingTest : public GlShadingTest {
 protected:
  void SetUp() override {
    GlShadingTest::SetUp();
    SetProgramDirOverride(folder.path());
    std::vector<std::unique_ptr<CGeomObject>> library;
    library.push_back(ShownMesh());
    WriteGemLibraryFile(folder.File(kGemLibraryFileName), std::move(library));
  }

  TempDir folder;
};

TEST_F(GlGemShadingTest, GemShadesItsPrototypeAndPutsGlsMatrixBack) {
  // Drawn inside a preview: GL holds the view matrix times the preview's.
  Matrix4 preview = kIdentityMatrix;
  preview[13] = 7.0f;
  gl.MatrixMode(kGlModelview);
  gl.LoadMatrixf(preview.m);
  CGemObject gem;
  gem.placement = kIdentityMatrix;
  gem.placement[0] = -2.0f;
  RenderObjectGL(&gem);

  const std::vector<RecordingGl::Call> multiplied = gl.Named("MultMatrixf");
  ASSERT_EQ(multiplied.size(), 1u);
  EXPECT_EQ(multiplied[0].numbers[0], -2.0);
  ASSERT_EQ(gl.draws.size(), 1u);
  // The prototype's normal is not turned: GL's normal matrix takes care of the mirror.
  ExpectNear(gl.draws[0].normals.at(2), {0, 0, 1}, 1e-6f);
  const std::vector<RecordingGl::Call> loaded = gl.Named("LoadMatrixf");
  ASSERT_EQ(loaded.size(), 2u);
  EXPECT_EQ(loaded[1].numbers, loaded[0].numbers);

  // A gem of no prototype draws nothing.
  gl.calls.clear();
  gem.SetLibraryIndex(5);
  RenderObjectGL(&gem);
  EXPECT_TRUE(gl.calls.empty());
}

// A prototype that is a group holding a gem of itself: each gem level shades the group's mesh,
// and the descent stops where the wire frame's does instead of exhausting the stack.
TEST_F(GlGemShadingTest, AGroupHoldingItsOwnGemStopsAtTheNestingBound) {
  auto group = std::make_unique<CBooleanObject>();
  group->SetOperation(kBooleanUnion);
  group->members.Append(ShownMesh());
  group->members.Append(std::make_unique<CGemObject>());  // library index 0: this group
  std::vector<std::unique_ptr<CGeomObject>> library;
  library.push_back(std::move(group));
  WriteGemLibraryFile(folder.File(kGemLibraryFileName), std::move(library));
  GemLibrary.Load();

  CGemObject gem;
  RenderObjectGL(&gem);
  EXPECT_EQ(gl.draws.size(), static_cast<std::size_t>(kMaxGemNesting));
  EXPECT_EQ(GemNestingDepth(), 0);
}

}  // namespace
