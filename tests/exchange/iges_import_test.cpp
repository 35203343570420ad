#include "exchange/iges_import.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "comma_locale.h"
#include "exchange/iges_writer.h"
#include "iges_test_files.h"
#include "kernel/surface_object.h"
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

// Entity 128's parameters for a rows x columns net, its coordinates given as text with the first
// index running fastest, packed token by token into lines of at most 64 columns.
std::vector<std::string> SurfaceData(const std::string& k1, const std::string& k2,
                                     const std::vector<std::string>& coordinates, int knotsAndWeights,
                                     const std::string& degree = "3") {
  std::vector<std::string> tokens = {"128", k1, k2, degree, degree, "0", "0", "1", "0", "0"};
  tokens.insert(tokens.end(), static_cast<std::size_t>(knotsAndWeights), "1.");
  tokens.insert(tokens.end(), coordinates.begin(), coordinates.end());
  tokens.insert(tokens.end(), {"0.", "1.", "0.", "1.;"});
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const std::string token = tokens[i] + (i + 1 < tokens.size() ? "," : "");
    if (lines.back().size() + token.size() > 64) lines.emplace_back();
    lines.back() += token;
  }
  return lines;
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

std::vector<std::string> NetData(int rows, int columns, const std::vector<Vector3>& net) {
  return SurfaceData(std::to_string(rows - 1), std::to_string(columns - 1), FileOrder(rows, columns, net),
                     rows + 4 + columns + 4 + rows * columns);
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
  std::string lowerCase = IgesFile(NetData(4, 4, RowsAt({0, 1, 2, 0}, 4)));
  for (std::size_t at = 72; at < lowerCase.size(); at += 81) lowerCase[at] = static_cast<char>(std::tolower(lowerCase[at]));
  std::vector<Vector3> closedV;
  for (int k = 0; k < 4; ++k) {
    for (const float y : {0.0f, 1.0f, 4.0f, 0.0f}) closedV.push_back({float(k * k), y, 1});
  }
  const ShapeCase cases[] = {
      {"D exponent", IgesFile(SurfaceData("1", "1", {"1.5D2", "1.5E2", "+2.5d-1", "1", "0", "0", "0", "1", "0", "1", "1", "0"}, 16)),
       2, 2, 0, 0, {{h, h, 0.25f}, {0, 1, 0}, {1, 0, 0}, {1, 1, 0}}},
      {"first and last rows meet", IgesFile(NetData(4, 4, RowsAt({0, 1, 2, 0}, 4))), 3, 4, 1, 0,
       RowsAt({0, 1, 2}, 4)},
      {"lower-case section letters", lowerCase, 3, 4, 1, 0, RowsAt({0, 1, 2}, 4)},
      {"first and last columns meet", IgesFile(NetData(4, 4, closedV)), 4, 3, 0, 1,
       {{0, 0, 1}, {0, 1, 1}, {0, 4, 1}, {1, 0, 1}, {1, 1, 1}, {1, 4, 1}, {4, 0, 1}, {4, 1, 1}, {4, 4, 1}, {9, 0, 1}, {9, 1, 1}, {9, 4, 1}}},
      {"open with clamping rows", IgesFile(NetData(6, 2, RowsAt({0, 1, 3, 5, 9, 11}, 2))), 4, 2, 0, 0,
       RowsAt({0, 3, 5, 11}, 2)},
      {"periodic", IgesFile(NetData(7, 2, RowsAt({0, 1, 4, 9, 0, 1, 4}, 2))), 4, 2, 1, 0,
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
  const std::vector<std::string> good = SurfaceData("1", "1", {"0", "0", "0", "1", "0", "0", "0", "1", "0", "1", "1", "0"}, 16);
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
      {"1.5D-2147483648", withGood(SurfaceData("1", "1", point("1.5D-2147483648"), 16)), 2, false},
      {"1.5D400", withGood(SurfaceData("1", "1", point("1.5D400"), 16)), 1, true},
      {"1e999", withGood(SurfaceData("1", "1", point("1e999"), 16)), 1, true},
      {"nan", withGood(SurfaceData("1", "1", point("nan"), 16)), 1, true},
      {"two rows that meet", withGood(SurfaceData("1", "1", {"0", "0", "0", "0", "0", "0", "0", "1", "0", "0", "1", "0"}, 16)), 1, true},
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

TEST_F(IgesImportTest, ReadsNumbersUnderACommaLocale) {
  const std::string path = folder.Write("comma.igs", IgesFile(SurfaceData("1", "1", {"1.5", "0", "0", "1", "0", "0", "0", "1", "0", "1", "1", "0"}, 16)));
  const CommaLocale comma;
  ASSERT_TRUE(comma.active());
  const std::vector<const CSurfaceObject*> added = ImportFile(path);
  ASSERT_EQ(added.size(), 1u);
  EXPECT_EQ(added[0]->points[0].x, 1.5f);
}

}  // namespace
