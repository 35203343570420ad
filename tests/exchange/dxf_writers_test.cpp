#include "exchange/dxf_writers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "comma_locale.h"
#include "command_output.h"
#include "exchange/export_stack.h"
#include "exchange/triangle_export_walk.h"
#include "export_fixtures.h"
#include "gem_library_file.h"
#include "kernel/axis_line_object.h"
#include "kernel/block_object.h"
#include "kernel/block_solid.h"
#include "kernel/boolean_object.h"
#include "kernel/bspline_curve.h"
#include "kernel/curve_object.h"
#include "kernel/gem_object.h"
#include "platform/program_folder.h"
#include "program_state.h"

namespace {

using Writer = bool (*)(const CGeomObject*, const std::string&);

struct NamedWriter {
  const char* name;
  Writer writer;
};
const NamedWriter kWriters[] = {
    {"3DFace", &Dxf3DFaceWriter}, {"PolyLine", &DxfPolylineWriter}, {"Curves", &DxfCurvesWriter}};

std::unique_ptr<CCurveObject> MakeCurve(std::vector<Vector3> points, int closed, int steps) {
  auto curve = std::make_unique<CCurveObject>();
  const int count = static_cast<int>(points.size());
  curve->SetPoints(count, std::move(points));
  curve->closed = closed;
  curve->stepsPerSpan = steps;
  return curve;
}

std::unique_ptr<CBooleanObject> GroupOf(std::unique_ptr<CGeomObject> member) {
  auto group = std::make_unique<CBooleanObject>();
  group->SetOperation(kBooleanUnion);
  group->members.Append(std::move(member));
  return group;
}

class DxfWritersTest : public LumidrexTest {
 protected:
  std::string Export(Writer writer) {
    const std::string path = folder.File("out.dxf");
    EXPECT_TRUE(writer(list.first(), path));
    const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
    return std::string(bytes.begin(), bytes.end());
  }

  TempDir folder;
  ObjectList list;
};

// A hidden surface, an axis line, a mesh whose one quad is followed by a face naming a missing
// point and a face of two, a closed curve, and a group holding a curve.
TEST_F(DxfWritersTest, SmallSceneIsExact) {
  list.Add(TorusSurface(4, 4, 1))->ObjectState = 2;
  list.Add(std::make_unique<CAxisLineObject>());
  list.Add(MakeMesh({{0, 0, 0}, {2, 0, 0}, {2, 1, 0}, {0, 1, 0}}, {{0, 1, 2, 3}, {0, 1, 7}, {1, 2}}));
  list.Add(MakeCurve({{0, 0, 0}, {6, 0, 0}, {6, 6, 0}, {0, 6, 0}}, 1, 1));
  list.Add(GroupOf(MakeCurve({{0, 0, 9}, {1, 0, 9}, {2, 0, 9}}, 0, 1)));

  const std::string begin = "0\nSECTION\n2\nENTITIES\n";
  const std::string end = "0\nENDSEC\n0\nEOF\n";
  // Layer 1 is the axis line's, 2 the mesh's, 3 the curve's, 4 the group's.
  const std::string faces =
      "0\n3DFACE\n8\n2\n"
      "10\n   0.000\n20\n   0.000\n30\n   0.000\n"
      "11\n   2.000\n21\n   0.000\n31\n   0.000\n"
      "12\n   2.000\n22\n   1.000\n32\n   0.000\n"
      "13\n   2.000\n23\n   1.000\n33\n   0.000\n"
      "0\n3DFACE\n8\n2\n"
      "10\n   0.000\n20\n   0.000\n30\n   0.000\n"
      "11\n   2.000\n21\n   1.000\n31\n   0.000\n"
      "12\n   0.000\n22\n   1.000\n32\n   0.000\n"
      "13\n   0.000\n23\n   1.000\n33\n   0.000\n";
  const std::string polyface =
      "0\nPOLYLINE\n8\n2\n66\n1\n70\n64\n71\n4\n72\n2\n"
      "0\nVERTEX\n8\n2\n10\n   0.000\n20\n   0.000\n30\n   0.000\n70\n192\n"
      "0\nVERTEX\n8\n2\n10\n   2.000\n20\n   0.000\n30\n   0.000\n70\n192\n"
      "0\nVERTEX\n8\n2\n10\n   2.000\n20\n   1.000\n30\n   0.000\n70\n192\n"
      "0\nVERTEX\n8\n2\n10\n   0.000\n20\n   1.000\n30\n   0.000\n70\n192\n"
      "0\nVERTEX\n8\n2\n10\n0\n20\n0\n30\n0\n70\n128\n71\n1\n72\n2\n73\n3\n"
      "0\nVERTEX\n8\n2\n10\n0\n20\n0\n30\n0\n70\n128\n71\n1\n72\n3\n73\n4\n"
      "0\nSEQEND\n8\n2\n";
  // The knots of the closed square, back to the first.
  const std::string curve =
      "0\nPOLYLINE\n8\n3\n66\n1\n10\n0.0\n20\n0.0\n30\n0.0\n70\n9\n"
      "0\nVERTEX\n8\n3\n10\n1\n20\n1\n30\n0\n70\n32\n"
      "0\nVERTEX\n8\n3\n10\n5\n20\n1\n30\n0\n70\n32\n"
      "0\nVERTEX\n8\n3\n10\n5\n20\n5\n30\n0\n70\n32\n"
      "0\nVERTEX\n8\n3\n10\n1\n20\n5\n30\n0\n70\n32\n"
      "0\nVERTEX\n8\n3\n10\n1\n20\n1\n30\n0\n70\n32\n"
      "0\nSEQEND\n8\n3\n";
  EXPECT_EQ(Export(&Dxf3DFaceWriter), begin + faces + end);
  EXPECT_EQ(Export(&DxfPolylineWriter), begin + polyface + end);
  EXPECT_EQ(Export(&DxfCurvesWriter), begin + curve + end);
}

std::size_t Occurrences(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST_F(DxfWritersTest, EntityCases) {
  struct Case {
    const char* name;
    std::function<void(ObjectList&)> build;
    Writer writer;
    // Each part appears in the file this many times.
    std::vector<std::pair<std::string, std::size_t>> parts;
  };
  const std::vector<Case> cases = {
      // 3 x 3 closed both ways at one step: a 4 x 4 grid, no caps.
      {"4 x 4 patch",
       [](ObjectList& l) { l.Add(TorusSurface(3, 3, 1)); },
       &DxfPolylineWriter,
       {{"0\nPOLYLINE\n8\n1\n66\n1\n70\n64\n71\n16\n72\n18\n", 1}, {"70\n192\n", 16}, {"70\n128\n", 18},
        {"3DFACE", 0}}},
      {"two visible surfaces, an axis line between",
       [](ObjectList& l) {
         l.Add(TorusSurface(3, 3, 1));
         l.Add(std::make_unique<CAxisLineObject>());
         l.Add(TorusSurface(3, 3, 1));
       },
       &DxfPolylineWriter,
       {{"0\nPOLYLINE\n8\n1\n", 1}, {"0\nPOLYLINE\n8\n3\n", 1}, {"8\n2\n", 0}}},
      {"the first surface hidden",
       [](ObjectList& l) {
         l.Add(TorusSurface(3, 3, 1))->ObjectState = 2;
         l.Add(TorusSurface(3, 3, 1));
       },
       &Dxf3DFaceWriter,
       {{"0\n3DFACE\n8\n1\n", 18}, {"8\n2\n", 0}}},
      // A tube open in V: its polyface, then the two caps as faces on its layer.
      {"tube caps",
       [](ObjectList& l) { l.Add(TubeSurface(8, 5, 10, 1)); },
       &DxfPolylineWriter,
       {{"71\n18\n72\n16\n", 1}, {"0\n3DFACE\n8\n1\n", 14}}},
      {"an open curve",
       [](ObjectList& l) { l.Add(MakeCurve({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}, 0, 2)); },
       &DxfCurvesWriter,
       {{"70\n8\n", 1}, {"70\n32\n", 5}}},
      {"a point that is no number",
       [](ObjectList& l) {
         l.Add(MakeCurve({{0, 0, 0}, {NAN, 0, 0}, {1, 1, 0}}, 0, 2));
         l.Add(MakeMesh({{0, 0, 0}, {INFINITY, 0, 0}, {0, 1, 0}}, {{0, 1, 2}}));
         l.Add(MakeCurve({{0, 0, 0}, {1, 0, 0}}, 0, 1));
       },
       &DxfCurvesWriter,
       {{"POLYLINE\n8\n3\n", 1}, {"POLYLINE", 1}}},
      {"a mesh point that is no number",
       [](ObjectList& l) {
         l.Add(MakeMesh({{0, 0, 0}, {INFINITY, 0, 0}, {0, 1, 0}}, {{0, 1, 2}}));
         l.Add(MakeMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {NAN, 0, 0}}, {{0, 1, 2}, {0, 3, 2}}));
         l.Add(MakeMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}}));
       },
       &DxfPolylineWriter,
       {{"POLYLINE\n8\n3\n", 1}, {"POLYLINE", 1}}},
      {"3DFACEs with a corner that is no number",
       [](ObjectList& l) {
         l.Add(MakeMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {NAN, 0, 0}}, {{0, 1, 2}, {0, 3, 2}}));
       },
       &Dxf3DFaceWriter,
       {{"3DFACE", 1}, {"nan", 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    list = ObjectList();
    c.build(list);
    const std::string text = Export(c.writer);
    for (const auto& [part, count] : c.parts) EXPECT_EQ(Occurrences(text, part), count) << part;
  }
}

TEST_F(DxfWritersTest, CommaLocaleWritesTheSameBytes) {
  list.Add(TubeSurface(8, 5.25f, 10.5f, 2));
  list.Add(MakeMesh({{0.5f, 0, 0}, {2.25f, 0, 0}, {2, 1.125f, 0}}, {{0, 1, 2}}));
  list.Add(MakeCurve({{0.5f, 0, 0}, {6.25f, 0, 0}, {6, 6.75f, 0}, {0, 6, 0}}, 1, 3));
  std::vector<std::string> plain;
  for (const NamedWriter& w : kWriters) plain.push_back(Export(w.writer));
  const CommaLocale comma;
  ASSERT_TRUE(comma.active());
  for (std::size_t i = 0; i < std::size(kWriters); ++i) {
    SCOPED_TRACE(kWriters[i].name);
    EXPECT_NE(plain[i].find('.'), std::string::npos);
    EXPECT_EQ(Export(kWriters[i].writer), plain[i]);
  }
}

// ---- Through an outside reader ----

inline constexpr const char* kEzdxfMissing =
    "ezdxf is missing: install the Debian package python3-ezdxf (scripts/install-deps.sh)";

// Reads a DXF file with ezdxf and prints, one line each: the audit's errors and fixes; every
// 3DFACE's corners; every polyface's 71 and 72 with the vertices and faces ezdxf finds, then each
// face's corners; every 3D polyline's closed flag and point count, then its points.
constexpr const char* kReportScript = R"(import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
print('audit', len(auditor.errors), len(auditor.fixes))
for e in doc.modelspace():
    kind, layer = e.dxftype(), e.dxf.layer
    if kind == '3DFACE':
        print('face', layer, *[c for k in ('vtx0', 'vtx1', 'vtx2', 'vtx3') for c in e.dxf.get(k)])
    elif kind == 'POLYLINE' and e.is_poly_face_mesh:
        vertices, faces = e.indexed_faces()
        faces = list(faces)
        print('polyface', layer, e.dxf.m_count, e.dxf.n_count, len(vertices), len(faces))
        for f in faces:
            print('tri', layer, len(f), *[c for p in f.points() for c in p])
    elif kind == 'POLYLINE':
        points = list(e.points())
        print('curve', layer, int(e.is_closed), len(points))
        for p in points:
            print('point', layer, *p)
    else:
        print('other', layer, kind)
)";

struct Triangle3 {
  double c[9];
};

// What ezdxf found, per layer number.
struct EzdxfReport {
  int errors = -1;
  int fixes = -1;
  // In file order: the 3DFACEs, and separately the faces of polyfaces.
  std::map<int, std::vector<Triangle3>> faces;
  std::map<int, std::vector<Triangle3>> polyfaceFaces;
  std::map<int, std::vector<std::vector<double>>> curves;  // x, y, z after each other
  std::vector<std::string> other;
};

EzdxfReport ReadWithEzdxf(const std::string& script, const std::string& path) {
  EzdxfReport report;
  std::istringstream lines(RunCommand("/usr/bin/python3 '" + script + "' '" + path + "' 2>&1").text);
  std::string line;
  const auto finite = [](double v) {
    EXPECT_TRUE(std::isfinite(v));
    return v;
  };
  while (std::getline(lines, line)) {
    std::istringstream in(line);
    std::string kind;
    int layer = 0;
    in >> kind;
    if (kind == "audit") {
      in >> report.errors >> report.fixes;
      continue;
    }
    if (!(in >> layer)) {
      report.other.push_back(line);
      continue;
    }
    if (kind == "face") {
      Triangle3 t;
      for (double& v : t.c) in >> v;
      double last[3];
      for (double& v : last) in >> v;
      for (int k = 0; k < 3; ++k) EXPECT_EQ(last[k], t.c[6 + k]) << "the fourth corner repeats the third";
      for (double v : t.c) finite(v);
      report.faces[layer].push_back(t);
    } else if (kind == "polyface") {
      int m = 0, n = 0, vertices = 0, faces = 0;
      in >> m >> n >> vertices >> faces;
      EXPECT_EQ(m, vertices) << line;
      EXPECT_EQ(n, faces) << line;
    } else if (kind == "tri") {
      int corners = 0;
      in >> corners;
      EXPECT_EQ(corners, 3);
      Triangle3 t;
      for (double& v : t.c) in >> v;
      for (double v : t.c) finite(v);
      report.polyfaceFaces[layer].push_back(t);
    } else if (kind == "curve") {
      report.curves[layer].emplace_back();
    } else if (kind == "point") {
      for (int k = 0; k < 3; ++k) {
        double v = 0;
        in >> v;
        report.curves[layer].back().push_back(finite(v));
      }
    } else {
      report.other.push_back(line);
    }
  }
  return report;
}

// The triangles the walk hands the writers, placed, per layer number; blocks give their solid when
// asked, as the polyline writer takes them.
class LayerRecorder final : public TriangleEmitter {
 public:
  LayerRecorder(ExportStack& stack, bool blockWalls) : stack_(stack), blockWalls_(blockWalls) {}

  void EmitTriangle(Vector3 v1, Vector3 v2, Vector3 v3) override {
    Triangle3 t;
    int k = 0;
    for (const Vector3& v : {v1, v2, v3}) {
      const Vector3 p = TransformPoint(v, stack_.top->matrix);
      t.c[k++] = p.x;
      t.c[k++] = p.y;
      t.c[k++] = p.z;
    }
    triangles[layer].push_back(t);
  }
  void EmitOther(const CGeomObject& object, TriangleExportWalk& /*walk*/) override {
    if (!blockWalls_ || object.GetKind() != kKindBlock) return;
    const BlockSolid solid = TessellateBlock(static_cast<const CBlockObject&>(object));
    const auto at = [&](std::size_t k) { return solid.points[static_cast<std::size_t>(solid.faceIndices[k])]; };
    for (std::size_t k = 0; k + 2 < solid.faceIndices.size(); k += 3) EmitTriangle(at(k), at(k + 1), at(k + 2));
  }

  int layer = 1;
  std::map<int, std::vector<Triangle3>> triangles;

 private:
  ExportStack& stack_;
  bool blockWalls_;
};

std::map<int, std::vector<Triangle3>> Reference(const CGeomObject* first, bool blockWalls) {
  ExportStack stack;
  StartExport(stack);
  LayerRecorder recorder(stack, blockWalls);
  TriangleExportWalk walk(stack, recorder);
  ForEachExportedObject(first, [&](const CGeomObject& object) {
    walk.ExportObject(object);
    ++recorder.layer;
  });
  return recorder.triangles;
}

// "%8.3f" keeps three decimals.
void ExpectTrianglesNear(const std::map<int, std::vector<Triangle3>>& read,
                         const std::map<int, std::vector<Triangle3>>& ours) {
  ASSERT_EQ(read.size(), ours.size());
  for (const auto& [layer, triangles] : ours) {
    SCOPED_TRACE(testing::Message() << "layer " << layer);
    ASSERT_EQ(read.count(layer), 1u);
    const std::vector<Triangle3>& file = read.at(layer);
    ASSERT_EQ(file.size(), triangles.size());
    for (std::size_t t = 0; t < file.size(); ++t) {
      for (int k = 0; k < 9; ++k) ASSERT_NEAR(file[t].c[k], triangles[t].c[k], 0.0005 + 1e-6) << t << " " << k;
    }
  }
}

class DxfThroughEzdxfTest : public DxfWritersTest {
 protected:
  void SetUp() override {
    DxfWritersTest::SetUp();
    SetProgramDirOverride(gems.path());
    std::vector<std::unique_ptr<CGeomObject>> library;
    library.push_back(CubeMesh(1));
    WriteGemLibraryFile(gems.File(kGemLibraryFileName), std::move(library));
  }

  TempDir gems;
};

// Corners tripled, so that the outline runs straight through them.
CBlockObject::Profile Tripled(const std::vector<Vector3>& corners) {
  CBlockObject::Profile profile;
  for (const Vector3& corner : corners) profile.points.insert(profile.points.end(), 3, corner);
  profile.steps = 4;
  return profile;
}

TEST_F(DxfThroughEzdxfTest, EveryFormReadsWithoutFaultAndHoldsOurCoordinates) {
  ASSERT_EQ(std::system("/usr/bin/python3 -c 'import ezdxf' 2>/dev/null"), 0) << kEzdxfMissing;
  // Layers: 1 a capped tube, 2 a torus closed both ways, 3 a mesh of quads, 4 a block with a
  // hole, 5 a gem, 6 and 7 an open and a closed curve.
  list.Add(TubeSurface(8, 5, 10, 2))->orientationSign = -1;
  list.Add(TorusSurface(6, 5, 2));
  list.Add(CubeMesh(4));
  auto block = std::make_unique<CBlockObject>();
  block->thickness = 3;
  // The outer ring of five corners extends to 18 control points, the hole of four to 15: both
  // parities of the reversal. The hole is drawn the same way round as the outer ring, as a font
  // outline may be, and must still come out a hole.
  block->SetProfiles({Tripled({{0, 0, 0}, {12, 0, 0}, {12, 8, 0}, {6, 12, 0}, {0, 8, 0}}),
                      Tripled({{3, 2, 0}, {6, 2, 0}, {6, 5, 0}, {3, 5, 0}})});
  block->Rebuild();
  block->placement[12] = 100;
  block->placement[13] = 50;
  block->placement[14] = -20;
  list.Add(std::move(block));
  auto gem = std::make_unique<CGemObject>();
  gem->SetLibraryIndex(0);
  gem->placement[0] = gem->placement[5] = gem->placement[10] = 2;
  gem->placement[12] = -30;
  list.Add(std::move(gem));
  list.Add(MakeCurve({{0, 0, 0}, {1.5f, 0, 0}, {3, 2, 1}, {4, 4, 2}, {7.25f, 3, 1}}, 0, 4));
  list.Add(MakeCurve({{0, 0, 0}, {6, 0, 0}, {6, 6, 0}, {0, 6, 0}}, 1, 3));
  const std::string script = folder.Write("report.py", kReportScript);

  const auto read = [&](Writer writer) {
    const std::string path = folder.File("scene.dxf");
    EXPECT_TRUE(writer(list.first(), path));
    EzdxfReport report = ReadWithEzdxf(script, path);
    EXPECT_EQ(report.errors, 0);
    EXPECT_EQ(report.fixes, 0);
    EXPECT_TRUE(report.other.empty()) << report.other.front();
    return report;
  };

  {
    SCOPED_TRACE("3DFace");
    const EzdxfReport report = read(&Dxf3DFaceWriter);
    EXPECT_TRUE(report.polyfaceFaces.empty());
    EXPECT_TRUE(report.curves.empty());
    ExpectTrianglesNear(report.faces, Reference(list.first(), false));
  }
  {
    SCOPED_TRACE("PolyLine");
    EzdxfReport report = read(&DxfPolylineWriter);
    std::map<int, std::vector<Triangle3>> reference = Reference(list.first(), true);
    // Caps follow their surface's polyface, so each layer's faces come in the walk's order.
    std::map<int, std::vector<Triangle3>> walked = report.polyfaceFaces;
    for (const auto& [layer, faces] : report.faces) walked[layer].insert(walked[layer].end(), faces.begin(), faces.end());
    ExpectTrianglesNear(walked, reference);

    // The block's end faces, checked from the file alone: each end lies in its plane, faces away
    // from the other, and covers the outer ring less the hole once: 120 - 9.
    std::vector<Triangle3> ends;
    for (const Triangle3& t : walked[4]) {
      if (t.c[2] == t.c[5] && t.c[5] == t.c[8]) ends.push_back(t);
    }
    ASSERT_FALSE(ends.empty());
    double area[2] = {0, 0};
    int facing[2] = {0, 0};
    int count[2] = {0, 0};
    for (const Triangle3& t : ends) {
      const int end = t.c[2] > -18.5 ? 1 : 0;
      for (int k = 0; k < 3; ++k) EXPECT_NEAR(t.c[3 * k + 2], end == 0 ? -20 : -17, 1e-9);
      const double cross = (t.c[3] - t.c[0]) * (t.c[7] - t.c[1]) - (t.c[4] - t.c[1]) * (t.c[6] - t.c[0]);
      area[end] += std::fabs(cross) / 2;
      // Corners of repeated points give faces of no area, which face no way.
      if (std::fabs(cross) < 1e-6) continue;
      facing[end] += cross > 0 ? 1 : -1;
      ++count[end];
    }
    for (int end = 0; end < 2; ++end) {
      SCOPED_TRACE(end);
      EXPECT_NEAR(area[end], 111, 0.05);
      EXPECT_EQ(std::abs(facing[end]), count[end]) << "every face of one end faces the same way";
    }
    // The end at depth 0 faces down, the far one up, both out of the block.
    EXPECT_LT(facing[0], 0);
    EXPECT_GT(facing[1], 0);
  }
  {
    SCOPED_TRACE("Curves");
    const EzdxfReport report = read(&DxfCurvesWriter);
    EXPECT_TRUE(report.faces.empty());
    ASSERT_EQ(report.curves.size(), 2u);
    int layer = 6;
    for (const CGeomObject* object = list.first(); object != nullptr; object = object->next) {
      if (object->GetKind() != kKindCurve) continue;
      SCOPED_TRACE(layer);
      const auto& curve = static_cast<const CCurveObject&>(*object);
      const std::vector<Vector3> extended = ExtendCurveEnds(curve.PointCount(), curve.points.data(), 0, 0, curve.closed);
      const std::vector<Vector3> ours =
          EvaluateCurvePoints(extended.data(), static_cast<int>(extended.size()), curve.stepsPerSpan);
      ASSERT_EQ(report.curves.at(layer).size(), 1u);
      const std::vector<double>& read = report.curves.at(layer)[0];
      ASSERT_EQ(read.size(), 3 * ours.size());
      for (std::size_t i = 0; i < ours.size(); ++i) {
        const float expected[3] = {ours[i].x, ours[i].y, ours[i].z};
        // "%g" keeps six significant digits.
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(read[3 * i + k], expected[k], 5.0001e-6 * std::fabs(expected[k])) << i;
      }
      ++layer;
    }
  }
}

}  // namespace
