#include "exchange/iges_import.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "comma_locale.h"
#include "exchange/exchange_commands.h"
#include "exchange/export_stack.h"
#include "exchange/iges_writer.h"
#include "exchange/surface_net_fit.h"
#include "exchange/triangle_export_walk.h"
#include "export_fixtures.h"
#include "iges_test_files.h"
#include "kernel/bspline_curve.h"
#include "kernel/surface_object.h"
#include "kernel/surface_tessellation.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "services/string_table.h"
#include "scene_fixture.h"
#include "temp_dir.h"

namespace {

// An IGES file whose parameter section holds the data lines (at most 64 columns each) as
// entity 1's.
std::string IgesFile(const std::vector<std::string>& data) {
  std::string text = PrintfLine("%-72sS%7d\n", "Test", 1) + PrintfLine("%-72sG%7d\n", "1H,,1H;;", 1) +
                     PrintfLine("%8d%8d%56sD%7d\n", 128, 1, "", 1) + PrintfLine("%8d%64sD%7d\n", 128, "", 2);
  int sequence = 0;
  for (const std::string& line : data) text += PrintfLine("%-64s%8dP%7d\n", line.c_str(), 1, ++sequence);
  return text + PrintfLine("S      1G      1D      2P%7d%40sT      1\n", sequence, "");
}

// Entity 128's parameter tokens packed into lines of at most 64 columns; the last ends the record.
std::vector<std::string> Pack(const std::vector<std::string>& tokens) {
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const std::string token = tokens[i] + (i + 1 < tokens.size() ? "," : ";");
    if (lines.back().size() + token.size() > 64) lines.emplace_back();
    lines.back() += token;
  }
  return lines;
}

// Entity 128's parameters as a damaged file may give them: the counts and degrees as text, then
// knotsAndWeights tokens "1." before the coordinates (first index fastest) and the range 0 to 1.
std::vector<std::string> SurfaceData(const std::string& k1, const std::string& k2,
                                     const std::vector<std::string>& coordinates, int knotsAndWeights,
                                     const std::string& degree = "3") {
  std::vector<std::string> tokens = {"128", k1, k2, degree, degree, "0", "0", "1", "0", "0"};
  tokens.insert(tokens.end(), static_cast<std::size_t>(knotsAndWeights), "1.");
  tokens.insert(tokens.end(), coordinates.begin(), coordinates.end());
  tokens.insert(tokens.end(), {"0.", "1.", "0.", "1."});
  return Pack(tokens);
}

// The knots of count points of degree min(3, count - 1): clamped (the ends repeated) or uniform
// throughout, 0, 1, 2, ... between; with the range that carries the whole curve.
std::vector<std::string> Knots(int count, bool clamped, std::string range[2]) {
  const int degree = std::min(3, count - 1);
  std::vector<std::string> knots;
  for (int i = 0; i < count + degree + 1; ++i) {
    knots.push_back(std::to_string(clamped ? std::clamp(i - degree, 0, count - degree) : i));
  }
  range[0] = knots[static_cast<std::size_t>(degree)];
  range[1] = knots[static_cast<std::size_t>(count)];
  return knots;
}

// A valid entity 128 of rows x columns points, coordinates as text with the first index running
// fastest: cubic (or of a lower degree where there are too few points), unit weights, knots
// clamped both ways unless U is uniform throughout.
std::vector<std::string> NetText(int rows, int columns, const std::vector<std::string>& coordinates,
                                 bool uniformU = false) {
  std::string rangeU[2], rangeV[2];
  const std::vector<std::string> knotsU = Knots(rows, !uniformU, rangeU);
  const std::vector<std::string> knotsV = Knots(columns, true, rangeV);
  std::vector<std::string> tokens = {"128", std::to_string(rows - 1), std::to_string(columns - 1),
                                     std::to_string(std::min(3, rows - 1)), std::to_string(std::min(3, columns - 1)),
                                     "0", "0", "1", "0", "0"};
  tokens.insert(tokens.end(), knotsU.begin(), knotsU.end());
  tokens.insert(tokens.end(), knotsV.begin(), knotsV.end());
  tokens.insert(tokens.end(), static_cast<std::size_t>(rows * columns), "1");
  tokens.insert(tokens.end(), coordinates.begin(), coordinates.end());
  tokens.insert(tokens.end(), {rangeU[0], rangeU[1], rangeV[0], rangeV[1]});
  return Pack(tokens);
}

// A net given row by row (rows run along the file's first index) as the coordinates of its file.
std::vector<std::string> FileOrder(int rows, int columns, const std::vector<Vector3>& net) {
  std::vector<std::string> coordinates;
  for (int j = 0; j < columns; ++j) {
    for (int k = 0; k < rows; ++k) {
      const Vector3 p = net[static_cast<std::size_t>(k * columns + j)];
      for (const float v : {p.x, p.y, p.z}) coordinates.push_back(PrintfLine("%.9g", v));
    }
  }
  return coordinates;
}

std::vector<std::string> NetData(int rows, int columns, const std::vector<Vector3>& net, bool uniformU = false) {
  return NetText(rows, columns, FileOrder(rows, columns, net), uniformU);
}

// Rows whose points lie at (x[row], j * j, 0), so that no column is a third of its neighbours.
std::vector<Vector3> RowsAt(const std::vector<float>& x, int columns) {
  std::vector<Vector3> net;
  for (const float row : x) {
    for (int j = 0; j < columns; ++j) net.push_back({row, float(j * j), 0});
  }
  return net;
}

void ExpectNear(const std::vector<Vector3>& actual, const std::vector<Vector3>& expected, float tolerance) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i) {
    const Vector3 e = expected[i];
    const float limit = tolerance * (1 + std::sqrt(e.x * e.x + e.y * e.y + e.z * e.z));
    EXPECT_NEAR(actual[i].x, e.x, limit) << "point " << i;
    EXPECT_NEAR(actual[i].y, e.y, limit) << "point " << i;
    EXPECT_NEAR(actual[i].z, e.z, limit) << "point " << i;
  }
}

class IgesImportTest : public SceneTest {
 protected:
  // Imports the text as a file and returns the surfaces it added.
  std::vector<const CSurfaceObject*> Import(const std::string& text, ImportResult* result = nullptr) {
    return ImportFile(folder.Write("in.igs", text), result);
  }

  std::vector<const CSurfaceObject*> ImportFile(const std::string& path, ImportResult* result = nullptr) {
    const std::vector<const CSurfaceObject*> before = Surfaces();
    const ImportResult got = IgesImport(path);
    EXPECT_TRUE(got.opened);
    std::vector<const CSurfaceObject*> added = Surfaces();
    added.erase(added.begin(), added.begin() + static_cast<std::ptrdiff_t>(before.size()));
    EXPECT_EQ(got.added, added.size());
    if (result != nullptr) *result = got;
    return added;
  }

  static std::vector<const CSurfaceObject*> Surfaces() {
    std::vector<const CSurfaceObject*> surfaces;
    for (const CGeomObject* object = GetObjectList(); object != nullptr; object = object->next) {
      if (object->GetKind() == kKindSurface) surfaces.push_back(static_cast<const CSurfaceObject*>(object));
    }
    return surfaces;
  }

  TempDir folder;
};

struct ShapeCase {
  const char* name;
  std::string file;
  int rows, columns, closedU, closedV;
  std::vector<Vector3> net;
};

TEST_F(IgesImportTest, ClampedNetsBecomeOurNets) {
  const float h = 150;  // 1.5D2
  const std::string clampingRows = IgesFile(NetData(6, 2, RowsAt({0, 1, 3, 5, 9, 11}, 2)));
  std::string lowerCase = clampingRows;
  for (std::size_t at = 72; at < lowerCase.size(); at += 81) lowerCase[at] = static_cast<char>(std::tolower(lowerCase[at]));
  // Each file's surface is exactly the uniform net, so the net is kept as it is.
  const ShapeCase cases[] = {
      {"D exponent, degree 1", IgesFile(NetText(2, 2, {"1.5D2", "1.5E2", "+2.5d-1", "1", "0", "0", "0", "1", "0", "1", "1", "0"})),
       2, 2, 0, 0, {{h, h, 0.25f}, {0, 1, 0}, {1, 0, 0}, {1, 1, 0}}},
      {"open with clamping rows", clampingRows, 4, 2, 0, 0, RowsAt({0, 3, 5, 11}, 2)},
      {"lower-case section letters", lowerCase, 4, 2, 0, 0, RowsAt({0, 3, 5, 11}, 2)},
      {"periodic", IgesFile(NetData(7, 2, RowsAt({0, 1, 4, 9, 0, 1, 4}, 2), true)), 4, 2, 1, 0,
       RowsAt({1, 4, 9, 0}, 2)},
  };
  for (const ShapeCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<const CSurfaceObject*> added = Import(c.file);
    ASSERT_EQ(added.size(), 1u);
    const CSurfaceObject& s = *added[0];
    EXPECT_EQ(s.rows, c.rows);
    EXPECT_EQ(s.columns, c.columns);
    EXPECT_EQ(s.closedU, c.closedU);
    EXPECT_EQ(s.closedV, c.closedV);
    EXPECT_EQ(s.points, c.net);
    EXPECT_EQ(s.ObjectState, kStateSelected);
    EXPECT_EQ(s.displayStepsU, 8);
    EXPECT_EQ(s.startAttributeU | s.endAttributeU | s.startAttributeV | s.endAttributeV, 0);
  }

  ImportResult result;
  std::string noParameters = IgesFile({});
  EXPECT_TRUE(Import(noParameters, &result).empty());
  EXPECT_FALSE(result.dropped);
  EXPECT_FALSE(IgesImport(folder.File("missing.igs")).opened);
}

// Bad counts, cut files and unusable numbers end the entity, never the program; what was whole
// stays, and no NaN reaches the scene.
TEST_F(IgesImportTest, HostileFilesEndCleanly) {
  // K1 = K2 = 1, degrees 3: 6 + 6 knots and 4 weights.
  const std::vector<std::string> good = NetText(2, 2, {"0", "0", "0", "1", "0", "0", "0", "1", "0", "1", "1", "0"});
  const auto withGood = [&](std::vector<std::string> data) {
    data.insert(data.end(), good.begin(), good.end());
    return IgesFile(data);
  };
  const auto point = [](const char* x) {
    return std::vector<std::string>{x, "0", "0", "1", "0", "0", "0", "1", "0", "1", "1", "0"};
  };
  // 4 x 4: 8 + 8 knots and 16 weights; the last two lines, inside the points, left out.
  std::vector<std::string> cutData = SurfaceData("3", "3", std::vector<std::string>(48, "1"), 32);
  cutData.resize(cutData.size() - 2);
  ASSERT_EQ(cutData.back().substr(cutData.back().size() - 4), "1,1,");
  const std::string cut = IgesFile(cutData);
  std::string shortLine = withGood({});
  const std::size_t firstParameter = shortLine.find("128,");
  shortLine.replace(firstParameter, 80, std::string(50, ' '));
  struct HostileCase {
    const char* name;
    std::string file;
    std::size_t added;
    bool dropped;
  };
  const HostileCase cases[] = {
      {"K1 = 2^31", withGood(SurfaceData("2147483648", "1", {}, 0)), 1, true},
      {"K1 = K2 = 2^32 - 1", withGood(SurfaceData("4294967295", "4294967295", {}, 0)), 1, true},
      {"K1 = 0", withGood(SurfaceData("0", "1", point("1"), 9)), 1, true},
      {"degree -5", withGood(SurfaceData("1", "1", point("1"), 16, "-5")), 1, true},
      {"degree 2^62", withGood(SurfaceData("1", "1", point("1"), 16, "4611686018427387904")), 1, true},
      {"a file ending inside the points", cut, 0, true},
      {"a 50-character line", shortLine, 0, false},
      {"1.5D-2147483648", withGood(NetText(2, 2, point("1.5D-2147483648"))), 2, false},
      {"1.5D400", withGood(NetText(2, 2, point("1.5D400"))), 1, true},
      {"1e999", withGood(NetText(2, 2, point("1e999"))), 1, true},
      {"nan", withGood(NetText(2, 2, point("nan"))), 1, true},
      {"two rows that meet", withGood(NetText(2, 2, {"0", "0", "0", "0", "0", "0", "0", "1", "0", "0", "1", "0"})), 1, true},
  };
  for (const HostileCase& c : cases) {
    SCOPED_TRACE(c.name);
    ImportResult result;
    const std::vector<const CSurfaceObject*> added = Import(c.file, &result);
    EXPECT_EQ(added.size(), c.added);
    EXPECT_EQ(result.dropped, c.dropped);
    for (const CSurfaceObject* surface : added) {
      EXPECT_TRUE(surface->GridFitsPoints());
      for (const Vector3& p : surface->points) EXPECT_TRUE(IsFiniteVector(p));
    }
  }
}

// Our export read back gives the nets we wrote, open and closed.
TEST_F(IgesImportTest, OurExportReadsBackAsTheOriginalNets) {
  std::mt19937 random(36);
  std::uniform_real_distribution<float> bump(-1, 1);
  const auto net = [&](int rows, int columns, int closedU, int closedV) {
    std::vector<Vector3> grid;
    for (int i = 0; i < rows; ++i) {
      for (int j = 0; j < columns; ++j) grid.push_back({3.0f * i + bump(random), 2.0f * j + bump(random), bump(random)});
    }
    auto surface = std::make_unique<CSurfaceObject>();
    EXPECT_TRUE(surface->SetGrid(rows, columns, grid));
    surface->closedU = closedU;
    surface->closedV = closedV;
    surface->ObjectState = kStateShown;
    return surface;
  };
  std::vector<std::unique_ptr<CSurfaceObject>> originals;
  originals.push_back(net(5, 4, 0, 0));
  originals.push_back(net(3, 3, 0, 0));
  originals.push_back(net(8, 3, 1, 0));
  originals.push_back(net(4, 6, 0, 1));
  originals.push_back(net(6, 5, 1, 1));
  originals.push_back(net(2, 2, 1, 1));
  for (std::size_t i = 0; i + 1 < originals.size(); ++i) originals[i]->next = originals[i + 1].get();
  const std::string path = folder.File("ours.igs");
  ASSERT_TRUE(IgesWriter(originals[0].get(), path));
  const std::vector<const CSurfaceObject*> added = ImportFile(path);
  ASSERT_EQ(added.size(), originals.size());
  for (std::size_t i = 0; i < originals.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(added[i]->rows, originals[i]->rows);
    EXPECT_EQ(added[i]->columns, originals[i]->columns);
    EXPECT_EQ(added[i]->closedU, originals[i]->closedU);
    EXPECT_EQ(added[i]->closedV, originals[i]->closedV);
    ExpectNear(added[i]->points, originals[i]->points, 1e-5f);
  }
}

// The clamped form of a uniform net with phantom ends, in double: each row, then each column,
// gets its end points on the surface's edge and their neighbours at the thirds.
std::vector<double> ClampedInDouble(const std::vector<Vector3>& net, int rows, int columns) {
  const int R = rows + 2;
  const int C = columns + 2;
  std::vector<double> grid(static_cast<std::size_t>(R * C * 3));
  const auto at = [&](int i, int j, int axis) -> double& { return grid[static_cast<std::size_t>((i * C + j) * 3 + axis)]; };
  for (int i = 0; i < rows; ++i) {
    for (int j = 0; j < columns; ++j) {
      const Vector3 p = net[static_cast<std::size_t>(i * columns + j)];
      at(i + 1, j + 1, 0) = p.x;
      at(i + 1, j + 1, 1) = p.y;
      at(i + 1, j + 1, 2) = p.z;
    }
  }
  for (int axis = 0; axis < 3; ++axis) {
    for (int i = 1; i <= rows; ++i) {
      at(i, 0, axis) = 2 * at(i, 1, axis) - at(i, 2, axis);
      at(i, C - 1, axis) = 2 * at(i, C - 2, axis) - at(i, C - 3, axis);
    }
    for (int j = 0; j < C; ++j) {
      at(0, j, axis) = 2 * at(1, j, axis) - at(2, j, axis);
      at(R - 1, j, axis) = 2 * at(R - 2, j, axis) - at(R - 3, j, axis);
    }
    const auto clamp = [](double* p, int n, int stride) {
      const double a = p[0], b = p[stride], c = p[2 * stride];
      const double x = p[(n - 3) * stride], y = p[(n - 2) * stride], z = p[(n - 1) * stride];
      p[0] = (a + 4 * b + c) / 6;
      p[stride] = (2 * b + c) / 3;
      p[(n - 1) * stride] = (x + 4 * y + z) / 6;
      p[(n - 2) * stride] = (x + 2 * y) / 3;
    };
    for (int i = 0; i < R; ++i) clamp(&at(i, 0, axis), C, 3);
    for (int j = 0; j < C; ++j) clamp(&at(0, j, axis), R, 3 * C);
  }
  return grid;
}

// OpenCASCADE writes the clamped form of a known net in its own layout ("1.E-03" reals, its own
// line breaks); we read back the net.
TEST_F(IgesImportTest, ReadsTheNetOfASurfaceOpenCascadeWrote) {
  std::mt19937 random(106);
  std::uniform_real_distribution<float> bump(-0.5f, 0.5f);
  const int rows = 5;
  const int columns = 6;
  std::vector<Vector3> net;
  for (int i = 0; i < rows; ++i) {
    for (int j = 0; j < columns; ++j) net.push_back({2.0f * i, 1.5f * j, bump(random)});
  }
  // A point the clamping leaves as it is, written in exponent form.
  net[2 * columns + 2].z = 0.001f;
  const std::vector<double> clamped = ClampedInDouble(net, rows, columns);
  const std::string path = folder.File("peer.igs");
  std::vector<std::string> arguments = {"write", path, std::to_string(rows + 2), std::to_string(columns + 2)};
  for (const double v : clamped) arguments.push_back(PrintfLine("%.17g", v));
  std::string output;
  ASSERT_TRUE(RunIgesPeer(arguments, &output)) << output;
  const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
  ASSERT_NE(std::string(bytes.begin(), bytes.end()).find("E-0"), std::string::npos);

  const std::vector<const CSurfaceObject*> added = ImportFile(path);
  ASSERT_EQ(added.size(), 1u);
  EXPECT_EQ(added[0]->rows, rows);
  EXPECT_EQ(added[0]->columns, columns);
  EXPECT_EQ(added[0]->closedU | added[0]->closedV, 0);
  ExpectNear(added[0]->points, net, 1e-5f);
}

// The points of the surface as the program tessellates it, at every 1/steps of a span.
std::vector<Vector3> DenseSamples(const CSurfaceObject& s, int steps) {
  std::vector<Vector3> padded;
  int paddedRows = 0, paddedColumns = 0;
  ExtendSurfaceNet(s.points.data(), s.rows, s.columns, s.startAttributeU, s.endAttributeU, s.closedU,
                   s.startAttributeV, s.endAttributeV, s.closedV, &padded, &paddedRows, &paddedColumns);
  std::vector<Vector3> grid;
  int rows = 0, columns = 0;
  TessellateSurface(kBSplineBasis, padded.data(), paddedRows, paddedColumns, &grid, nullptr, nullptr, &rows,
                    &columns, steps, steps, 0);
  return grid;
}

// The volume the exported triangles of the surface enclose, signed: positive when they face out.
double SignedVolume(const CSurfaceObject& surface) {
  struct VolumeSum final : TriangleEmitter {
    void EmitTriangle(Vector3 a, Vector3 b, Vector3 c) override {
      sum += (double(a.x) * (double(b.y) * c.z - double(b.z) * c.y) - double(a.y) * (double(b.x) * c.z - double(b.z) * c.x) +
              double(a.z) * (double(b.x) * c.y - double(b.y) * c.x)) / 6;
    }
    double sum = 0;
  } volume;
  ExportStack stack;
  TriangleExportWalk walk(stack, volume);
  walk.WalkScene(&surface);
  return volume.sum;
}

// Surfaces OpenCASCADE wrote, rational, on uneven knots and of other degrees than ours, arrive
// within the tolerance: OpenCASCADE measures how far our tessellated surface lies from its own.
// A closed one faces out.
TEST_F(IgesImportTest, SurfacesOpenCascadeWroteArriveWithinTolerance) {
  const struct {
    const char* shape;
    int closedU, closedV;
    double volume;  // 0 for a surface that encloses none
  } cases[] = {
      {"cylinder", 1, 0, 0},
      {"nonuniform", 0, 0, 0},
      {"degree23", 0, 0, 0},
      {"torus", 1, 1, 2 * std::numbers::pi * std::numbers::pi * 8 * 2 * 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shape);
    const std::string path = folder.File(std::string(c.shape) + ".igs");
    std::string output;
    ASSERT_TRUE(RunIgesPeer({"shape", path, c.shape}, &output)) << output;
    ImportResult result;
    const std::vector<const CSurfaceObject*> added = ImportFile(path, &result);
    ASSERT_EQ(added.size(), 1u);
    const CSurfaceObject& s = *added[0];
    EXPECT_FALSE(result.dropped);
    EXPECT_LE(result.largestDeviation, kImportTolerance);
    EXPECT_EQ(s.closedU, c.closedU);
    EXPECT_EQ(s.closedV, c.closedV);
    std::string points;
    for (const Vector3& p : DenseSamples(s, 4)) points += PrintfLine("%.9g %.9g %.9g\n", p.x, p.y, p.z);
    ASSERT_TRUE(RunIgesPeer({"distance", path, folder.Write("points.txt", points)}, &output)) << output;
    const double distance = std::stod(output.substr(output.find("distance=") + 9));
    EXPECT_LT(distance, kImportTolerance) << output;
    if (c.volume > 0) {
      EXPECT_NEAR(SignedVolume(s), c.volume, 0.01 * c.volume);
    }
  }
}

// A closed surface arrives facing out whichever way the exported one faced: IGES does not carry
// the side, so it is found as for a surface made here.
TEST_F(IgesImportTest, ClosedSurfacesArriveFacingOut) {
  for (const int sign : {1, -1}) {
    SCOPED_TRACE(sign);
    std::unique_ptr<CSurfaceObject> torus = TorusSurface(12, 8, 8);
    torus->orientationSign = sign;
    torus->ObjectState = kStateShown;
    const double volume = SignedVolume(*torus);
    ASSERT_GT(std::fabs(volume), 100);
    const std::string path = folder.File("torus.igs");
    ASSERT_TRUE(IgesWriter(torus.get(), path));
    const std::vector<const CSurfaceObject*> added = ImportFile(path);
    ASSERT_EQ(added.size(), 1u);
    EXPECT_NEAR(SignedVolume(*added[0]), std::fabs(volume), 1e-4 * std::fabs(volume));
  }
}

// A surface with more waves than the largest net can follow is still added, with how far it lies
// from the file's surface.
TEST_F(IgesImportTest, ASurfaceBeyondTheNetLimitTellsItsDeviation) {
  std::vector<Vector3> waves;
  for (int i = 0; i < 120; ++i) {
    for (int j = 0; j < 2; ++j) waves.push_back({0.5f * float(i), 5.0f * float(j), i % 2 == 0 ? 1.0f : -1.0f});
  }
  ImportResult result;
  const std::vector<const CSurfaceObject*> added = Import(IgesFile(NetData(120, 2, waves)), &result);
  ASSERT_EQ(added.size(), 1u);
  EXPECT_FALSE(result.dropped);
  EXPECT_LE(added[0]->rows, kMaxFittedNetSide);
  EXPECT_GT(result.largestDeviation, kImportTolerance);
  EXPECT_LT(result.largestDeviation, 2.0);

  // The Import command says so in the status bar, to the thousandth of a millimetre.
  Headless().fileAnswers.push_back(FileDialogAnswer{folder.File("in.igs"), 2});
  OnFileImport();
  const std::string told = FillStringArguments(GetLocalizedString(10146), {PrintfLine("%.3f", result.largestDeviation)});
  ASSERT_EQ(told.rfind("Imported surfaces lie up to ", 0), 0u);
  EXPECT_EQ(Headless().statusTexts.back(), told);
}

TEST_F(IgesImportTest, ReadsNumbersUnderACommaLocale) {
  const std::string path = folder.Write("comma.igs", IgesFile(NetText(2, 2, {"1.5", "0", "0", "1", "0", "0", "0", "1", "0", "1", "1", "0"})));
  const CommaLocale comma;
  ASSERT_TRUE(comma.active());
  const std::vector<const CSurfaceObject*> added = ImportFile(path);
  ASSERT_EQ(added.size(), 1u);
  EXPECT_EQ(added[0]->points[0].x, 1.5f);
}

}  // namespace
