#include "modelling/facet_commands.h"

#include <gtest/gtest.h>

#include <cmath>
#include <array>
#include <memory>
#include <random>
#include <vector>

#include "counting_viewport.h"
#include "kernel/mesh_object.h"
#include "modelling/mapping_frame.h"
#include "program_state.h"
#include "scene/scene.h"
#include "scene/undo_history.h"

namespace {

class FacetCommandsTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    SetActiveView(&view);
  }

  // A unit quad split as faces (0, 1, 2) and (0, 2, 3).
  CMeshObject* AddQuad(int state, int flat) {
    auto mesh = std::make_unique<CMeshObject>();
    mesh->SetPoints(4, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}});
    mesh->SetFaces({3, 3}, {0, 1, 2, 0, 2, 3});
    mesh->flatShading = flat;
    CMeshObject* added = AddObject(mesh, 1);
    added->ObjectState = state;
    return added;
  }

  // The records of the step just taken, after a fresh history.
  std::vector<CGeomObject*> Recorded() const {
    std::vector<CGeomObject*> objects;
    for (const UndoStep& step : view.ring[static_cast<std::size_t>(view.index)]) objects.push_back(step.object);
    return objects;
  }

  CountingViewport view;
};

TEST_F(FacetCommandsTest, ShadingAndFlipRecordOnlyTheMeshesTheyChange) {
  struct Case {
    void (*command)();
    std::vector<int> flatBefore;
    std::vector<int> flatAfter;
    std::vector<bool> recorded;
    bool redraws;
  };
  // The third mesh is shown, not selected: no command touches it.
  const Case cases[] = {
      {&DoFlatShaded, {1, 1, 0}, {1, 1, 0}, {false, false, false}, false},
      {&DoSmoothShaded, {1, 0, 1}, {0, 0, 1}, {true, false, false}, true},
      {&DoFlatShaded, {0, 1, 0}, {1, 1, 0}, {true, false, false}, true},
      {&DoFlipMeshNormal, {1, 0, 1}, {1, 0, 1}, {true, true, false}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    ResetScene();
    SetActiveView(&view);
    std::vector<CMeshObject*> meshes;
    for (std::size_t i = 0; i < 3; ++i) meshes.push_back(AddQuad(i < 2 ? kStateSelected : kStateShown, c.flatBefore[i]));
    view.Clear();
    view.redraws = 0;
    c.command();
    const std::vector<CGeomObject*> recorded = Recorded();
    for (std::size_t i = 0; i < 3; ++i) {
      EXPECT_EQ(meshes[i]->flatShading, c.flatAfter[i]) << i;
      EXPECT_EQ(std::count(recorded.begin(), recorded.end(), meshes[i]), c.recorded[i] ? 1 : 0) << i;
      const bool flipped = c.command == &DoFlipMeshNormal && i < 2;
      EXPECT_EQ(meshes[i]->orientationSign, flipped ? -1 : 1) << i;
    }
    EXPECT_EQ(recorded.size(), static_cast<std::size_t>(std::count(c.recorded.begin(), c.recorded.end(), true)));
    EXPECT_EQ(view.redraws > 0, c.redraws);
    // One undo takes the whole command back.
    if (!recorded.empty()) {
      ASSERT_EQ(view.Undo(), 1);
      for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(meshes[i]->flatShading, c.flatBefore[i]) << i;
        EXPECT_EQ(meshes[i]->orientationSign, 1) << i;
      }
    }
  }
}

TEST_F(FacetCommandsTest, ExtendToSolidAddsTheOffsetSheetFacingTheOtherWay) {
  CMeshObject* source = AddQuad(kStateSelected, 0);
  source->controlPointsHidden = 1;
  view.Clear();
  DoExtendToSolid(0, 0, 2);
  const CMeshObject* solid = static_cast<const CMeshObject*>(source->next);
  ASSERT_NE(solid, nullptr);
  EXPECT_EQ(solid->next, nullptr);
  const std::vector<Vector3> points = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0},
                                       {0, 0, 2}, {1, 0, 2}, {1, 1, 2}, {0, 1, 2}};
  EXPECT_EQ(solid->points, points);
  EXPECT_EQ(solid->faceSizes, (std::vector<std::int32_t>{3, 3, 3, 3}));
  EXPECT_EQ(solid->faceIndices, (std::vector<std::int32_t>{0, 1, 2, 0, 2, 3, 6, 5, 4, 7, 6, 4}));
  EXPECT_TRUE(solid->FacesFit());
  EXPECT_EQ(solid->ObjectState, kStateSelected);
  EXPECT_EQ(solid->controlPointsHidden, 1);
  EXPECT_EQ(solid->flatShading, 0);
  EXPECT_EQ(solid->orientationSign, 1);
  ASSERT_NE(solid->materialName, nullptr);
  EXPECT_EQ(*solid->materialName, "Gold");
  EXPECT_EQ(source->ObjectState, kStateSelected - kAbsorbedOffset);
  ASSERT_EQ(view.Undo(), 1);
  EXPECT_EQ(source->ObjectState, kStateSelected);
  EXPECT_LT(solid->ObjectState, 0);
}

TEST_F(FacetCommandsTest, ExtendToSolidMakesOneSolidPerSelectedMeshAndNoneWithoutAView) {
  AddQuad(kStateSelected, 1);
  AddQuad(kStateShown, 1);
  AddQuad(kStateSelected, 1);
  DoExtendToSolid(1, 0, 0);
  int solids = 0;
  int gone = 0;
  for (CGeomObject* object = GetObjectList(); object != nullptr; object = object->next) {
    if (static_cast<CMeshObject*>(object)->PointCount() == 8) ++solids;
    if (object->ObjectState < 0) ++gone;
  }
  EXPECT_EQ(solids, 2);
  EXPECT_EQ(gone, 2);

  // Without an active viewport the mesh is handed back unadded and the source stays.
  auto loose = std::make_unique<CMeshObject>();
  loose->SetPoints(3, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
  loose->SetFaces({3}, {0, 1, 2});
  loose->ObjectState = kStateSelected;
  SetActiveView(nullptr);
  ExtendMeshToSolid(loose.get(), 0, 0, 1);
  EXPECT_EQ(loose->ObjectState, kStateSelected);
}

// Newell's normal of a face, in double precision.
std::array<double, 3> FaceNormal(const CMeshObject& mesh, std::size_t start, int size) {
  std::array<double, 3> n{};
  for (int k = 0; k < size; ++k) {
    const Vector3 a = mesh.points[static_cast<std::size_t>(mesh.faceIndices[start + static_cast<std::size_t>(k)])];
    const Vector3 b =
        mesh.points[static_cast<std::size_t>(mesh.faceIndices[start + static_cast<std::size_t>((k + 1) % size)])];
    n[0] += (static_cast<double>(a.y) - b.y) * (static_cast<double>(a.z) + b.z);
    n[1] += (static_cast<double>(a.z) - b.z) * (static_cast<double>(a.x) + b.x);
    n[2] += (static_cast<double>(a.x) - b.x) * (static_cast<double>(a.y) + b.y);
  }
  return n;
}

TEST_F(FacetCommandsTest, ExtendToSolidOnRandomMeshesOffsetsEveryVertexAndTurnsEveryFace) {
  std::mt19937 random(31);
  std::uniform_real_distribution<float> coordinate(-5, 5);
  std::uniform_int_distribution<int> faceSize(3, 6);
  for (int trial = 0; trial < 20; ++trial) {
    SCOPED_TRACE(trial);
    ResetScene();
    SetActiveView(&view);
    // Random star-shaped (often concave) polygons of random sizes over shared random vertices.
    const int n = 12;
    std::vector<Vector3> points;
    for (int i = 0; i < n; ++i) points.push_back({coordinate(random), coordinate(random), coordinate(random)});
    std::vector<std::int32_t> sizes;
    std::vector<std::int32_t> indices;
    for (int f = 0; f < 6; ++f) {
      const int size = faceSize(random);
      sizes.push_back(size);
      for (int k = 0; k < size; ++k) indices.push_back(std::uniform_int_distribution<int>(0, n - 1)(random));
    }
    auto mesh = std::make_unique<CMeshObject>();
    mesh->SetPoints(n, points);
    ASSERT_TRUE(mesh->SetFaces(sizes, indices));
    CMeshObject* source = AddObject(mesh, 1);
    const Vector3 d{coordinate(random), coordinate(random), coordinate(random)};
    DoExtendToSolid(d.x, d.y, d.z);
    const auto* solid = static_cast<const CMeshObject*>(source->next);
    ASSERT_NE(solid, nullptr);
    ASSERT_EQ(solid->PointCount(), 2 * n);
    ASSERT_TRUE(solid->FacesFit());
    for (int i = 0; i < n; ++i) {
      const Vector3 p = solid->points[static_cast<std::size_t>(n + i)];
      EXPECT_NEAR(p.x, static_cast<double>(points[static_cast<std::size_t>(i)].x) + d.x, 1e-5);
      EXPECT_NEAR(p.y, static_cast<double>(points[static_cast<std::size_t>(i)].y) + d.y, 1e-5);
      EXPECT_NEAR(p.z, static_cast<double>(points[static_cast<std::size_t>(i)].z) + d.z, 1e-5);
    }
    // Each offset face is its source face moved by d and facing the other way.
    ASSERT_EQ(solid->FaceCount(), 12);
    std::size_t start = 0;
    std::size_t offsetStart = indices.size();
    for (int f = 0; f < 6; ++f) {
      const int size = sizes[static_cast<std::size_t>(f)];
      EXPECT_EQ(solid->faceSizes[static_cast<std::size_t>(f)], size);
      EXPECT_EQ(solid->faceSizes[static_cast<std::size_t>(6 + f)], size);
      const std::array<double, 3> front = FaceNormal(*solid, start, size);
      const std::array<double, 3> back = FaceNormal(*solid, offsetStart, size);
      for (int c = 0; c < 3; ++c) EXPECT_NEAR(back[c], -front[c], 1e-3 * (1 + std::fabs(front[c])));
      start += static_cast<std::size_t>(size);
      offsetStart += static_cast<std::size_t>(size);
    }
  }
}

TEST_F(FacetCommandsTest, MappingFrameSpansTheBoundsOrIsTheIdentity) {
  struct Case {
    std::vector<Vector3> points;
    Matrix4 frame;
  };
  Matrix4 spanning = kIdentityMatrix;
  spanning.m[0] = 2;
  spanning.m[5] = 2;
  spanning.m[12] = 4;
  spanning.m[13] = 1;
  const Case cases[] = {
      {{{2, -1, 5}, {6, 3, 0}, {3, 0, 1}}, spanning},
      {{}, kIdentityMatrix},
      {{{0, 0, 0}, {NAN, 1, 1}}, kIdentityMatrix},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    CMeshObject mesh;
    mesh.SetPoints(static_cast<int>(c.points.size()), c.points);
    FitMappingFrameToBounds(&mesh);
    EXPECT_EQ(mesh.mappingKind, 1);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(mesh.mappingFrame.m[i], c.frame.m[i]) << i;
  }
}

}  // namespace
