#include "manufacturing/one_side_stl.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "admesh_report.h"
#include "exchange/output_file.h"
#include "manufacturing/height_grid_mesh.h"
#include "manufacturing/slice_contours.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "render/record_pool.h"
#include "slice_scene.h"
#include "temp_dir.h"

namespace {

class OneSideStlTest : public DesignTest {
 protected:
  TempDir folder;
};

std::string Text(const std::vector<std::uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

std::string Facet(const char* normal, const char* a, const char* b, const char* c) {
  return std::string("    facet normal ") + normal + "\n        outer loop\n            vertex " + a +
         "\n            vertex " + b + "\n            vertex " + c + "\n        endloop\n    endfacet\n";
}

// The box sits between grid lines: columns and rows 2 and 3 (x, y = 0.125 and 0.25) are solid.
// One full cell and four wall cells, in row-then-column order. The normals' signed zeros are
// what the cross products of these vertex orders give.
TEST_F(OneSideStlTest, ASmallBoxByteForByte) {
  AddBox({0.0625f, 0.0625f, 0}, {0.3125f, 0.3125f, 0.25f});
  const std::string expected =
      "solid Lumidrex\n" +
      Facet("-0 -1 -0", "0.25 0.125 0.25", "0.125 0.125 0.25", "0.25 0.125 0") +
      Facet("0 -1 0", "0.25 0.125 0", "0.125 0.125 0.25", "0.125 0.125 0") +
      Facet("-1 0 0", "0.125 0.125 0.25", "0.125 0.25 0.25", "0.125 0.125 0") +
      Facet("-1 0 0", "0.125 0.125 0", "0.125 0.25 0.25", "0.125 0.25 0") +
      Facet("0 0 1", "0.125 0.125 0.25", "0.25 0.125 0.25", "0.125 0.25 0.25") +
      Facet("-0 0 1", "0.125 0.25 0.25", "0.25 0.125 0.25", "0.25 0.25 0.25") +
      Facet("0 0 -1", "0.125 0.125 0", "0.125 0.25 0", "0.25 0.125 0") +
      Facet("0 0 -1", "0.125 0.25 0", "0.25 0.25 0", "0.25 0.125 0") +
      Facet("1 0 0", "0.25 0.25 0.25", "0.25 0.125 0.25", "0.25 0.25 0") +
      Facet("1 0 0", "0.25 0.25 0", "0.25 0.125 0.25", "0.25 0.125 0") +
      Facet("-0 1 0", "0.125 0.25 0.25", "0.25 0.25 0.25", "0.125 0.25 0") +
      Facet("0 1 0", "0.125 0.25 0", "0.25 0.25 0.25", "0.25 0.25 0") + "endsolid\n";
  const std::string ascii = folder.File("box.stl");
  WriteNcSlices3Axis(ascii, 0.125f, 0.125f, 0);
  EXPECT_EQ(Text(ReadWholeFile(ascii)), expected);

  const std::string binary = folder.File("box-b.stl");
  WriteNcSlices3Axis(binary, 0.125f, 0.125f, 1);
  const std::vector<std::uint8_t> bytes = ReadWholeFile(binary);
  ASSERT_EQ(bytes.size(), 84u + 50u * 12u);
  std::uint32_t count = 0;
  std::memcpy(&count, bytes.data() + 80, 4);
  EXPECT_EQ(count, 12u);
  // The fifth facet: normal (0, 0, 1), then At, Bt, Ct, then two zero bytes.
  const float fifth[12] = {0, 0, 1, 0.125f, 0.125f, 0.25f, 0.25f, 0.125f, 0.25f, 0.125f, 0.25f, 0.25f};
  std::uint8_t expectedFacet[50] = {};
  std::memcpy(expectedFacet, fifth, sizeof fifth);
  EXPECT_EQ(std::memcmp(bytes.data() + 84 + 4 * 50, expectedFacet, 50), 0);
}

TEST_F(OneSideStlTest, CellFacetsFollowTheTableForEveryMask) {
  using V = CellVertex;
  const V At{0, true}, Bt{1, true}, Ct{2, true}, Dt{3, true}, Ab{0, false}, Bb{1, false}, Cb{2, false},
      Db{3, false};
  const std::vector<std::vector<CellFacet>> table = {
      {}, {}, {}, {{At, Bt, Ab}, {Ab, Bt, Bb}},                               // 0, A, B, AB
      {}, {{Ct, At, Cb}, {Cb, At, Ab}}, {},                                   // C, AC, BC
      {{At, Bt, Ct}, {Ab, Cb, Bb}, {Ct, Bt, Cb}, {Cb, Bt, Bb}},               // ABC
      {}, {}, {{Bt, Dt, Bb}, {Bb, Dt, Db}},                                   // D, AD, BD
      {{At, Bt, Dt}, {Ab, Db, Bb}, {At, Dt, Ab}, {Ab, Dt, Db}},               // ABD
      {{Dt, Ct, Db}, {Db, Ct, Cb}},                                           // CD
      {{At, Dt, Ct}, {Ab, Cb, Db}, {At, Ab, Dt}, {Ab, Db, Dt}},               // ACD
      {{Ct, Bt, Dt}, {Cb, Db, Bb}, {Ct, Cb, Bt}, {Cb, Bb, Bt}},               // BCD
      {{At, Bt, Ct}, {Ct, Bt, Dt}, {Ab, Cb, Bb}, {Cb, Db, Bb}},               // ABCD
  };
  for (int mask = 0; mask < 16; ++mask) {
    SCOPED_TRACE(mask);
    const std::span<const CellFacet> facets = CellFacets(mask);
    ASSERT_EQ(facets.size(), table[static_cast<std::size_t>(mask)].size());
    for (std::size_t f = 0; f < facets.size(); ++f) {
      for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(facets[f][k].corner, table[static_cast<std::size_t>(mask)][f][k].corner);
        EXPECT_EQ(facets[f][k].top, table[static_cast<std::size_t>(mask)][f][k].top);
      }
    }
  }
}

// The box of the grid that would stop inside it without the extra column and row; and two boxes
// with an air gap, which the deepest crossing below the top fills.
TEST_F(OneSideStlTest, GridsAreClosedForAdmesh) {
  ASSERT_TRUE(AdmeshInstalled()) << kAdmeshMissing;
  struct Case {
    const char* name;
    std::function<void(DesignTest&)> build;
    double volume;
  };
  const std::vector<Case> cases = {
      {"a box", [](DesignTest& t) { t.AddBox({0.0625f, 0.0625f, 0}, {1.0625f, 1.0625f, 1}); }, 0.875 * 0.875},
      {"stacked boxes",
       [](DesignTest& t) {
         t.AddBox({0.0625f, 0.0625f, 0}, {1.0625f, 1.0625f, 1});
         t.AddBox({0.0625f, 0.0625f, 2}, {1.0625f, 1.0625f, 3});
       },
       0.875 * 0.875 * 3},
  };
  for (const Case& c : cases) {
    for (const int format : {0, 1}) {
      SCOPED_TRACE(std::string(c.name) + (format == 1 ? " binary" : " ascii"));
      ResetProgramState();
      SetUp();
      c.build(*this);
      const std::string path = folder.File("grid.stl");
      WriteNcSlices3Axis(path, 0.125f, 0.125f, format);
      const std::string report = RunAdmesh(path);
      EXPECT_EQ(ReportValue(report, "Number of parts"), 1);
      for (const char* zero : {"Edges fixed", "Facets removed", "Facets added", "Backwards edges", "Facets reversed"}) {
        EXPECT_EQ(ReportValue(report, zero), 0) << zero;
      }
      EXPECT_NEAR(ReportValue(report, "Volume"), c.volume, 1e-5);
    }
  }
}

// Area of the polygon through the radii r(k) at angles k 2pi/B, in double.
double BinPolygonArea(int bins, double half) {
  double area = 0;
  for (int k = 0; k < bins; ++k) {
    const auto radius = [&](int n) {
      const double theta = 6.283185307179586 * n / bins;
      return half / std::max(std::fabs(std::sin(theta)), std::fabs(std::cos(theta)));
    };
    const double a = 6.283185307179586 * k / bins;
    const double b = 6.283185307179586 * (k + 1) / bins;
    area += 0.5 * radius(k) * radius(k + 1) * std::sin(b - a);
  }
  return area;
}

// A square washer around the y axis: 7 degrees gives 52 bins; the shell between the bin polygons
// of the outer and the inner square, closed by annular walls, from row y = 0.05 to y = 1.0.
TEST_F(OneSideStlTest, RotaryWasherIsClosedWithTheVolumeOfItsBinPolygons) {
  ASSERT_TRUE(AdmeshInstalled()) << kAdmeshMissing;
  AddSubtraction({-2, 0.025f, -2}, {2, 1.025f, 2}, {-1, 0, -1}, {1, 1.05f, 1});
  const std::string path = folder.File("washer.stl");
  WriteNcSlicesRotary(path, 0.05f, 7.0f, 1);
  const std::string report = RunAdmesh(path);
  EXPECT_EQ(ReportValue(report, "Number of parts"), 1);
  for (const char* zero : {"Edges fixed", "Facets removed", "Facets added", "Backwards edges", "Facets reversed"}) {
    EXPECT_EQ(ReportValue(report, zero), 0) << zero;
  }
  const double expected = (BinPolygonArea(52, 2) - BinPolygonArea(52, 1)) * 0.95;
  EXPECT_NEAR(ReportValue(report, "Volume"), expected, 2e-3 * expected);
}

// A solid pendant around the y axis, a disc of two boxes: the rotary shell runs in to the axis
// and holds the pendant's volume, as the 3-axis one does.
TEST_F(OneSideStlTest, RotaryPendantAroundTheAxisIsClosedAndSolid) {
  ASSERT_TRUE(AdmeshInstalled()) << kAdmeshMissing;
  AddBox({-4, -5, -1}, {4, 5, 1});
  AddBox({-1.5f, 5, -0.75f}, {2.5f, 7, 1.25f});
  const std::string rotary = folder.File("rotary.stl");
  const std::string threeAxis = folder.File("three.stl");
  WriteNcSlicesRotary(rotary, 0.1f, 2.0f, 1);
  WriteNcSlices3Axis(threeAxis, 0.1f, 0.1f, 1);
  const std::string report = RunAdmesh(rotary);
  EXPECT_EQ(ReportValue(report, "Number of parts"), 1) << report;
  for (const char* zero : {"Edges fixed", "Facets removed", "Facets added", "Backwards edges", "Facets reversed"}) {
    EXPECT_EQ(ReportValue(report, zero), 0) << zero;
  }
  const double volume = ReportValue(RunAdmesh(threeAxis), "Volume");
  EXPECT_NEAR(ReportValue(report, "Volume"), volume, 0.02 * volume) << report;
}

// One ring of (column x, depth z) points, linked as the tracer links them.
struct Ring {
  explicit Ring(const std::vector<std::pair<float, float>>& xz) : points(xz.size()) {
    for (std::size_t i = 0; i < xz.size(); ++i) {
      points[i] = {i + 1 < xz.size() ? &points[i + 1] : nullptr, xz[i].second, xz[i].first};
    }
    contour = {nullptr, points.data(), static_cast<int>(points.size())};
  }
  std::vector<ContourPoint> points;
  SliceContour contour;
};

TEST(FillRadialExtents, EightBinsAgainstTheRaysCastByHand) {
  constexpr int kBins = 8;
  float cosTable[kBins];
  float sinTable[kBins];
  for (int k = 0; k < kBins; ++k) {
    cosTable[k] = static_cast<float>(std::cos(k * 6.283185307179586 / kBins));
    sinTable[k] = static_cast<float>(std::sin(k * 6.283185307179586 / kBins));
  }
  const float binsPerRadian = static_cast<float>(kBins / 6.283185307179586);
  const float s = std::sqrt(2.0f);
  const float e = 1e8f;
  struct Case {
    const char* name;
    std::vector<std::pair<float, float>> ring;
    std::vector<float> most;
    std::vector<float> least;
  };
  const std::vector<Case> cases = {
      // Bin k looks along (sin, cos) of k x 45 degrees from +z towards +x.
      // A solid around the axis reaches it: every inner radius is 0.
      {"a square around the axis, crossing angle 0 backwards",
       {{1, 1}, {-1, 1}, {-1, -1}, {1, -1}}, {1, s, 1, s, 1, s, 1, s}, {0, 0, 0, 0, 0, 0, 0, 0}},
      {"the same square the other way round",
       {{1, -1}, {-1, -1}, {-1, 1}, {1, 1}}, {1, s, 1, s, 1, s, 1, s}, {0, 0, 0, 0, 0, 0, 0, 0}},
      {"a square beside the axis gives its inner radius", {{2, -1}, {4, -1}, {4, 1}, {2, 1}},
       {0, 0, 4, 0, 0, 0, 0, 0}, {e, e, 2, e, e, e, e, e}},
      {"edges on a line through the axis give nothing", {{0, 1}, {0, 3}}, {0, 0, 0, 0, 0, 0, 0, 0},
       {e, e, e, e, e, e, e, e}},
      {"very short edges touch only their first bin", {{0, 1}, {0.001f, 1}, {0.0005f, 1.005f}},
       {1.005f, 0, 0, 0, 0, 0, 0, 0}, {1, e, e, e, e, e, e, e}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Ring ring(c.ring);
    float buffer[2 * kBins];
    FillRadialExtents(&ring.contour, buffer, cosTable, sinTable, binsPerRadian, kBins);
    // A ring hollow around the axis keeps its inner radii.
    if (c.most[0] == 1) {
      Ring hole({{0.5f, -0.5f}, {0.5f, 0.5f}, {-0.5f, 0.5f}, {-0.5f, -0.5f}});
      ring.contour.next = &hole.contour;
      float hollow[2 * kBins];
      FillRadialExtents(&ring.contour, hollow, cosTable, sinTable, binsPerRadian, kBins);
      for (int k = 0; k < kBins; ++k) EXPECT_NEAR(hollow[kBins + k], k % 2 == 0 ? 0.5f : 0.5f * s, 1e-5f) << k;
    }
    for (int k = 0; k < kBins; ++k) {
      EXPECT_NEAR(buffer[k], c.most[static_cast<std::size_t>(k)], 1e-5f) << k;
      EXPECT_NEAR(buffer[kBins + k], c.least[static_cast<std::size_t>(k)], 1e-5f * c.least[static_cast<std::size_t>(k)])
          << k;
    }
  }
}

TEST_F(OneSideStlTest, FailuresLeaveNoFileAndKeepAnOlderOne) {
  struct Case {
    const char* name;
    std::function<void()> arrange;
    bool older;
    const char* written;  // the message of a file that could not be written
  };
  const std::string older = folder.File("older.stl");
  const std::vector<Case> cases = {
      {"a cancel at row 2",
       [] {
         Headless().messageAnswers = {kAnswerYes};
         Headless().onProgressPump = [](ProgressWindowClient& client) {
           if (Headless().progress.position >= 2) client.OnCancel();
         };
       },
       true, nullptr},
      {"a failed write", [] { OutputFile::FailWritesAfter(100); }, true, "Cannot write to file!\n"},
      {"the engine out of memory", [] { FailNthBlockAllocation(1); }, true, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResetProgramState();
    SetUp();
    AddBox({0, 0, 0}, {1, 1, 1});
    WriteWholeFile(older, {'o', 'l', 'd'});
    c.arrange();
    WriteNcSlices3Axis(older, 0.125f, 0.125f, 1);
    EXPECT_EQ(Text(ReadWholeFile(older)), "old");
    if (c.written != nullptr) {
      ASSERT_FALSE(Headless().messages.empty());
      EXPECT_EQ(Headless().messages.back().text, c.written + older);
    }
    const bool noMemory = std::string(c.name) == "the engine out of memory";
    int memoryMessages = 0;
    for (const auto& m : Headless().messages) memoryMessages += m.text == "Not enough memory to perform operations!";
    EXPECT_EQ(memoryMessages, noMemory ? 1 : 0);
  }
  // Under a path component that is a regular file, and with nothing visible: no file.
  ResetProgramState();
  SetUp();
  AddBox({0, 0, 0}, {1, 1, 1});
  WriteNcSlices3Axis(older + "/below.stl", 0.125f, 0.125f, 0);
  EXPECT_EQ(Text(ReadWholeFile(older)), "old");
  ResetProgramState();
  SetUp();
  WriteNcSlices3Axis(folder.File("nothing.stl"), 0.125f, 0.125f, 0);
  EXPECT_TRUE(ReadWholeFile(folder.File("nothing.stl")).empty());
  EXPECT_TRUE(Headless().statusTexts.empty());
}

}  // namespace
