#include "manufacturing/slc_to_mesh.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "admesh_report.h"
#include "command_output.h"
#include "exchange/output_file.h"
#include "export_fixtures.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "platform/ui_services.h"
#include "program_state.h"
#include "slc_fixtures.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// The wall facets of the 10 x 10 square from z 0 to 0.5 with their outward normals (the zero
// signs the writer's cross products give), as the converter orders them: per edge (a, b) the
// facets (a0, b0, a1) and (b0, b1, a1).
struct HandFacet {
  Vector3 normal, v1, v2, v3;
};
std::vector<HandFacet> SquareWalls() {
  const float c[5][2] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}};
  const Vector3 normals[8] = {{0, -1, 0}, {0, -1, 0}, {1, 0, 0}, {1, 0, -0.0f},
                              {0, 1, -0.0f}, {0, 1, 0}, {-1, 0, 0}, {-1, 0, 0}};
  std::vector<HandFacet> facets;
  for (int j = 1; j < 5; ++j) {
    const Vector3 a0{c[j - 1][0], c[j - 1][1], 0}, b0{c[j][0], c[j][1], 0};
    const Vector3 a1{c[j - 1][0], c[j - 1][1], 0.5f}, b1{c[j][0], c[j][1], 0.5f};
    facets.push_back({normals[2 * j - 2], a0, b0, a1});
    facets.push_back({normals[2 * j - 1], b0, b1, a1});
  }
  return facets;
}

std::string G(float v) {
  char text[64];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(v));
  return text;
}
std::string F(float v) {
  char text[64];
  std::snprintf(text, sizeof text, "%8.3f", static_cast<double>(v));
  return text;
}

std::string DxfFace(Vector3 a, Vector3 b, Vector3 c) {
  std::string text = "0\n3DFACE\n8\n1\n";
  const Vector3 corners[4] = {a, b, c, c};
  for (int k = 0; k < 4; ++k) {
    text += std::to_string(10 + k) + "\n" + F(corners[k].x) + "\n";
    text += std::to_string(20 + k) + "\n" + F(corners[k].y) + "\n";
    text += std::to_string(30 + k) + "\n" + F(corners[k].z) + "\n";
  }
  return text;
}

class SlcToMeshTest : public LumidrexTest {
 protected:
  std::string Slices(const SlcBytes& file) { return folder.Write("in.slc", file.bytes); }
  std::string SquareFile(std::vector<SlcBytes::Boundary> boundaries = {Square10()}) {
    return Slices(SlcBytes().UnitHeader("MM", 0.5f).Layer(0, boundaries).Terminator(0.5f));
  }
  std::string Text(const std::string& path) {
    const Bytes bytes = ReadWholeFile(path);
    return {bytes.begin(), bytes.end()};
  }

  TempDir folder;
  const std::string out = folder.File("out.mesh");
};

TEST_F(SlcToMeshTest, WallsOfASquareInEveryFormat) {
  const std::string in = SquareFile();
  const std::vector<HandFacet> walls = SquareWalls();

  ASSERT_TRUE(ConvertSlcToMesh(in, out, 1, 0, 0));
  Bytes binary = BinaryStlHeader(8);
  for (const HandFacet& f : walls) {
    AppendFloats(&binary, {f.normal.x, f.normal.y, f.normal.z, f.v1.x, f.v1.y, f.v1.z, f.v2.x, f.v2.y, f.v2.z, f.v3.x,
                           f.v3.y, f.v3.z});
    binary.insert(binary.end(), {0, 0});
  }
  EXPECT_EQ(ReadWholeFile(out), binary);

  ASSERT_TRUE(ConvertSlcToMesh(in, out, 0, 0, 0));
  std::string ascii = "solid Lumidrex\n";
  const auto triple = [](Vector3 v) { return G(v.x) + " " + G(v.y) + " " + G(v.z) + "\n"; };
  for (const HandFacet& f : walls) {
    ascii += "    facet normal " + triple(f.normal) + "        outer loop\n";
    for (const Vector3& v : {f.v1, f.v2, f.v3}) ascii += "            vertex " + triple(v);
    ascii += "        endloop\n    endfacet\n";
  }
  EXPECT_EQ(Text(out), ascii + "endsolid\n");

  ASSERT_TRUE(ConvertSlcToMesh(in, out, 2, 0, 0));
  std::string dxf = "0\nSECTION\n2\nENTITIES\n";
  for (const HandFacet& f : walls) dxf += DxfFace(f.v1, f.v2, f.v3);
  const std::string text = Text(out);
  EXPECT_EQ(text, dxf + "0\nENDSEC\n0\nEOF\n");
  EXPECT_EQ(text.substr(21, 157),
            "0\n3DFACE\n8\n1\n10\n   0.000\n20\n   0.000\n30\n   0.000\n11\n  10.000\n21\n   0.000\n31\n   0.000\n12\n"
            "   0.000\n22\n   0.000\n32\n   0.500\n13\n   0.000\n23\n   0.000\n33\n   0.500\n");
}

TEST_F(SlcToMeshTest, CappedSlabsAreClosedForAdmesh) {
  ASSERT_TRUE(AdmeshInstalled()) << kAdmeshMissing;
  struct Case {
    const char* name;
    std::vector<SlcBytes::Boundary> boundaries;
    double facets;
    double volume;
  };
  const std::vector<Case> cases = {
      {"a square", {Square10()}, 12, 50},
      {"a square with a clockwise hole", {Square10(), {{3, 3}, {3, 7}, {7, 7}, {7, 3}, {3, 3}}}, 32, 42},
      // Counter-clockwise, area 27.625: the triangulation must not overlap at its reflex corner.
      {"a concave ring",
       {{{12.25f, 11}, {8.875f, 8}, {11.5f, 8.5f}, {3.25f, 3.75f}, {11.75f, 3.25f}, {12.25f, 11}}},
       16,
       13.8125},
      // Cut down from a pendant's slice: the edge at the tip is long enough for its wall, but the
      // cap triangle from it to (2.75, 2.4), a column before, is too thin for the writers. The
      // tip's second point goes; the ring left has area 2.96184.
      {"a ring with a thin tip",
       {{{2.75f, 0.5f}, {2.75f, 2.4f}, {0.25f, 2.7f}, {0.0006f, 2.45f}, {-0.0006f, 2.45f}, {2.75f, 0.5f}}},
       12,
       1.48092},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(ConvertSlcToMesh(SquareFile(c.boundaries), out, 1, 1, 0));
    const std::string report = RunAdmesh(out);
    EXPECT_EQ(ReportValue(report, "Number of facets"), c.facets);
    EXPECT_EQ(ReportValue(report, "Total disconnected facets"), 0);
    EXPECT_EQ(ReportValue(report, "Facets reversed"), 0);
    EXPECT_EQ(ReportValue(report, "Backwards edges"), 0);
    EXPECT_EQ(ReportValue(report, "Edges fixed"), 0);
    EXPECT_NEAR(ReportValue(report, "Volume"), c.volume, 1e-4);
  }
}

TEST_F(SlcToMeshTest, CappedDxfReadsInEzdxf) {
  ASSERT_EQ(std::system("/usr/bin/python3 -c 'import ezdxf' 2>/dev/null"), 0)
      << "ezdxf is missing: install the Debian package python3-ezdxf (scripts/install-deps.sh)";
  ASSERT_TRUE(ConvertSlcToMesh(SquareFile(), out, 2, 1, 0));
  const std::string script = folder.Write("check.py",
                                          "import sys, ezdxf\n"
                                          "doc = ezdxf.readfile(sys.argv[1])\n"
                                          "auditor = doc.audit()\n"
                                          "faces = doc.modelspace().query('3DFACE')\n"
                                          "print(len(auditor.errors), len(auditor.fixes), len(faces),\n"
                                          "      set(f.dxf.layer for f in faces))\n"
                                          "f = faces[0]\n"
                                          "print([tuple(f.dxf.get(k)) for k in ('vtx0', 'vtx1', 'vtx2', 'vtx3')])\n");
  const std::string output = RunCommand("/usr/bin/python3 '" + script + "' '" + out + "' 2>&1").text;
  EXPECT_EQ(output,
            "0 0 12 {'1'}\n"
            "[(0.0, 0.0, 0.0), (10.0, 0.0, 0.0), (0.0, 0.0, 0.5), (0.0, 0.0, 0.5)]\n");
}

TEST_F(SlcToMeshTest, MappingCancelAndDegenerateEdges) {
  // Mapping 1: (x, y) at height z goes to (-z, y, x).
  ASSERT_TRUE(ConvertSlcToMesh(SquareFile(), out, 1, 0, 1));
  const std::vector<ReadFacet> mapped = ReadBinaryStl(out);
  ASSERT_EQ(mapped.size(), 8u);
  EXPECT_EQ(mapped[0].Corner(1), (Vector3{-0.0f, 0, 10}));
  EXPECT_EQ(mapped[0].Corner(2), (Vector3{-0.5f, 0, 0}));

  // A cancel after the first of two layers commits a valid file.
  const std::string two = Slices(SlcBytes().UnitHeader("MM", 0.5f).Layer(0, {Square10()}).Layer(0.5f, {Square10()}).Terminator(1));
  Headless().messageAnswers = {kAnswerYes};
  Headless().onProgressPump = [](ProgressWindowClient& client) { client.OnCancel(); };
  EXPECT_TRUE(ConvertSlcToMesh(two, out, 1, 0, 0));
  EXPECT_EQ(ReadBinaryStl(out).size(), 8u);
  Headless().onProgressPump = nullptr;
  const auto& captions = Headless().progress.captions;
  EXPECT_NE(std::find(captions.begin(), captions.end(), "Converting SLC to STL ... 50%"), captions.end());

  // A zero-length edge, and vertices closer than the writers' zero: merged before the walls, in
  // every format, so no wall between them is dropped and none is written degenerate.
  for (const SlcBytes::Boundary& close : {SlcBytes::Boundary{{0, 0}, {10, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}},
                                          SlcBytes::Boundary{{0, 0}, {10, 0}, {10.000015f, 0.00001f}, {10, 10},
                                                             {0, 10}, {0.00002f, 0}, {0, 0}}}) {
    const std::string repeated = SquareFile({close});
    ASSERT_TRUE(ConvertSlcToMesh(repeated, out, 1, 0, 0));
    EXPECT_EQ(ReadBinaryStl(out).size(), 8u);
    ASSERT_TRUE(ConvertSlcToMesh(repeated, out, 2, 0, 0));
    const std::string dxf = Text(out);
    std::size_t faces = 0;
    for (std::size_t at = dxf.find("3DFACE"); at != std::string::npos; at = dxf.find("3DFACE", at + 1)) ++faces;
    EXPECT_EQ(faces, 8u);
  }
}

TEST_F(SlcToMeshTest, FailuresLeaveTheOlderMesh) {
  const Bytes older = {'o', 'l', 'd'};
  const std::string in = SquareFile();
  folder.Write("out.mesh", older);
  OutputFile::FailWritesAfter(100);
  EXPECT_FALSE(ConvertSlcToMesh(in, out, 1, 1, 0));
  OutputFile::FailWritesAfter(-1);
  EXPECT_EQ(ReadWholeFile(out), older);
  EXPECT_FALSE(ConvertSlcToMesh(folder.File("missing.slc"), folder.File("new.stl"), 1, 1, 0));
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"in.slc", "out.mesh"}));
}

}  // namespace
