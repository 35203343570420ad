#include "manufacturing/slicer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "admesh_report.h"
#include "exchange/output_file.h"
#include "manufacturing/slc_reader.h"
#include "plane_section.h"
#include "render/record_pool.h"
#include "render/render_state.h"
#include "services/layer_table.h"
#include "services/string_table.h"
#include "slc_fixtures.h"
#include "slice_scene.h"
#include "temp_dir.h"
#include "tmpdir_scope.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct ReadSlices {
  std::string header;
  float thickness = 0;
  std::vector<SlcLayer> layers;
  bool terminated = false;
};

// Through the shared reader; the first layer must follow the sampling table at once.
ReadSlices ReadSliceFile(const std::string& path) {
  ReadSlices out;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    ADD_FAILURE() << "no file " << path;
    return out;
  }
  SlcReader reader(file);
  EXPECT_TRUE(reader.ReadHeaderText(&out.header));
  EXPECT_TRUE(reader.ReadSamplingTable(&out.thickness));
  EXPECT_EQ(reader.Position(), static_cast<long>(out.header.size()) + 1 + 256 + 1 + 16);
  for (;;) {
    SlcLayer layer;
    const SlcReader::Record record = reader.ReadLayer(&layer);
    if (record != SlcReader::Record::kLayer) {
      out.terminated = record == SlcReader::Record::kTerminator;
      break;
    }
    out.layers.push_back(layer);
  }
  std::fclose(file);
  return out;
}

double Shoelace(const std::vector<SlcPoint>& ring) {
  double twice = 0;
  for (std::size_t i = 0; i + 1 < ring.size(); ++i) twice += double(ring[i].x) * ring[i + 1].y - double(ring[i + 1].x) * ring[i].y;
  return twice / 2;
}

class SlicerTest : public DesignTest {
 protected:
  TempDir folder;
  const std::string path = folder.File("ring.slc");
};

TEST_F(SlicerTest, GoldenFileByteForByte) {
  AddBox({0, 0, 0}, {2, 2, 0.125f});
  AddBox({0, 0, 0.375f}, {2, 2, 0.5f});
  ASSERT_EQ(WriteSlicesFile(path, 0, 0.125f, 0.5f, 1, 1, 1, 1, 1, 0, 0, 0), 0);
  const SlcBytes::Boundary square = {{0, 2}, {0, 0}, {2, 0}, {2, 2}, {0, 2}};
  const std::string lead = "-SLCVER 2.0 -UNIT MM -TYPE PART -PACKAGE Lumidrex 4.0 -EXTENTS ";
  SlcBytes expected;
  expected.Header(lead + "    -0.500,     2.500,    -0.500,     2.500,     0.000,     0.500 ")
      .Layer(0, {square})
      .Floats({0.125f})
      .U32(0)
      .Layer(0.375f, {square})
      .Terminator(0.5f);
  EXPECT_EQ(ReadWholeFile(path), expected.bytes);
}

}  // namespace

namespace {

// The square pyramid over [0, 4]^2 with its apex at (2, 2, 4), four triangles and the base.
std::unique_ptr<CMeshObject> Pyramid() {
  auto mesh = std::make_unique<CMeshObject>();
  mesh->SetPoints(5, {{0, 0, 0}, {4, 0, 0}, {4, 4, 0}, {0, 4, 0}, {2, 2, 4}});
  EXPECT_TRUE(mesh->SetFaces({4, 3, 3, 3, 3}, {0, 3, 2, 1, 0, 1, 4, 1, 2, 4, 2, 3, 4, 3, 0, 4}));
  return mesh;
}

// Points where the closed ring turns; walls cut in two spans leave collinear extra points.
std::size_t CornerCount(const std::vector<SlcPoint>& ring) {
  std::size_t corners = 0;
  const std::size_t n = ring.size() - 1;
  for (std::size_t i = 0; i < n; ++i) {
    const SlcPoint a = ring[(i + n - 1) % n], b = ring[i], c = ring[(i + 1) % n];
    if ((b.x - a.x) * (c.y - b.y) - (b.y - a.y) * (c.x - b.x) != 0) ++corners;
  }
  return corners;
}

struct Box2 {
  float x0, x1, y0, y1;
};

Box2 RingBox(const std::vector<SlcPoint>& ring) {
  Box2 box{1e30f, -1e30f, 1e30f, -1e30f};
  for (const SlcPoint& p : ring) {
    box = {std::min(box.x0, p.x), std::max(box.x1, p.x), std::min(box.y0, p.y), std::max(box.y1, p.y)};
  }
  return box;
}

std::string Extents(const std::string& header) { return header.substr(header.find("-EXTENTS ") + 9); }

TEST_F(SlicerTest, PyramidLayersHaveTheSampledAreas) {
  Add(Pyramid());
  const float r = 0.125f;
  ASSERT_EQ(WriteSlicesFile(path, 0, 0.5f, r, 1, 1, 1, 1, 1, 0, 0, 0), 0);
  const ReadSlices slices = ReadSliceFile(path);
  ASSERT_EQ(slices.layers.size(), 8u);
  for (const SlcLayer& layer : slices.layers) {
    SCOPED_TRACE(layer.z);
    ASSERT_EQ(layer.boundaries.size(), 1u);
    // The section at z is the square [z/2, 4 - z/2]^2; columns sample it at y = c r, from the
    // first inside to the last, faces lying on a column included, each across its full width.
    const double lo = layer.z / 2;
    const double hi = 4 - layer.z / 2;
    const double first = std::ceil(lo / r);
    const double last = std::floor(hi / r);
    EXPECT_NEAR(Shoelace(layer.boundaries[0]), (last - first) * r * (hi - lo), 1e-4);
  }
}

TEST_F(SlicerTest, SlicingVariations) {
  struct Case {
    const char* name;
    std::function<void(DesignTest&)> build;
    std::function<int(const std::string&)> slice;
    std::string extents;  // of the final header
    std::size_t layers;
    float firstZ;
    Box2 firstRing;
  };
  const auto box = [](Vector3 lo, Vector3 hi) { return [=](DesignTest& t) { t.AddBox(lo, hi); }; };
  const std::vector<Case> cases = {
      {"direction 1 turns x into the slicing axis", box({0, 0, 0}, {1, 2, 3}),
       [](const std::string& p) { return WriteSlicesFile(p, 0, 0.25f, 0.25f, 1, 1, 1, 1, 1, 0, 0, 1); },
       "    -0.250,     3.250,    -0.250,     2.250,    -1.000,     0.000 \r\n", 4, -1.0f, {0, 3, 0, 2}},
      {"direction 2 turns y into the slicing axis", box({0, 0, 0}, {1, 2, 3}),
       [](const std::string& p) { return WriteSlicesFile(p, 0, 0.25f, 0.25f, 1, 1, 1, 1, 1, 0, 0, 2); },
       "    -0.250,     1.250,    -0.250,     3.250,    -2.000,     0.000 \r\n", 8, -2.0f, {0, 1, 0, 3}},
      {"layers counted from the origin", box({0, 0, 0.25f}, {1, 1, 0.75f}),
       [](const std::string& p) { return WriteSlicesFile(p, 0, 0.25f, 0.25f, 1, 1, 1, 1, 1, 0, 0, 0); },
       "    -0.250,     1.250,    -0.250,     1.250,     0.250,     0.750 \r\n", 2, 0.25f, {0, 1, 0, 1}},
      {"layers counted from zero", box({0, 0, 0.25f}, {1, 1, 0.75f}),
       [](const std::string& p) { return WriteSlicesFile(p, 0, 0.25f, 0.25f, 1, 1, 1, 1, 1, 0, 1, 0); },
       "    -0.250,     1.250,    -0.250,     1.250,     0.000,     0.500 \r\n", 2, 0.0f, {0, 1, 0, 1}},
      {"a fixed origin 2000 steps out", box({0, 0, 0}, {1, 1, 1}),
       [](const std::string& p) { return WriteSlicesFile(p, 0, 0.25f, 0.25f, 1, 1, 1, 1, 1, 1, 0, 0); },
       "   499.750,   501.250,   499.750,   501.250,     0.000,     1.000 \r\n", 4, 0.0f, {500, 501, 500, 501}},
      {"inches with the output scale", box({0, 0, 0}, {1, 1, 1}),
       [](const std::string& p) { return WriteSlicesFile(p, 1, 0.25f, 0.25f, 1, 1, 1, 1, 0.5f, 0, 0, 0); },
       "    -0.125,     0.625,    -0.125,     0.625,     0.000,     0.500 \r\n", 4, 0.0f, {0, 0.5f, 0, 0.5f}},
      // Off a layer plane at the bottom, the top layer lies in the last row; the empty row below
      // still counts, so the first layer is labelled where it was cut.
      {"both layers of a box between planes", box({0, 0, 0.375f}, {1, 1, 0.875f}),
       [](const std::string& p) { return WriteSlicesFile(p, 0, 0.25f, 0.25f, 1, 1, 1, 1, 1, 0, 0, 0); },
       "    -0.250,     1.250,    -0.250,     1.250,     0.250,     0.750 \r\n", 2, 0.5f, {0, 1, 0, 1}},
      {"no contour keeps the first header", [](DesignTest& t) {
         t.AddBox({0, 0, 0}, {1, 1, 1}, 3);
         LayerTable[3].visible = 0;
       },
       [](const std::string& p) { return WriteSlicesFile(p, 0, 0.25f, 0.25f, 1, 1, 1, 1, 1, 0, 0, 0); },
       "     0.000,     1.000,     0.000,     1.000,     0.000,     1.000 \r\n", 0, 0, {}},
      // The final extents would need eleven columns.
      {"far out the first header stays", box({999998, 0, 0}, {999999.5f, 1, 1}),
       [](const std::string& p) { return WriteSlicesFile(p, 0, 0.25f, 0.5f, 1, 1, 1, 1, 1, 0, 0, 0); },
       "999998.000,999999.500,     0.000,     1.000,     0.000,     1.000 \r\n", 4, 0.0f,
       {999998, 999999.5f, 0, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResetProgramState();
    SetUp();
    c.build(*this);
    ASSERT_EQ(c.slice(path), 0);
    const ReadSlices slices = ReadSliceFile(path);
    EXPECT_EQ(Extents(slices.header), c.extents);
    EXPECT_TRUE(slices.terminated);
    EXPECT_NE(slices.header.find(c.name[0] == 'i' ? "-UNIT INCH " : "-UNIT MM "), std::string::npos);
    ASSERT_EQ(slices.layers.size(), c.layers);
    if (c.layers == 0) continue;
    EXPECT_EQ(slices.layers[0].z, c.firstZ);
    ASSERT_EQ(slices.layers[0].boundaries.size(), 1u);
    const std::vector<SlcPoint>& ring = slices.layers[0].boundaries[0];
    EXPECT_EQ(CornerCount(ring), 4u);
    EXPECT_GT(Shoelace(ring), 0);
    const Box2 b = RingBox(ring);
    EXPECT_EQ(b.x0, c.firstRing.x0);
    EXPECT_EQ(b.x1, c.firstRing.x1);
    EXPECT_EQ(b.y0, c.firstRing.y0);
    EXPECT_EQ(b.y1, c.firstRing.y1);
  }
}

}  // namespace

namespace {

// Every way a slicing fails for every user: -1, the older file as it was, nothing left beside it.
TEST_F(SlicerTest, FailuresLeaveTheOlderFile) {
  const Bytes older = {'o', 'l', 'd'};
  struct Case {
    const char* name;
    std::function<int(const std::string&)> slice;
    std::function<void()> prepare;
    std::vector<std::string> messages;
  };
  const auto slice = [](float thickness, int unit) {
    return [=](const std::string& p) { return WriteSlicesFile(p, unit, thickness, 0.25f, 1, 1, 1, 1, 1, 0, 0, 0); };
  };
  const std::vector<Case> cases = {
      {"a thickness of 0.000009", slice(0.000009f, 0), [] {}, {}},
      {"unit code 2", slice(0.25f, 2), [] {}, {}},
      {"a resolution that is not a number",
       [](const std::string& p) { return WriteSlicesFile(p, 0, 0.25f, std::nanf(""), 1, 1, 1, 1, 1, 0, 0, 0); },
       [] {}, {}},
      {"a write failure after 300 bytes", slice(0.25f, 0), [] { OutputFile::FailWritesAfter(300); }, {}},
      {"no memory for the tree", slice(0.25f, 0), [] { FailNthBlockAllocation(1); },
       {GetLocalizedString(kNotEnoughMemoryMessage)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResetProgramState();
    SetUp();
    AddBox({0, 0, 0}, {1, 1, 1});
    folder.Write("ring.slc", older);
    c.prepare();
    EXPECT_EQ(c.slice(path), -1);
    EXPECT_EQ(ReadWholeFile(path), older);
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"ring.slc"});
    std::vector<std::string> shown;
    for (const auto& m : Headless().messages) shown.push_back(m.text);
    EXPECT_EQ(shown, c.messages);
    EXPECT_EQ(RenderNestingCount, 0);
  }
  // Nothing visible, or a folder that is a file: no file is made.
  ResetProgramState();
  SetUp();
  EXPECT_EQ(WriteSlicesFile(folder.File("none.slc"), 0, 0.25f, 0.25f, 1, 1, 1, 1, 1, 0, 0, 0), -1);
  AddBox({0, 0, 0}, {1, 1, 1});
  EXPECT_EQ(WriteSlicesFile(folder.File("ring.slc/inside.slc"), 0, 0.25f, 0.25f, 1, 1, 1, 1, 1, 0, 0, 0), -1);
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"ring.slc"});
}

TEST_F(SlicerTest, CancelKeepsTheLayersSoFar) {
  AddBox({0, 0, 0}, {1, 1, 1});
  Headless().messageAnswers = {kAnswerYes};
  Headless().onProgressPump = [](ProgressWindowClient& client) {
    if (Headless().progress.position >= 1) client.OnCancel();
  };
  EXPECT_EQ(WriteSlicesFile(path, 0, 0.25f, 0.25f, 1, 1, 1, 1, 1, 0, 0, 0), -1);
  const ReadSlices slices = ReadSliceFile(path);
  EXPECT_EQ(slices.layers.size(), 1u);
  EXPECT_TRUE(slices.terminated);
  EXPECT_EQ(Extents(slices.header), "    -0.250,     1.250,    -0.250,     1.250,     0.000,     1.000 \r\n");
}

}  // namespace

namespace {

// The hand-off for rapid prototyping: slices in the exchange folder, a closed binary STL out.
TEST_F(SlicerTest, ExportForRapidPrototypingHandsOnAClosedMesh) {
  ASSERT_TRUE(AdmeshInstalled()) << kAdmeshMissing;
  TempDir exchange;
  const TmpDirScope tmp(exchange.path());
  const std::string mesh = folder.File("ring.stl");
  // Nothing visible: the slicer refuses and no mesh is written.
  EXPECT_FALSE(ExportSlicesForRp(mesh, 0.25f, 0.25f));
  EXPECT_TRUE(folder.Entries().empty());

  AddBox({0, 0, 0}, {2, 1, 1});
  ASSERT_TRUE(ExportSlicesForRp(mesh, 0.25f, 0.25f));
  EXPECT_TRUE(std::filesystem::exists(exchange.File("lumidrex/lumidrex.slc")));
  const std::string report = RunAdmesh(mesh);
  EXPECT_NE(report.find("Binary STL file"), std::string::npos) << report;
  EXPECT_EQ(ReportValue(report, "Total disconnected facets"), 0);
  EXPECT_EQ(ReportValue(report, "Facets reversed"), 0);
  // Every layer a capped slab of its own.
  EXPECT_EQ(ReportValue(report, "Number of parts"), 4);
  // Four slabs of the box's whole outline, its far side sampled too: 2 x 1 x 0.25 each.
  EXPECT_NEAR(ReportValue(report, "Volume"), 2, 1e-4);
}

}  // namespace

namespace {

// A prism over a star-shaped polygon, turned and moved by seeded random values: its triangles
// face outwards, the caps fanned from the polygon's centre. An upright one has its corners on a
// grid of the given step in x and y, so that faces, edges and corners lie on the slicer's columns.
struct RandomPrism {
  std::vector<Vector3> points;
  std::vector<std::int32_t> triangles;
};

RandomPrism MakeRandomPrism(std::mt19937& random, double uprightGrid) {
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  const int n = 3 + static_cast<int>(unit(random) * 6);
  std::vector<double> angles;
  for (int i = 0; i < n; ++i) angles.push_back((i + 0.2 + 0.6 * unit(random)) * 6.283185307179586 / n);
  const double height = 1 + 3 * unit(random);
  const double a = unit(random) * 6.283185307179586;
  const double b = uprightGrid > 0 ? 0 : unit(random) * 3.141592653589793;
  const auto snap = [&](double v) { return uprightGrid > 0 ? std::round(v / uprightGrid) * uprightGrid : v; };
  const double offset[3] = {4 * unit(random) - 2, 4 * unit(random) - 2, 4 * unit(random) - 2};
  const auto place = [&](double x, double y, double z) {
    // Turned about z by a, then about x by b.
    const double x1 = x * std::cos(a) - y * std::sin(a), y1 = x * std::sin(a) + y * std::cos(a);
    const double y2 = y1 * std::cos(b) - z * std::sin(b), z2 = y1 * std::sin(b) + z * std::cos(b);
    return Vector3(static_cast<float>(snap(x1 + offset[0])), static_cast<float>(snap(y2 + offset[1])),
                   static_cast<float>(z2 + offset[2]));
  };
  RandomPrism prism;
  std::vector<double> radii;
  for (const double z : {0.0, height}) {
    for (std::size_t i = 0; i < angles.size(); ++i) {
      // An upright prism's walls stand straight, so a face on a column stays on it.
      const double radius = uprightGrid > 0 && z > 0 ? radii[i] : radii.emplace_back(1 + 2 * unit(random));
      prism.points.push_back(place(radius * std::cos(angles[i]), radius * std::sin(angles[i]), z));
    }
  }
  prism.points.push_back(place(0, 0, 0));
  prism.points.push_back(place(0, 0, height));
  for (int i = 0; i < n; ++i) {
    const int j = (i + 1) % n;
    prism.triangles.insert(prism.triangles.end(), {2 * n, j, i, 2 * n + 1, n + i, n + j, i, j, n + j, i, n + j, n + i});
  }
  return prism;
}

PlaneSection SectionAt(const RandomPrism& prism, double z) {
  return SectionOfTriangles(prism.triangles.size() / 3, [&](std::size_t t, int k) {
    const Vector3 v = prism.points[static_cast<std::size_t>(prism.triangles[3 * t + static_cast<std::size_t>(k)])];
    return std::array<double, 3>{v.x, v.y, v.z};
  }, z);
}

// Seeded turned prisms, concave ones among them, and upright ones with corners on the columns,
// sliced: every layer holds the section at the height it is labelled with, within a step along its
// outline, and reaches as far on every side as the section does on the columns and rows sampled,
// faces lying on a column included.
TEST_F(SlicerTest, LayersHoldTheSectionsAtTheirHeights) {
  std::mt19937 random(45);
  const float r = 0.05f, thickness = 0.1f;
  for (int shape = 0; shape < 18; ++shape) {
    SCOPED_TRACE(shape);
    ResetProgramState();
    SetUp();
    // The last ones upright, on a grid of four columns.
    const bool upright = shape >= 12;
    const RandomPrism prism = MakeRandomPrism(random, upright ? 4 * double(r) : 0);
    auto mesh = std::make_unique<CMeshObject>();
    mesh->SetPoints(static_cast<int>(prism.points.size()), prism.points);
    ASSERT_TRUE(mesh->SetFaces(std::vector<std::int32_t>(prism.triangles.size() / 3, 3), prism.triangles));
    Add(std::move(mesh));
    ASSERT_EQ(WriteSlicesFile(path, 0, thickness, r, 1, 1, 1, 1, 1, 0, 0, 0), 0);
    const ReadSlices slices = ReadSliceFile(path);
    ASSERT_FALSE(slices.layers.empty());
    Vector3 lo(1e30f, 1e30f, 1e30f), hi(-1e30f, -1e30f, -1e30f);
    for (const Vector3& p : prism.points) {
      lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
      hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
    }
    // Columns sample y where the writer puts them, from the model's least y to its greatest.
    const SliceColumns grid{static_cast<float>(double(lo.y) / double(r)),
                            static_cast<int>(std::ceil((double(hi.y) - lo.y) / double(r))), r};
    std::vector<float> contoured;
    for (const SlcLayer& layer : slices.layers) {
      if (layer.boundaries.empty()) continue;
      SCOPED_TRACE(layer.z);
      contoured.push_back(layer.z);
      double area = 0;
      for (const auto& ring : layer.boundaries) area += Shoelace(ring);
      const PlaneSection section = SectionAt(prism, layer.z);
      EXPECT_NEAR(area, section.area, section.perimeter * r + 1e-4);
      // Upright, nothing comes near a column without lying on it.
      ExpectLayerReachesSection(layer, section, grid, upright ? 1e-5 : 0.002 * r, 1e-4, upright);
    }
    // The rows with contours are those whose section the columns cross, so the layers reach from
    // the bottom to the top as far as the columns can see.
    std::vector<float> expected;
    for (int k = static_cast<int>(std::floor(lo.z / thickness)); k * thickness <= hi.z; ++k) {
      const float z = static_cast<float>(k) * thickness;
      if (ColumnsHoldSection(SectionAt(prism, z), grid)) expected.push_back(z);
    }
    EXPECT_EQ(contoured, expected);
  }
}

}  // namespace
