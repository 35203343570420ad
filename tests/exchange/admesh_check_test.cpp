// The files handed to admesh, an outside STL checker (Debian package admesh): it must find our
// closed designs closed, consistently wound, with the facets we wrote and the right volume.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <regex>
#include <string>

#include "admesh_report.h"
#include "closed_solid_checks.h"
#include "exchange/stl_writers.h"
#include "kernel/block_object.h"
#include "kernel/block_solid.h"
#include "kernel/mesh_object.h"
#include "export_fixtures.h"
#include "kernel/bspline_curve.h"
#include "kernel/surface_tessellation.h"
#include "program_state.h"

namespace {

std::size_t CountFacets(const std::string& path, bool binary) {
  const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
  if (binary) return (bytes.size() - 84) / 50;
  const std::string text(bytes.begin(), bytes.end());
  std::size_t count = 0;
  for (std::size_t at = text.find("facet normal"); at != std::string::npos; at = text.find("facet normal", at + 1)) {
    ++count;
  }
  return count;
}

class AdmeshCheckTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    ASSERT_TRUE(AdmeshInstalled()) << kAdmeshMissing;
  }

  // Exports the list both ways and checks admesh's report of each file.
  void Check(const ObjectList& list, double volume, bool inward) {
    for (const bool binary : {true, false}) {
      SCOPED_TRACE(binary ? "binary" : "ascii");
      const std::string path = folder.File(binary ? "b.stl" : "a.stl");
      ASSERT_TRUE(binary ? StlBinaryWriter(list.first(), path) : StlAsciiWriter(list.first(), path));
      const std::size_t facets = CountFacets(path, binary);
      ASSERT_GE(facets, 12u);
      const std::string report = RunAdmesh(path);
      EXPECT_NE(report.find(binary ? "File type          : Binary STL file"
                                   : "File type          : ASCII STL file"),
                std::string::npos)
          << report;
      EXPECT_EQ(ReportValue(report, "Number of facets"), double(facets));
      EXPECT_EQ(ReportValue(report, "Number of parts"), 1);
      for (const char* zero : {"Total disconnected facets", "Degenerate facets", "Edges fixed",
                               "Facets removed", "Facets added", "Backwards edges", "Normals fixed"}) {
        EXPECT_EQ(ReportValue(report, zero), 0) << zero;
      }
      EXPECT_EQ(ReportValue(report, "Facets reversed"), inward ? double(facets) : 0);
      EXPECT_NEAR(ReportValue(report, "Volume"), volume, 1e-4 * volume);
    }
  }

  TempDir folder;
};

TEST_F(AdmeshCheckTest, CubeMeshIsClosed) {
  ObjectList list;
  list.Add(CubeMesh(10));
  Check(list, 1000, false);
}

TEST_F(AdmeshCheckTest, CappedTubeIsClosedEitherWay) {
  for (const int sign : {1, -1}) {
    SCOPED_TRACE(sign);
    ObjectList list;
    CSurfaceObject* tube = list.Add(TubeSurface(8, 5, 10, 8));
    tube->orientationSign = sign;
    Check(list, TubeVolume(*tube), sign < 0);
  }
}

// A block's solid as the exports take it, from an outline and a hole both drawn clockwise with
// round ends: admesh finds one part, closed, nothing to reverse, and the volume the solid
// encloses by our own count.
TEST_F(AdmeshCheckTest, BlockSolidIsClosedAndFacesOut) {
  auto block = std::make_unique<CBlockObject>();
  const std::vector<Vector3> outer = {{0, 0, 0}, {0, 8, 0}, {8, 8, 0}, {8, 0, 0}};
  const std::vector<Vector3> hole = {{2, 2, 0}, {2, 5, 0}, {5, 5, 0}, {5, 2, 0}};
  block->SetProfiles({{outer, 4}, {hole, 4}});
  block->thickness = 3;
  block->radius = 0.5f;
  block->frontEndType = block->backEndType = kBlockEndRound;
  block->Rebuild();
  const BlockSolid solid = TessellateBlock(*block);
  auto mesh = std::make_unique<CMeshObject>();
  mesh->SetPoints(static_cast<int>(solid.points.size()), solid.points);
  ASSERT_TRUE(mesh->SetFaces(solid.faceSizes, solid.faceIndices));
  ObjectList list;
  list.Add(std::move(mesh));
  Check(list, SignedVolume(solid.points, solid.faceIndices), false);
}

}  // namespace
