#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "exchange/dxf_import.h"
#include "kernel/curve_object.h"
#include "kernel/mesh_object.h"
#include "scene_fixture.h"
#include "temp_dir.h"

namespace {

// Entities written by ezdxf as an R12 file: a polyface on layer "A" with a quad (code 74) and a
// triangle, a 3DFACE on layer "B" whose fourth corner repeats its third, a LINE, a CIRCLE of
// radius 1, an ARC from 350 to 10 degrees and a 3D polyline whose last vertex repeats its first.
constexpr char kEzdxfScript[] =
    "import sys, ezdxf\n"
    "doc = ezdxf.new('R12')\n"
    "msp = doc.modelspace()\n"
    "pf = msp.add_polyface(dxfattribs={'layer': 'A'})\n"
    "pf.append_face([(0, 0, 0), (1, 0, 0), (1, 1, 0), (0, 1, 0)])\n"
    "pf.append_face([(1, 0, 0), (2, 0, 0), (1, 1, 0)])\n"
    "msp.add_3dface([(0, 0, 1), (1, 0, 1), (0, 1, 1), (0, 1, 1)], dxfattribs={'layer': 'B'})\n"
    "msp.add_line((0, 0, 0), (1, 2, 3), dxfattribs={'layer': 'B'})\n"
    "msp.add_circle((5, 5, 0.5), 1)\n"
    "msp.add_arc((0, 0, 2), 2, 350, 10)\n"
    "msp.add_polyline3d([(0, 0, 0), (1, 0, 0), (1, 1, 0), (0, 0, 0)])\n"
    "doc.saveas(sys.argv[1])\n";

// Five decimals, so that sin 360 degrees reads as 0, and no "-0".
double Rounded(float v) { return std::round(static_cast<double>(v) * 1e5) / 1e5 + 0.0; }

// One line per object: its kind, the curve flags or the mesh faces, and its points.
std::string Describe(const CGeomObject* object) {
  std::ostringstream out;
  const auto* points = dynamic_cast<const CPointSetObject*>(object);
  if (const auto* curve = dynamic_cast<const CCurveObject*>(object)) {
    out << "curve closed " << curve->closed << " steps " << curve->stepsPerSpan << " hidden "
        << curve->controlPointsHidden;
  } else if (const auto* mesh = dynamic_cast<const CMeshObject*>(object)) {
    out << "mesh smooth " << (mesh->flatShading == 0) << " faces";
    std::size_t at = 0;
    for (const std::int32_t size : mesh->faceSizes) {
      out << " (";
      for (std::int32_t k = 0; k < size; ++k) out << (k > 0 ? " " : "") << mesh->faceIndices[at++];
      out << ")";
    }
  }
  if (points != nullptr) {
    out << " points";
    for (const Vector3& p : points->points) out << " " << Rounded(p.x) << "," << Rounded(p.y) << "," << Rounded(p.z);
  }
  return out.str();
}

std::vector<std::string> DescribeScene() {
  std::vector<std::string> lines;
  for (const CGeomObject* o = GetObjectList(); o != nullptr; o = o->next) lines.push_back(Describe(o));
  return lines;
}

// DXF text from code and value pairs.
std::string Pairs(const std::vector<std::pair<int, std::string>>& pairs) {
  std::string text;
  for (const auto& [code, value] : pairs) text += std::to_string(code) + "\n" + value + "\n";
  return text;
}

std::string Face(const std::string& layer, float z) {
  return Pairs({{0, "3DFACE"}, {8, layer}, {10, "0"}, {20, "0"}, {30, std::to_string(z)}, {11, "1"}, {21, "0"},
                {31, std::to_string(z)}, {12, "0"}, {22, "1"}, {32, std::to_string(z)}, {13, "0"}, {23, "1"},
                {33, std::to_string(z)}});
}

// A polyface of the three vertices (0, 0, 0), (x, 0, 0), (0, 1, 0) and the given faces, each of
// three or four vertex numbers.
std::string Polyface(const std::vector<std::vector<std::string>>& faces, const std::string& x = "1") {
  std::string text = Pairs({{0, "POLYLINE"}, {8, "P"}, {66, "1"}, {70, "64"}});
  for (const auto& [vx, vy] : std::vector<std::pair<std::string, std::string>>{{"0", "0"}, {x, "0"}, {"0", "1"}}) {
    text += Pairs({{0, "VERTEX"}, {10, vx}, {20, vy}, {30, "0"}, {70, "192"}});
  }
  for (const auto& face : faces) {
    text += Pairs({{0, "VERTEX"}, {70, "128"}});
    for (std::size_t k = 0; k < face.size(); ++k) text += Pairs({{71 + static_cast<int>(k), face[k]}});
  }
  return text + Pairs({{0, "SEQEND"}});
}

std::string Arc(const std::string& start, const std::string& end) {
  return Pairs({{0, "ARC"}, {10, "0"}, {20, "0"}, {30, "0"}, {40, "1"}, {50, start}, {51, end}});
}

constexpr char kEnd[] = "0\nEOF\n";

class DxfImportTest : public SceneTest {
 protected:
  TempDir folder;
};

TEST_F(DxfImportTest, EzdxfFileWithLfAndCrLf) {
  ASSERT_EQ(std::system("/usr/bin/python3 -c 'import ezdxf' 2>/dev/null"), 0)
      << "ezdxf is missing: install the Debian package python3-ezdxf (scripts/install-deps.sh)";
  const std::string lf = folder.File("ezdxf.dxf");
  const std::string script = folder.Write("write.py", kEzdxfScript);
  ASSERT_EQ(std::system(("/usr/bin/python3 '" + script + "' '" + lf + "'").c_str()), 0);
  const ImportResult result = DxfImport(lf);
  EXPECT_TRUE(result.opened);
  EXPECT_EQ(result.added, 6u);
  EXPECT_FALSE(result.dropped);
  const std::vector<std::string> scene = DescribeScene();
  ASSERT_EQ(scene.size(), 6u);
  EXPECT_EQ(scene[0], "curve closed 0 steps 8 hidden 1 points 0,0,0 1,2,3");
  EXPECT_EQ(scene[2], "curve closed 0 steps 0 hidden 1 points 1.96962,-0.3473,2 1.99239,-0.17431,2 2,0,2 "
                      "1.99239,0.17431,2 1.96962,0.3473,2");
  EXPECT_EQ(scene[3], "curve closed 1 steps 0 hidden 1 points 0,0,0 1,0,0 1,1,0");
  // Layer "B" was met last, so its mesh comes first; the quad gives two triangles.
  EXPECT_EQ(scene[4], "mesh smooth 1 faces (0 1 2) points 0,0,1 1,0,1 0,1,1");
  EXPECT_EQ(scene[5], "mesh smooth 1 faces (0 1 2) (0 2 3) (1 4 2) points 0,0,0 1,0,0 1,1,0 0,1,0 2,0,0");
  // The circle's control points lie 3 / (2 + cos 45 degrees) from its centre, every 45 degrees.
  const auto* circle = dynamic_cast<const CCurveObject*>(GetObjectList()->next);
  ASSERT_NE(circle, nullptr);
  EXPECT_EQ(circle->closed, 1);
  ASSERT_EQ(circle->points.size(), 8u);
  for (std::size_t k = 0; k < 8; ++k) {
    const double angle = static_cast<double>(k) * std::numbers::pi / 4;
    EXPECT_NEAR(circle->points[k].x, 5 + 1.1082 * std::cos(angle), 1e-4);
    EXPECT_NEAR(circle->points[k].y, 5 + 1.1082 * std::sin(angle), 1e-4);
    EXPECT_EQ(circle->points[k].z, 0.5f);
  }

  // The same file with CR LF line ends gives the same scene.
  std::string text;
  for (const std::uint8_t byte : ReadWholeFile(lf)) text += byte == '\n' ? std::string("\r\n") : std::string(1, static_cast<char>(byte));
  ResetScene();
  SetActiveView(&view);
  EXPECT_EQ(DxfImport(folder.Write("crlf.dxf", text)).added, 6u);
  EXPECT_EQ(DescribeScene(), scene);
}

// Damaged and hostile entities: each import keeps what was whole, and says when it left
// something out.
TEST_F(DxfImportTest, DamagedEntities) {
  const std::string longValue(300, 'L');
  struct Case {
    const char* name;
    std::string text;
    std::vector<std::string> scene;
    bool dropped;
  };
  const std::string triangle = "mesh smooth 1 faces (0 1 2) points 0,0,0 1,0,0 0,1,0";
  const std::string raised = "mesh smooth 1 faces (0 1 2) points 0,0,2 1,0,2 0,1,2";
  const std::vector<Case> cases = {
      {"polyface index 0", Polyface({{"0", "1", "2"}}) + kEnd, {"mesh smooth 1 faces points 0,0,0 1,0,0 0,1,0"}, true},
      {"polyface index 0 after an earlier polyline of the layer",
       Polyface({{"1", "2", "3"}}) + Polyface({{"0", "1", "2"}}, "2") + kEnd,
       {"mesh smooth 1 faces (0 1 2) points 0,0,0 1,0,0 0,1,0 2,0,0"},
       true},
      {"polyface indices past the vertices", Polyface({{"1", "2", "4"}, {"1", "2", "3", "4"}}) + kEnd, {triangle}, true},
      {"negative polyface indices mark invisible edges", Polyface({{"1", "-2", "-3"}}) + kEnd, {triangle}, false},
      {"a quad's fourth index", Polyface({{"1", "2", "3", "-1"}}) + kEnd,
       {"mesh smooth 1 faces (0 1 2) (0 2 0) points 0,0,0 1,0,0 0,1,0"},
       false},
      {"polyface index beyond the int range", Polyface({{"1", "2", "99999999999"}}) + kEnd,
       {"mesh smooth 1 faces points 0,0,0 1,0,0 0,1,0"},
       true},
      {"polyface vertex of nan", Polyface({{"1", "2", "3"}, {"1", "3", "1"}}, "nan") + kEnd,
       {"mesh smooth 1 faces (0 1 0) points 0,0,0 0,1,0"},
       true},
      {"arc angle of NaN", Arc("0", "nan") + kEnd, {}, true},
      {"arc angle of 1e30", Arc("1e30", "0") + kEnd, {}, true},
      {"arc angles near a million degrees", Arc("999945", "-999845") + kEnd,
       {"curve closed 0 steps 0 hidden 1 points -0.70711,-0.70711,0 -0.64279,-0.76604,0 -0.57358,-0.81915,0"},
       false},
      {"3DFACE with a nan coordinate", Face("A", NAN) + Face("A", 2) + kEnd, {raised}, true},
      {"a 300-character value line", Pairs({{999, longValue}}) + Face(longValue, 2) + kEnd, {raised}, false},
      // Such a line may have been the code 0 of an entity now read as part of another.
      {"a code line abc", Face("A", 2).insert(13, "abc\n3DFACE\n") + kEnd, {raised}, true},
      {"a face without a layer joins the layer before it", Face("A", 1) + Face("B", 2) + "0\n3DFACE\n10\n5\n0\nEOF\n",
       {"mesh smooth 1 faces (0 1 2) (3 4 4) points 0,0,2 1,0,2 0,1,2 5,0,0 0,0,0",
        "mesh smooth 1 faces (0 1 2) points 0,0,1 1,0,1 0,1,1"},
       false},
      {"the file ends inside a 3DFACE", Face("A", 2) + "0\n3DFACE\n10\n1\n20\n", {raised}, true},
      {"the file ends inside a polyface", Face("A", 2) + Polyface({{"1", "2", "3"}}).substr(0, 90), {raised}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResetScene();
    SetActiveView(&view);
    const ImportResult result = DxfImport(folder.Write("in.dxf", c.text));
    EXPECT_EQ(DescribeScene(), c.scene);
    EXPECT_EQ(result.added, c.scene.size());
    EXPECT_EQ(result.dropped, c.dropped);
  }
  EXPECT_FALSE(DxfImport(folder.File("missing.dxf")).opened);
}

// Files ezdxf wrote with entities the reader does not take, each beside a LINE: what is left out
// is reported, nothing of it is added (a block's contents stay out too), and a 3D polyline closed
// by its flag arrives closed. A code line broken in the file reports the damage.
TEST_F(DxfImportTest, WhatEzdxfFilesHoldBeyondTheReaderIsReported) {
  ASSERT_EQ(std::system("/usr/bin/python3 -c 'import ezdxf' 2>/dev/null"), 0)
      << "ezdxf is missing: install the Debian package python3-ezdxf (scripts/install-deps.sh)";
  const std::string line = "curve closed 0 steps 8 hidden 1 points 0,0,0 1,2,3";
  const struct {
    const char* name;
    const char* version;
    const char* entities;  // Python adding to msp (the model space) and doc
    std::vector<std::string> scene;
    bool dropped;
  } cases[] = {
      {"LWPOLYLINE", "R2000", "msp.add_lwpolyline([(0, 0), (4, 0), (4, 4)])", {line}, true},
      {"INSERT of a block with a face", "R12",
       "b = doc.blocks.new('B')\nb.add_3dface([(0, 0, 0), (1, 0, 0), (0, 1, 0)])\nmsp.add_blockref('B', (5, 0))",
       {line}, true},
      {"TEXT", "R12", "msp.add_text('ring')", {line}, true},
      {"3D POLYLINE closed by its flag", "R12", "msp.add_polyline3d([(0, 0, 0), (4, 0, 0), (4, 4, 0)], close=True)",
       {line, "curve closed 1 steps 0 hidden 1 points 0,0,0 4,0,0 4,4,0"}, false},
      {"3D POLYLINE left open", "R12", "msp.add_polyline3d([(0, 0, 0), (4, 0, 0), (4, 4, 0)])",
       {line, "curve closed 0 steps 0 hidden 1 points 0,0,0 4,0,0 4,4,0"}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = folder.File("ezdxf.dxf");
    const std::string script =
        folder.Write("write.py", std::string("import sys, ezdxf\ndoc = ezdxf.new('") + c.version +
                                     "')\nmsp = doc.modelspace()\nmsp.add_line((0, 0, 0), (1, 2, 3))\n" + c.entities +
                                     "\ndoc.saveas(sys.argv[1])\n");
    ASSERT_EQ(std::system(("/usr/bin/python3 '" + script + "' '" + path + "'").c_str()), 0);
    ResetScene();
    SetActiveView(&view);
    const ImportResult result = DxfImport(path);
    EXPECT_EQ(DescribeScene(), c.scene);
    EXPECT_EQ(result.dropped, c.dropped);

    // The same file with the code line before its LINE broken.
    std::string text;
    for (const std::uint8_t byte : ReadWholeFile(path)) text += static_cast<char>(byte);
    const std::size_t at = text.find("\nLINE\n");
    ASSERT_NE(at, std::string::npos);
    text.replace(text.rfind('\n', at - 1) + 1, at - text.rfind('\n', at - 1) - 1, "O");
    ResetScene();
    SetActiveView(&view);
    EXPECT_TRUE(DxfImport(folder.Write("broken.dxf", text)).dropped);
  }
}

}  // namespace
