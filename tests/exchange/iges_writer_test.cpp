#include "exchange/iges_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "comma_locale.h"
#include "exchange/output_file.h"
#include "export_fixtures.h"
#include "iges_test_files.h"
#include "kernel/boolean_object.h"
#include "kernel/curve_object.h"
#include "program_state.h"
#include "surface_shape.h"

namespace {

constexpr const char* kStart =
    "Lumidrex IGES conversion                                                S      1\n"
    "1H,,1H;,6HDesign,8HFilename,8HLumidrex,4HIGES,16,38,7,38,14,6HDesign,   G      1\n"
    "1.0,2,2HMM,1,,13H911129.130000,0.001,1000.0,6HDZ ORK,6HDZ ORK,5,0;      G      2\n";

std::string DirectoryEntry(int type, int pointer, int lines, int sequence) {
  return PrintfLine("%8d%8d%8d%8d%8d%8d%8d%8d%8dD%7d\n", type, pointer, 0, 1, 0, 0, 0, 0, 0, sequence) +
         PrintfLine("%8d%8d%8d%8d%8d%8s%8s%8s%8dD%7d\n", type, 0, 0, lines, 0, "", "", "", 1, sequence + 1);
}

// Parameter lines of one entity, numbered from first.
class ParameterLines {
 public:
  ParameterLines(int directory, int first) : directory_(directory), next_(first) {}
  ParameterLines& operator<<(const std::string& text) {
    text_ += PrintfLine("%-64s%8dP%7d\n", text.c_str(), directory_, next_++);
    return *this;
  }
  ParameterLines& Knots(std::initializer_list<double> knots) {
    for (const double k : knots) *this << PrintfLine("%6.1f,", k);
    return *this;
  }
  ParameterLines& Weights(int count) {
    for (int i = 0; i < count; ++i) *this << "       1.000000,";
    return *this;
  }
  ParameterLines& Point(double x, double y, double z) { return *this << PrintfLine("%15.6f,%15.6f,%15.6f,", x, y, z); }
  const std::string& text() const { return text_; }
  int next() const { return next_; }

 private:
  int directory_;
  int next_;
  std::string text_;
};

std::string Terminate(int directoryLines, int parameterLines) {
  return PrintfLine("S      1G      2D%7dP%7d%40sT      1\n", directoryLines, parameterLines, "");
}

std::unique_ptr<CCurveObject> MakeCurve(std::vector<Vector3> points, int closed = 0) {
  auto curve = std::make_unique<CCurveObject>();
  const auto count = static_cast<int>(points.size());
  curve->SetPoints(count, std::move(points));
  curve->closed = closed;
  return curve;
}

class IgesWriterTest : public LumidrexTest {
 protected:
  std::string Export() {
    const std::string path = folder.File("out.igs");
    EXPECT_TRUE(IgesWriter(list.first(), path));
    const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
    return {bytes.begin(), bytes.end()};
  }

  TempDir folder;
  ObjectList list;
};

TEST_F(IgesWriterTest, EmptySceneGivesStartGlobalAndTerminateLines) {
  EXPECT_EQ(Export(), std::string(kStart) +
                          "S      1G      2D      0P      0                                        T      1\n");
}

TEST_F(IgesWriterTest, OpenFivePointCurveIsExact) {
  Shown(list.Add(MakeCurve({{0, 0, 0}, {1, 0, 0}, {2, 1, 0}, {3, 1, -0.5f}, {4, 0, 1.25f}})));
  ParameterLines p(1, 1);
  p << "126,4,3,0,0,0,0,";
  p.Knots({0, 0, 0, 0, 1, 2, 2, 2, 2}).Weights(5);
  p.Point(0, 0, 0).Point(1, 0, 0).Point(2, 1, 0).Point(3, 1, -0.5).Point(4, 0, 1.25);
  p << "   0.0,   2.0,   0.0,   0.0,   1.0;";
  ASSERT_EQ(p.next(), 22);
  EXPECT_EQ(Export(), kStart + DirectoryEntry(126, 1, 21, 1) + p.text() + Terminate(2, 21));
}

TEST_F(IgesWriterTest, ThreePointCurveIsQuadratic) {
  Shown(list.Add(MakeCurve({{0, 0, 0}, {1, 2, 0}, {2, 0, 0}})));
  ParameterLines p(1, 1);
  p << "126,2,2,0,0,0,0,";
  p.Knots({0, 0, 0, 1, 1, 1}).Weights(3);
  p.Point(0, 0, 0).Point(1, 2, 0).Point(2, 0, 0);
  p << "   0.0,   1.0,   0.0,   0.0,   1.0;";
  EXPECT_EQ(Export(), kStart + DirectoryEntry(126, 1, 14, 1) + p.text() + Terminate(2, 14));
}

// Phantom ends turned into clamped ends: along a line of control points at 0, 1, 2, 3 the clamped
// polygon is 0, 1/3, 1, 2, 8/3, 3.
TEST_F(IgesWriterTest, FourByFourSurfaceBecomesSixBySix) {
  std::vector<Vector3> grid;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) grid.push_back({float(i), 2.0f * j, 5});
  }
  Shown(list.Add(MakeSurface(4, 4, grid, 0, 0, 8)));
  ParameterLines p(1, 1);
  p << "128,5,5,3,3,0,0,0,0,0,";
  p.Knots({0, 0, 0, 0, 1, 2, 3, 3, 3, 3}).Knots({0, 0, 0, 0, 1, 2, 3, 3, 3, 3}).Weights(36);
  const double clamped[6] = {0, 1.0 / 3, 1, 2, 8.0 / 3, 3};
  for (const double v : clamped) {
    for (const double u : clamped) p.Point(u, 2 * v, 5);
  }
  p << "   0.0,   3.0,   0.0,   3.0;";
  ASSERT_EQ(p.next() - 1, 2 * 36 + 6 + 6 + 10);
  EXPECT_EQ(Export(), kStart + DirectoryEntry(128, 1, 94, 1) + p.text() + Terminate(2, 94));
}

// What is written and what takes no directory number, in list order.
TEST_F(IgesWriterTest, WalkWritesShownCurvesAndSurfacesOnly) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  // Hidden, one point, a non-finite point, a number too wide for the columns.
  list.Add(MakeCurve({{0, 0, 0}, {1, 0, 0}}))->ObjectState = 2;
  Shown(list.Add(MakeCurve({{0, 0, 0}})));
  Shown(list.Add(MakeCurve({{0, 0, 0}, {nan, 0, 0}})));
  Shown(list.Add(MakeCurve({{0, 0, 0}, {1e30f, 0, 0}})));
  // A 2 x 2 surface whose U start lies inside the net: three rows, not one span.
  auto inside = MakeSurface(2, 2, {{0, 0, 0}, {0, 1, 0}, {1, 0, 0}, {1, 1, 0}}, 0, 0, 8);
  inside->startAttributeU = 1;
  Shown(list.Add(std::move(inside)));
  // A closed curve of two points goes on round as P0, P1, P0; it is selected, and a curve
  // inside a subtraction is written as well as the body.
  list.Add(MakeCurve({{1, 2, 3}, {4, 5, 6}}, 1))->ObjectState = kStateSelected;
  auto group = std::make_unique<CBooleanObject>();
  group->SetOperation(kBooleanSubtraction);
  group->members.Append(MakeCurve({{0, 0, 0}, {1, 0, 0}}));
  group->members.Append(MakeCurve({{0, 0, 0}, {0, 1e20f, 0}}));
  Shown(list.Add(std::move(group)));

  ParameterLines closed(1, 1);
  closed << "126,4,3,0,1,0,1,";
  closed.Knots({-2, -2, -1, 0, 1, 2, 3, 4, 4}).Weights(5);
  closed.Point(1, 2, 3).Point(4, 5, 6).Point(1, 2, 3).Point(4, 5, 6).Point(1, 2, 3);
  closed << "   0.0,   2.0,   0.0,   0.0,   1.0;";
  ParameterLines line(3, 22);
  line << "126,1,1,0,0,0,0,";
  line.Knots({0, 0, 1, 1}).Weights(2).Point(0, 0, 0).Point(1, 0, 0);
  line << "   0.0,   1.0,   0.0,   0.0,   1.0;";
  ParameterLines wide(5, 32);
  wide << "126,1,1,0,0,0,0,";
  wide.Knots({0, 0, 1, 1}).Weights(2).Point(0, 0, 0).Point(0, 1e20f, 0);
  wide << "   0.0,   1.0,   0.0,   0.0,   1.0;";
  ASSERT_NE(wide.text().find("100000002004087734272.000000,"), std::string::npos);

  EXPECT_EQ(Export(), kStart + DirectoryEntry(126, 1, 21, 1) + DirectoryEntry(126, 22, 10, 3) +
                          DirectoryEntry(126, 32, 10, 5) + closed.text() + line.text() + wide.text() +
                          Terminate(6, 41));
}

TEST_F(IgesWriterTest, SameBytesUnderACommaLocale) {
  Shown(list.Add(MakeCurve({{0.5f, -1.25f, 3}, {1, 0, 0}, {2, 1, 0}, {3, 1, -0.5f}}, 1)));
  Shown(list.Add(TorusSurface(5, 4, 8)));
  const std::string plain = Export();
  ASSERT_NE(plain.find("       0.500000,      -1.250000,"), std::string::npos);
  const CommaLocale comma;
  ASSERT_TRUE(comma.active());
  EXPECT_EQ(Export(), plain);
}

TEST_F(IgesWriterTest, AFailedExportLeavesTheOldFile) {
  Shown(list.Add(TorusSurface(100, 100, 8)));
  const std::vector<std::uint8_t> old = {'o', 'l', 'd'};
  EXPECT_FALSE(IgesWriter(list.first(), folder.Write("plain", old) + "/out.igs"));
  const std::string target = folder.Write("old.igs", old);
  for (const std::int64_t after : {0, 300, 1'500'000}) {
    SCOPED_TRACE(after);
    OutputFile::FailWritesAfter(after);
    EXPECT_FALSE(IgesWriter(list.first(), target));
    OutputFile::FailWritesAfter(-1);
    EXPECT_EQ(ReadWholeFile(target), old);
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"old.igs", "plain"}));
  }
  EXPECT_TRUE(IgesWriter(list.first(), target));
  EXPECT_GT(ReadWholeFile(target).size(), 1'500'000u);
}

// The parameters of a surface's knot lines and span midpoints, with its points there as our own
// tessellation gives them: TessellateSurface with steps 1 and 2 at u = i / steps, v = j / steps.
struct SurfaceSamples {
  std::vector<std::array<double, 2>> parameters;
  std::vector<Vector3> points;
};

SurfaceSamples SampleSurface(const CSurfaceObject& surface) {
  SurfaceSamples samples;
  for (const int steps : {1, 2}) {
    int rows = 0;
    int columns = 0;
    const std::vector<Vector3> grid = SurfaceShape(surface, steps, steps, &rows, &columns);
    for (int i = 0; i < rows; ++i) {
      for (int j = 0; j < columns; ++j) {
        samples.parameters.push_back({double(i) / steps, double(j) / steps});
        samples.points.push_back(grid[static_cast<std::size_t>(i * columns + j)]);
      }
    }
  }
  return samples;
}

// OpenCASCADE reads what we write: one face per surface, one edge per curve, and each face runs
// through our own surface points at its knot lines and span midpoints.
TEST_F(IgesWriterTest, OpenCascadeReadsOurSurfacesAndCurves) {
  std::vector<Vector3> bump;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) bump.push_back({2.0f * i, 3.0f * j, (i == 1 || i == 2) && j == 2 ? 4.0f : 0.5f * i});
  }
  const CSurfaceObject* patch = Shown(list.Add(MakeSurface(4, 4, bump, 0, 0, 8)));
  Shown(list.Add(MakeCurve({{0, 0, 0}, {1, 0, 0}, {2, 1, 0}, {3, 1, -0.5f}, {4, 0, 1.25f}})));
  const CSurfaceObject* tube = Shown(list.Add(TubeSurface(8, 5, 3, 8)));
  Shown(list.Add(MakeCurve({{0, 0, 1}, {4, 0, 1}, {4, 4, 1}, {0, 4, 1}}, 1)));
  const CSurfaceObject* torus = Shown(list.Add(TorusSurface(6, 5, 8)));
  Shown(list.Add(MakeCurve({{-1, -1, 0}, {1, 1, 2}}, 1)));
  auto inside = MakeSurface(2, 2, {{0, 0, 0}, {0, 1, 0}, {1, 0, 0}, {1, 1, 0}}, 0, 0, 8);
  inside->startAttributeU = inside->endAttributeU = inside->startAttributeV = inside->endAttributeV = 1;
  Shown(list.Add(std::move(inside)));
  const std::string path = folder.File("scene.igs");
  ASSERT_TRUE(IgesWriter(list.first(), path));

  const IgesPeerReport report = ReadWithIgesPeer(path);
  EXPECT_EQ(report.status, "done");
  EXPECT_EQ(report.fails, 0);
  EXPECT_EQ(report.roots, 6);
  EXPECT_EQ(report.transferred, 6);
  ASSERT_EQ(report.rootReports.size(), 6u);
  for (std::size_t k = 0; k < 6; ++k) {
    SCOPED_TRACE(k);
    const bool surface = k % 2 == 0;
    EXPECT_EQ(report.rootReports[k].type, surface ? 128 : 126);
    EXPECT_EQ(report.rootReports[k].faces, surface ? 1 : 0);
    if (!surface) {
      EXPECT_EQ(report.rootReports[k].edges, 1);
    }
  }

  const CSurfaceObject* surfaces[] = {patch, tube, torus};
  for (std::size_t k = 0; k < 3; ++k) {
    SCOPED_TRACE(k);
    const SurfaceSamples samples = SampleSurface(*surfaces[k]);
    const IgesPeerReport sampled = ReadWithIgesPeer(path, samples.parameters);
    ASSERT_EQ(sampled.rootReports.size(), 6u);
    const std::vector<std::array<double, 5>>& points = sampled.rootReports[2 * k].points;
    ASSERT_EQ(points.size(), samples.points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
      const Vector3 ours = samples.points[i];
      const double size = 1 + std::sqrt(double(ours.x) * ours.x + double(ours.y) * ours.y + double(ours.z) * ours.z);
      EXPECT_NEAR(points[i][2], ours.x, 1e-4 * size) << "u " << points[i][0] << " v " << points[i][1];
      EXPECT_NEAR(points[i][3], ours.y, 1e-4 * size) << "u " << points[i][0] << " v " << points[i][1];
      EXPECT_NEAR(points[i][4], ours.z, 1e-4 * size) << "u " << points[i][0] << " v " << points[i][1];
    }
  }
}

}  // namespace
