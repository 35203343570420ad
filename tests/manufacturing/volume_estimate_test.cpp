#include "manufacturing/volume_estimate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

#include "exchange/visible_bounds.h"
#include "kernel/curve_object.h"
#include "render/record_pool.h"
#include "render/render_state.h"
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
    EXPECT_NEAR(ComputeVolume(c.resolution, 0), c.volume, c.tolerance);
    const Vector3 centre = ComputeCentreOfGravity(c.resolution);
    EXPECT_NEAR(centre.x, c.centre.x, 1e-4f + 1e-6f * std::fabs(c.centre.x));
    EXPECT_NEAR(centre.y, c.centre.y, 1e-4f + 1e-6f * std::fabs(c.centre.y));
    EXPECT_NEAR(centre.z, c.centre.z, 1e-4f + 1e-6f * std::fabs(c.centre.z));
    EXPECT_EQ(RenderNestingCount, 0);
    EXPECT_TRUE(Headless().messages.empty());
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
  EXPECT_EQ(RenderNestingCount, 0);
}

}  // namespace
