#include "manufacturing/volume_estimate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "exchange/visible_bounds.h"
#include "kernel/curve_object.h"
#include "manufacturing/grid_counts.h"
#include "platform/program_folder.h"
#include "render/record_pool.h"
#include "render/render_row_scan.h"
#include "render/render_state.h"
#include "render/render_state_scope.h"
#include "render/render_tree.h"
#include "scene/design_file.h"
#include "services/layer_table.h"
#include "services/string_table.h"
#include "slice_scene.h"

namespace {

// A box that notes the bounds flag each time its bounds are asked.
class ProbeBox : public CMeshObject {
 public:
  void GetBounds(Vector3* min, Vector3* max, Matrix4 M) const override {
    flagsSeen.push_back(FirstChildBoundsOnly);
    CMeshObject::GetBounds(min, max, M);
  }
  mutable std::vector<int> flagsSeen;
};

// The estimate as it was made before the ray primitives, kept as the reference: the whole render
// tree of full primitives, scanned once, with the sums both estimates gather in the same order.
VolumeAndCentre ReferenceEstimate(float resolution) {
  const VolumeAndCentre none{-1.0f, {0.0f, 0.0f, 0.0f}};
  Vector3 min;
  Vector3 max;
  FirstChildBoundsOnly = 1;
  const int bounded = GetVisibleBounds(&min, &max);
  FirstChildBoundsOnly = 0;
  if (bounded == 0 || !GridStepUsable(resolution)) return none;
  const double columns = GridCount(double(max.x) - min.x, resolution);
  const double rows = GridCount(double(max.y) - min.y, resolution);
  if (columns < 0 || rows < 0 || GridCount(double(max.z) - min.z, resolution) < 0) return none;
  RenderStateScope saved;
  ShadingMode = 2;
  Matrix4 m = kIdentityMatrix;
  m[0] = m[5] = m[10] = 1.0f / resolution;
  m[12] = -min.x / resolution;
  m[13] = -min.y / resolution;
  m[14] = -min.z / resolution;
  double sum = 0, sx = 0, sy = 0, sz = 0;
  SetRenderColumnWindow(0, static_cast<int>(columns) - 1);
  RenderTreeGuard tree(BuildRenderTree(m, 0));
  for (int row = 0; row < static_cast<int>(rows); ++row) {
    ScanRenderRow(tree.get(), row, static_cast<int>(columns), [&](int column, CrossingEntry* list) {
      for (const CrossingEntry* e = list; e != nullptr && e->next != nullptr; e = e->next->next) {
        const double a = e->depth;
        const double b = std::max(e->next->depth, 0.0f);
        sum += a - b;
        sx += (a - b) * column;
        sy += (a - b) * row;
        sz += (a - b) * (a + b) * 0.5;
      }
      ReleaseCrossingList(list);
    });
  }
  const float volume = static_cast<float>(sum * resolution * resolution * resolution);
  if (sum == 0) return {volume, {0.0f, 0.0f, 0.0f}};
  const Vector3 grid{static_cast<float>(sx / sum), static_cast<float>(sy / sum), static_cast<float>(sz / sum)};
  return {volume, TransformPoint(grid, MatInverse(m))};
}

bool SameBits(float a, float b) { return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b); }

// Every way of asking gives the reference's volume and centre to the bit.
void ExpectReferenceAnswers(float resolution) {
  SCOPED_TRACE(resolution);
  const VolumeAndCentre reference = ReferenceEstimate(resolution);
  const VolumeAndCentre both = ComputeVolumeAndCentre(resolution);
  const float volume = ComputeVolume(resolution, 0);
  const Vector3 centre = ComputeCentreOfGravity(resolution);
  for (const float v : {both.volume, volume}) EXPECT_TRUE(SameBits(v, reference.volume)) << v << " " << reference.volume;
  for (const Vector3& c : {both.centre, centre}) {
    EXPECT_TRUE(SameBits(c.x, reference.centre.x) && SameBits(c.y, reference.centre.y) &&
                SameBits(c.z, reference.centre.z))
        << c.x << " " << c.y << " " << c.z << " against " << reference.centre.x << " " << reference.centre.y << " "
        << reference.centre.z;
  }
}

// The signed volume of a closed mesh by the divergence theorem, each face a fan, in double.
double ExactVolume(const CMeshObject& mesh) {
  double six = 0;
  std::size_t first = 0;
  const auto at = [&](std::size_t k) {
    const Vector3 p = mesh.points[mesh.faceIndices[k]];
    return std::array<double, 3>{p.x, p.y, p.z};
  };
  for (const std::int32_t size : mesh.faceSizes) {
    const auto a = at(first);
    for (std::size_t k = first + 1; k + 1 < first + size; ++k) {
      const auto b = at(k);
      const auto c = at(k + 1);
      six += a[0] * (b[1] * c[2] - b[2] * c[1]) + a[1] * (b[2] * c[0] - b[0] * c[2]) + a[2] * (b[0] * c[1] - b[1] * c[0]);
    }
    first += size;
  }
  return six / 6;
}

double SurfaceArea(const CMeshObject& mesh) {
  double area = 0;
  std::size_t first = 0;
  for (const std::int32_t size : mesh.faceSizes) {
    const Vector3 a = mesh.points[mesh.faceIndices[first]];
    for (std::size_t k = first + 1; k + 1 < first + size; ++k) {
      const Vector3 n = VecCross(VecSub(mesh.points[mesh.faceIndices[k]], a), VecSub(mesh.points[mesh.faceIndices[k + 1]], a));
      area += 0.5 * std::sqrt(double(n.x) * n.x + double(n.y) * n.y + double(n.z) * n.z);
    }
    first += size;
  }
  return area;
}

class VolumeEstimateTest : public DesignTest {};

TEST_F(VolumeEstimateTest, VolumesAndCentresOfDesigns) {
  struct Case {
    const char* name;
    std::function<void(DesignTest&)> build;
    float resolution;
    float volume;
    float tolerance;
    Vector3 centre;
  };
  const std::vector<Case> cases = {
      // Samples sit at pixel corners, so the centre reads half a step low across the rays.
      {"a unit box", [](DesignTest& t) { t.AddBox({0, 0, 0}, {1, 1, 1}); }, 0.05f, 1.0f, 1e-6f,
       {0.475f, 0.475f, 0.5f}},
      {"two disjoint boxes",
       [](DesignTest& t) {
         t.AddBox({0, 0, 0}, {1, 1, 1});
         t.AddBox({2, 0, 0}, {3, 1, 2});
       },
       0.05f, 3.0f, 1e-5f, {(0.475f + 2 * 2.475f) / 3, 0.475f, (0.5f + 2 * 1.0f) / 3}},
      {"a box with a box subtracted inside",
       [](DesignTest& t) { t.AddSubtraction({0, 0, 0}, {2, 2, 2}, {0.5f, 0.5f, 0.5f}, {1.5f, 1.5f, 1.5f}); },
       0.125f, 7.0f, 1e-5f, {0.9375f, 0.9375f, 1.0f}},
      {"only curves",
       [](DesignTest& t) {
         auto curve = std::make_unique<CCurveObject>();
         curve->SetPoints(2, {{0, 0, 0}, {1, 1, 1}});
         t.Add(std::move(curve));
       },
       0.05f, -1.0f, 0.0f, {0, 0, 0}},
      {"a box on a hidden layer widens the grid only",
       [](DesignTest& t) {
         t.AddBox({0, 0, 0}, {1, 1, 1});
         t.AddBox({4, 4, 4}, {5, 5, 5}, 3);
         LayerTable[3].visible = 0;
       },
       0.05f, 1.0f, 1e-6f, {0.475f, 0.475f, 0.5f}},
      // In one float sum the plate, scanned after the column, would vanish. 0.05f is not 1/20,
      // which moves the result by a float step.
      {"a thin plate after a tall column",
       [](DesignTest& t) {
         t.AddBox({0, 0, 0}, {10, 10, 10000});
         t.AddBox({0, 10, 0}, {10, 20, 0.5f});
       },
       0.05f, 1000050.0f, 0.1f, {4.975f, 4.975f + 10 * 50.0f / 1000050, 5000.0f - 4999.75f * 50.0f / 1000050}},
      {"a resolution of 0", [](DesignTest& t) { t.AddBox({0, 0, 0}, {1, 1, 1}); }, 0.0f, -1.0f, 0.0f, {0, 0, 0}},
      {"a stray vertex at 1e12",
       [](DesignTest& t) {
         t.AddBox({0, 0, 0}, {1, 1, 1});
         t.AddBox({0, 0, 0}, {1e12f, 1, 1});
       },
       0.05f, -1.0f, 0.0f, {0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResetProgramState();
    SetUp();
    c.build(*this);
    const float volume = ComputeVolume(c.resolution, 0);
    EXPECT_NEAR(volume, c.volume, c.tolerance);
    const Vector3 centre = ComputeCentreOfGravity(c.resolution);
    EXPECT_NEAR(centre.x, c.centre.x, 1e-4f + 1e-6f * std::fabs(c.centre.x));
    EXPECT_NEAR(centre.y, c.centre.y, 1e-4f + 1e-6f * std::fabs(c.centre.y));
    EXPECT_NEAR(centre.z, c.centre.z, 1e-4f + 1e-6f * std::fabs(c.centre.z));
    // Both at once, refused and empty designs included.
    const VolumeAndCentre both = ComputeVolumeAndCentre(c.resolution);
    EXPECT_TRUE(SameBits(both.volume, volume) && SameBits(both.centre.x, centre.x) &&
                SameBits(both.centre.y, centre.y) && SameBits(both.centre.z, centre.z));
    EXPECT_EQ(RenderNestingCount, 0);
    EXPECT_TRUE(Headless().messages.empty());
  }
}

// Seeded concave and open meshes, touching shells and a subtraction, on grids whose steps land on
// the points and grids whose steps do not.
TEST_F(VolumeEstimateTest, TheFullTreesAnswerToTheBit) {
  struct Case {
    const char* name;
    std::function<void(DesignTest&)> build;
  };
  std::vector<Case> cases = {
      {"a torus, its rims on the grid", [](DesignTest& t) { t.Add(TorusMesh({0, 0, 0}, 2, 0.75f, 48, 24)); }},
      {"a box standing on a box in one mesh",
       [](DesignTest& t) {
         std::unique_ptr<CMeshObject> lower = BoxMesh({0, 0, 0}, {1, 1, 1});
         std::unique_ptr<CMeshObject> upper = BoxMesh({0.25f, 0.25f, 1}, {0.75f, 0.75f, 1.5f});
         for (std::int32_t& index : upper->faceIndices) index += lower->PointCount();
         std::vector<Vector3> points = lower->points;
         points.insert(points.end(), upper->points.begin(), upper->points.end());
         std::vector<std::int32_t> sizes = lower->faceSizes;
         sizes.insert(sizes.end(), upper->faceSizes.begin(), upper->faceSizes.end());
         std::vector<std::int32_t> indices = lower->faceIndices;
         indices.insert(indices.end(), upper->faceIndices.begin(), upper->faceIndices.end());
         lower->SetPoints(static_cast<int>(points.size()), points);
         EXPECT_TRUE(lower->SetFaces(sizes, indices));
         t.Add(std::move(lower));
       }},
      {"a box with a box subtracted inside",
       [](DesignTest& t) { t.AddSubtraction({0, 0, 0}, {2, 2, 2}, {0.5f, 0.5f, 0.5f}, {1.5f, 1.5f, 1.5f}); }},
  };
  for (unsigned seed = 1; seed <= 4; ++seed) {
    cases.push_back({"a bumpy sphere", [seed](DesignTest& t) {
                       t.Add(BumpySphereMesh(seed, {0.1f * seed, -0.3f, 0.2f}, 1.5f, 0.35f, 20 + 4 * seed, 12 + seed));
                     }});
    cases.push_back({"a triangle soup and a bumpy sphere", [seed](DesignTest& t) {
                       t.Add(TriangleSoupMesh(seed, {-1, -1, -1}, {1, 1, 1}, 60));
                       t.Add(BumpySphereMesh(seed + 10, {0.5f, 0.5f, 0}, 0.8f, 0.2f, 16, 9));
                     }});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResetProgramState();
    SetUp();
    c.build(*this);
    for (const float resolution : {0.125f, 0.05f, 0.0731f}) ExpectReferenceAnswers(resolution);
    EXPECT_EQ(RenderNestingCount, 0);
  }
}

TEST_F(VolumeEstimateTest, SampleDesignsGiveTheFullTreesAnswerToTheBit) {
  for (const char* sample : {"Rings/Rings1/001", "Rings/Rings1/003", "Rings/Rings2/001", "Pendants/001", "Earrings/001"}) {
    SCOPED_TRACE(sample);
    ResetProgramState();
    SetUp();
    SetProgramDirOverride(LUMIDREX_PROGRAM_FOLDER);
    InsertDocumentFile(std::string(LUMIDREX_PROGRAM_FOLDER) + "database/" + sample + ".lxd");
    ASSERT_NE(TheScene.head, nullptr);
    ExpectReferenceAnswers(0.05f);
  }
}

// Each ray stands for its pixel: its length differs from the pixel's mean thickness by at most the
// slopes of the surfaces it meets times one step, and those slopes over the grid add up to no more
// than the surface area, so the estimate lies within area x step of the exact volume.
TEST_F(VolumeEstimateTest, ClosedMeshesHoldTheirExactVolumeWithinAStep) {
  for (unsigned seed = 1; seed <= 3; ++seed) {
    SCOPED_TRACE(seed);
    ResetProgramState();
    SetUp();
    const CMeshObject* mesh = Add(seed == 3 ? TorusMesh({0.3f, 0.1f, 0}, 2, 0.75f, 40, 20)
                                            : BumpySphereMesh(seed, {0.2f, -0.1f, 0.3f}, 1.5f, 0.3f, 24, 12, true));
    const double exact = ExactVolume(*mesh);
    const float resolution = 0.05f;
    EXPECT_NEAR(ComputeVolumeAndCentre(resolution).volume, exact, SurfaceArea(*mesh) * resolution);
  }
}

TEST_F(VolumeEstimateTest, BoundsWalkSeesOnlyTheBodyOfASubtraction) {
  auto group = std::make_unique<CBooleanObject>();
  group->SetOperation(kBooleanSubtraction);
  group->subtractBody = 1;
  auto probe = std::make_unique<ProbeBox>();
  std::unique_ptr<CMeshObject> body = BoxMesh({0, 0, 0}, {1, 1, 1});
  probe->SetPoints(body->PointCount(), body->points);
  probe->faceSizes = body->faceSizes;
  probe->faceIndices = body->faceIndices;
  probe->ObjectState = kStateShown;
  ProbeBox* seen = probe.get();
  group->members.Append(std::move(probe));
  std::unique_ptr<CGeomObject> cutter = BoxMesh({0.5f, -1, -1}, {3, 2, 2});
  cutter->ObjectState = kStateShown;
  group->members.Append(std::move(cutter));
  Add(std::move(group));

  EXPECT_NEAR(ComputeVolume(0.05f, 1), 0.5f, 1e-6f);
  ASSERT_FALSE(seen->flagsSeen.empty());
  EXPECT_EQ(seen->flagsSeen.front(), 1);
  EXPECT_EQ(FirstChildBoundsOnly, 0);
  // Outside the estimates the group reaches over its cutter.
  Vector3 min;
  Vector3 max;
  GetVisibleBounds(&min, &max);
  EXPECT_EQ(max.x, 3.0f);

  seen->flagsSeen.clear();
  FailNthBlockAllocation(1);
  EXPECT_EQ(ComputeVolume(0.05f, 0), -1.0f);
  EXPECT_EQ(seen->flagsSeen.front(), 1);
  EXPECT_EQ(FirstChildBoundsOnly, 0);
  EXPECT_EQ(RenderNestingCount, 0);
  ASSERT_EQ(Headless().messages.size(), 1u);
  EXPECT_EQ(Headless().messages[0].text, GetLocalizedString(kNotEnoughMemoryMessage));
  FailNthBlockAllocation(1);
  const Vector3 centre = ComputeCentreOfGravity(0.05f);
  EXPECT_EQ(centre.x, 0.0f);
  EXPECT_EQ(centre.z, 0.0f);
  EXPECT_EQ(FirstChildBoundsOnly, 0);
}

TEST_F(VolumeEstimateTest, ProgressCaptionsAndCancel) {
  AddBox({0, 0, 0}, {1, 0.1f, 1});
  EXPECT_NEAR(ComputeVolume(0.05f, 0), 0.1f, 1e-6f);
  EXPECT_NEAR(ComputeVolume(0.05f, 1), 0.1f, 1e-6f);
  ComputeCentreOfGravity(0.05f);
  const auto& captions = Headless().progress.captions;
  for (const char* caption :
       {"Estimating Volume... 50%", "Estimating Weight... 50%", "Estimating Center of Gravity... 50%"}) {
    EXPECT_NE(std::find(captions.begin(), captions.end(), caption), captions.end()) << caption;
  }

  Headless().onProgressPump = [](ProgressWindowClient& client) { client.OnCancel(); };
  Headless().messageAnswers = {kAnswerYes};
  EXPECT_EQ(ComputeVolume(0.05f, 0), -1.0f);
  // The centre of the first row's part.
  Headless().messageAnswers = {kAnswerYes};
  const Vector3 centre = ComputeCentreOfGravity(0.05f);
  EXPECT_NEAR(centre.x, 0.475f, 1e-5f);
  EXPECT_NEAR(centre.y, 0.0f, 1e-6f);
  // Both at once: no volume, and the same centre.
  Headless().messageAnswers = {kAnswerYes};
  const VolumeAndCentre both = ComputeVolumeAndCentre(0.05f);
  EXPECT_EQ(both.volume, -1.0f);
  EXPECT_TRUE(SameBits(both.centre.x, centre.x) && SameBits(both.centre.y, centre.y) &&
              SameBits(both.centre.z, centre.z));
  EXPECT_EQ(RenderNestingCount, 0);
}

}  // namespace
