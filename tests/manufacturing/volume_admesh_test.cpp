// The volume estimate against admesh's volume of the same design exported as STL: a grid of 0.05
// samples at pixel corners measures 10 mm bodies within about 0.1%.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "admesh_report.h"
#include "exchange/stl_writers.h"
#include "export_fixtures.h"
#include "manufacturing/volume_estimate.h"
#include "scene/scene.h"
#include "slice_scene.h"

namespace {

// A closed sphere-like mesh of around x bands quads (triangles at the poles), facing out.
std::unique_ptr<CMeshObject> SphereMesh(Vector3 centre, float radius, int around, int bands) {
  std::vector<Vector3> points;
  for (int i = 0; i <= bands; ++i) {
    const double polar = 3.141592653589793 * i / bands;
    for (int j = 0; j < around; ++j) {
      const double azimuth = 6.283185307179586 * j / around;
      points.push_back({static_cast<float>(centre.x + radius * std::sin(polar) * std::cos(azimuth)),
                        static_cast<float>(centre.y + radius * std::sin(polar) * std::sin(azimuth)),
                        static_cast<float>(centre.z + radius * std::cos(polar))});
    }
  }
  std::vector<std::vector<std::int32_t>> faces;
  for (int i = 0; i < bands; ++i) {
    for (int j = 0; j < around; ++j) {
      const int k = (j + 1) % around;
      const int a = i * around + j, b = i * around + k, c = (i + 1) * around + k, d = (i + 1) * around + j;
      if (i == 0) {
        faces.push_back({a, d, c});
      } else if (i == bands - 1) {
        faces.push_back({a, d, b});
      } else {
        faces.push_back({a, d, c, b});
      }
    }
  }
  return MakeMesh(points, faces);
}

class VolumeAdmeshTest : public DesignTest {};

TEST_F(VolumeAdmeshTest, EstimateAgreesWithAdmesh) {
  ASSERT_TRUE(AdmeshInstalled()) << kAdmeshMissing;
  struct Case {
    const char* name;
    std::function<void(DesignTest&)> build;
    double tolerance;
  };
  const std::vector<Case> cases = {
      {"a box", [](DesignTest& t) { t.AddBox({0.125f, 0.25f, 0.375f}, {10.125f, 10.25f, 10.375f}); }, 1e-5},
      {"a sphere", [](DesignTest& t) { t.Add(SphereMesh({0.3f, -0.17f, 0.11f}, 5, 32, 16)); }, 2e-3},
      {"a capped tube", [](DesignTest& t) { t.Add(TubeSurface(8, 5, 10, 8)); }, 2e-3},
      // A surface closed both ways is the whole tree: its grid must be made all the same.
      {"a torus surface alone", [](DesignTest& t) { t.Add(TorusSurface(24, 12, 8)); }, 2e-3},
  };
  TempDir folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResetProgramState();
    SetUp();
    c.build(*this);
    const std::string path = folder.File("design.stl");
    ASSERT_TRUE(StlBinaryWriter(GetObjectList(), path));
    const std::string report = RunAdmesh(path);
    const double outside = ReportValue(report, "Volume");
    ASSERT_GT(outside, 100.0) << report;
    EXPECT_NEAR(ComputeVolume(0.05f, 0), outside, c.tolerance * outside);
  }
}

}  // namespace
