#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "admesh_report.h"
#include "exchange/stl_import.h"
#include "export_fixtures.h"
#include "kernel/mesh_object.h"
#include "scene_fixture.h"
#include "temp_dir.h"

namespace {

using Triangle = std::vector<Vector3>;

// Two facets that share the edge from (1, 0, 0) to (0, 1, 0).
const std::vector<Triangle> kTwoFacets = {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{1, 0, 0}, {1, 1, 0}, {0, 1, 0}}};
const std::vector<Vector3> kTwoFacetPoints = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}};
const std::vector<std::int32_t> kTwoFacetIndices = {0, 1, 2, 1, 3, 2};

std::vector<std::uint8_t> Binary(std::uint32_t count, const std::vector<Triangle>& facets) {
  std::vector<std::uint8_t> bytes = BinaryStlHeader(count);
  for (const Triangle& t : facets) {
    AppendFloats(&bytes, {0, 0, 0});
    for (const Vector3& v : t) AppendFloats(&bytes, {v.x, v.y, v.z});
    bytes.insert(bytes.end(), {0, 0});
  }
  return bytes;
}

std::vector<std::uint8_t> Text(const std::string& text) { return {text.begin(), text.end()}; }

const char kAsciiTwoFacets[] =
    "solid two\n"
    "  facet normal 0 0 1\n    outer loop\n      vertex 0 0 0\n      vertex 1 0 0\n      vertex 0 1 0\n"
    "    endloop\n  endfacet\n"
    "  facet normal 0 0 1\n    outer loop\n      vertex 1 0 0\n      vertex 1 1 0\n      vertex 0 1 0\n"
    "    endloop\n  endfacet\n"
    "endsolid two\n";

class StlImportTest : public SceneTest {
 protected:
  // The meshes in the scene, in list order.
  std::vector<const CMeshObject*> Meshes() const {
    std::vector<const CMeshObject*> meshes;
    for (const CGeomObject* o = GetObjectList(); o != nullptr; o = o->next) {
      meshes.push_back(dynamic_cast<const CMeshObject*>(o));
    }
    return meshes;
  }

  TempDir folder;
};

TEST_F(StlImportTest, FormatsCountsAndDamage) {
  const Triangle nanFacet = {{0, 0, 0}, {std::nanf(""), 0, 0}, {0, 1, 0}};
  // The first 128 bytes of this binary file are all below 0x80: a text header, the count 1 and
  // coordinates 0, 2 and 3.
  const std::vector<std::uint8_t> lowBytes = Binary(1, {{{0, 2, 3}, {2, 0, 3}, {3, 2, 0}}});
  std::string upper = kAsciiTwoFacets;
  for (const char* word : {"outer loop", "vertex", "facet", "normal", "endloop", "solid"}) {
    std::string upperWord = word;
    for (char& c : upperWord) c = static_cast<char>(std::toupper(c));
    for (std::size_t at = upper.find(word); at != std::string::npos; at = upper.find(word, at + 1)) {
      upper.replace(at, upperWord.size(), upperWord);
    }
  }
  std::string utf8Name = kAsciiTwoFacets;
  utf8Name.replace(0, 9, "solid Ring \xC3\x98 18 \xE2\x80\x94 white gold, polished");
  std::string cut = kAsciiTwoFacets;
  cut.resize(cut.rfind("vertex 0 1 0") + 10);

  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
    std::size_t meshes;  // 0 or 1
    std::vector<Vector3> points;
    std::vector<std::int32_t> indices;
    bool dropped;
  };
  const std::vector<Case> cases = {
      {"ASCII", Text(kAsciiTwoFacets), 1, kTwoFacetPoints, kTwoFacetIndices, false},
      {"ASCII in upper case", Text(upper), 1, kTwoFacetPoints, kTwoFacetIndices, false},
      {"ASCII with a UTF-8 solid name", Text(utf8Name), 1, kTwoFacetPoints, kTwoFacetIndices, false},
      // A file without a complete facet adds nothing, which the Import command reports.
      {"ASCII without a facet", Text("solid empty\nendsolid empty\n"), 0, {}, {}, false},
      {"an empty file", {}, 0, {}, {}, false},
      {"50 bytes of text", std::vector<std::uint8_t>(50, 'x'), 0, {}, {}, false},
      {"50 bytes of a binary header", std::vector<std::uint8_t>(50, 0x80), 0, {}, {}, true},
      {"ASCII cut inside its last facet", Text(cut), 1, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {0, 1, 2}, true},
      {"ASCII with a nan", Text("solid n\nouter loop vertex 0 0 0 vertex nan 0 0 vertex 0 1 0 endloop\nendsolid\n"), 0,
       {}, {}, true},
      {"binary", Binary(2, kTwoFacets), 1, kTwoFacetPoints, kTwoFacetIndices, false},
      {"binary claiming more facets than present", Binary(5, kTwoFacets), 1, kTwoFacetPoints, kTwoFacetIndices, true},
      {"binary claiming 0xFFFFFFFF facets", Binary(0xFFFFFFFFu, kTwoFacets), 1, kTwoFacetPoints, kTwoFacetIndices, true},
      {"binary with a NaN facet", Binary(3, {kTwoFacets[0], nanFacet, kTwoFacets[1]}), 1, kTwoFacetPoints,
       kTwoFacetIndices, true},
      {"binary with all bytes below 0x80 reads as ASCII", lowBytes, 0, {}, {}, false},
      {"binary claiming no facet", Binary(0, kTwoFacets), 0, {}, {}, false},
      {"binary cut inside its header", {0x80, 1, 2, 3}, 0, {}, {}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResetScene();
    SetActiveView(&view);
    const ImportResult result = StlImport(folder.Write("in.stl", c.bytes));
    EXPECT_TRUE(result.opened);
    EXPECT_EQ(result.added, c.meshes);
    EXPECT_EQ(result.dropped, c.dropped);
    const std::vector<const CMeshObject*> meshes = Meshes();
    ASSERT_EQ(meshes.size(), c.meshes);
    if (meshes.empty()) continue;
    ASSERT_NE(meshes[0], nullptr);
    EXPECT_EQ(meshes[0]->points, c.points);
    EXPECT_EQ(meshes[0]->faceIndices, c.indices);
    EXPECT_EQ(meshes[0]->faceSizes, std::vector<std::int32_t>(c.indices.size() / 3, 3));
    EXPECT_EQ(meshes[0]->flatShading, 0);
    EXPECT_EQ(meshes[0]->ObjectState, kStateSelected);
  }
  EXPECT_FALSE(StlImport(folder.File("missing.stl")).opened);
}

// The mapping frame spans the points as read, before welding moves none of them.
TEST_F(StlImportTest, MappingFrameSpansThePoints) {
  StlImport(folder.Write("in.stl", Binary(1, {{{-1, 2, 5}, {3, 2, 5}, {3, 8, 5}}})));
  const CGeomObject* mesh = GetObjectList();
  ASSERT_NE(mesh, nullptr);
  EXPECT_EQ(mesh->mappingKind, 1);
  EXPECT_EQ(mesh->mappingFrame.m[0], 2.0f);
  EXPECT_EQ(mesh->mappingFrame.m[5], 3.0f);
  EXPECT_EQ(mesh->mappingFrame.m[12], 1.0f);
  EXPECT_EQ(mesh->mappingFrame.m[13], 5.0f);
}

// admesh, as an outside producer, writes the binary form of an ASCII file; both read to the same
// welded mesh. The fixture has decimals that are no binary fractions and vertices 0.00005 apart.
TEST_F(StlImportTest, AdmeshBinaryReadsAsItsAsciiSource) {
  ASSERT_TRUE(AdmeshInstalled()) << kAdmeshMissing;
  const std::string ascii = folder.Write("tetra.stl",
                                         "solid tetra\n"
                                         "facet normal 0 0 -1\nouter loop\nvertex 0 0 0\nvertex 0.1 1.3 0\n"
                                         "vertex 1.7 0.2 0\nendloop\nendfacet\n"
                                         "facet normal 0 -1 0\nouter loop\nvertex 0.00005 0 0\nvertex 1.7 0.2 0\n"
                                         "vertex 0.6 0.5 2.25\nendloop\nendfacet\n"
                                         "facet normal 1 1 1\nouter loop\nvertex 1.7 0.2 0\nvertex 0.1 1.3 0\n"
                                         "vertex 0.6 0.5 2.25\nendloop\nendfacet\n"
                                         "facet normal -1 0 0\nouter loop\nvertex 0.1 1.3 0\nvertex 0 0 0\n"
                                         "vertex 0.6 0.5 2.25\nendloop\nendfacet\n"
                                         "endsolid tetra\n");
  const std::string binary = folder.File("tetra-binary.stl");
  ASSERT_EQ(std::system(("LC_ALL=C admesh -c --write-binary-stl='" + binary + "' '" + ascii + "' >/dev/null").c_str()), 0);
  ASSERT_FALSE(StlImport(ascii).dropped);
  ASSERT_FALSE(StlImport(binary).dropped);
  const std::vector<const CMeshObject*> meshes = Meshes();
  ASSERT_EQ(meshes.size(), 2u);
  EXPECT_EQ(meshes[0]->points.size(), 4u);
  EXPECT_EQ(meshes[0]->FaceCount(), 4);
  EXPECT_EQ(meshes[1]->points, meshes[0]->points);
  EXPECT_EQ(meshes[1]->faceIndices, meshes[0]->faceIndices);
}

}  // namespace
