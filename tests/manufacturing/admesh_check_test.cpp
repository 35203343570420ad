// The files handed to admesh, an outside STL checker (Debian package admesh): it must find our
// closed designs closed, consistently wound, with the facets we wrote and the right volume.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <regex>
#include <string>

#include "export_fixtures.h"
#include "kernel/bspline_curve.h"
#include "kernel/surface_tessellation.h"
#include "manufacturing/stl_writers.h"
#include "program_state.h"

namespace {

// admesh's whole output: it checks and repairs by default and prints a report.
std::string RunAdmesh(const std::string& path) {
  std::string output;
  const std::string command = "LC_ALL=C admesh '" + path + "' 2>&1";
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return output;
  char chunk[4096];
  while (const std::size_t n = std::fread(chunk, 1, sizeof chunk, pipe)) output.append(chunk, n);
  pclose(pipe);
  return output;
}

// The first number after "name :" in the report: the Original column where there are two.
double ReportValue(const std::string& report, const std::string& name) {
  std::smatch match;
  if (!std::regex_search(report, match, std::regex(name + R"(\s*:\s*(-?[0-9.]+))"))) {
    ADD_FAILURE() << "No \"" << name << "\" in admesh's report:\n" << report;
    return -1;
  }
  return std::stod(match[1].str());
}

// The area of the tube's end ring and its height, from the tessellated points.
double TubeVolume(const CSurfaceObject& tube) {
  std::vector<Vector3> padded;
  int paddedRows = 0;
  int paddedColumns = 0;
  ExtendSurfaceNet(tube.points.data(), tube.rows, tube.columns, 0, 0, tube.closedU, 0, 0,
                   tube.closedV, &padded, &paddedRows, &paddedColumns);
  std::vector<Vector3> grid;
  int rows = 0;
  int columns = 0;
  TessellateSurface(kBSplineBasis, padded.data(), paddedRows, paddedColumns, &grid, nullptr,
                    nullptr, &rows, &columns, tube.outputStepsU, tube.outputStepsV, 0);
  double twiceArea = 0;
  for (int i = 0; i + 1 < rows; ++i) {
    const Vector3 a = grid[static_cast<std::size_t>(i * columns)];
    const Vector3 b = grid[static_cast<std::size_t>(((i + 1) % (rows - 1)) * columns)];
    twiceArea += double(a.x) * b.y - double(b.x) * a.y;
  }
  const double height = double(grid[static_cast<std::size_t>(columns - 1)].z) - grid[0].z;
  return twiceArea / 2 * height;
}

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
    ASSERT_EQ(std::system("command -v admesh >/dev/null 2>&1"), 0)
        << "admesh is missing: install the Debian package admesh (scripts/install-deps.sh)";
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

}  // namespace
