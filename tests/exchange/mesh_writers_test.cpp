#include "exchange/mesh_writers.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "exchange/output_file.h"
#include "export_fixtures.h"
#include "program_state.h"

namespace {

class MeshWritersTest : public LumidrexTest {
 protected:
  // Runs the writer over a fresh mesh output file and gives the file's bytes.
  std::string Written(MeshWriter& writer, const std::function<void()>& facets) {
    const std::string path = folder.File("mesh.out");
    EXPECT_TRUE(MeshOutputFile.Open(path));
    writer.BeginFile();
    facets();
    writer.EndFile();
    EXPECT_TRUE(MeshOutputFile.Commit());
    const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
    return {bytes.begin(), bytes.end()};
  }

  TempDir folder;
};

TEST_F(MeshWritersTest, FormatSelectsTheCurrentWriter) {
  EXPECT_EQ(&CurrentMeshWriter(), &StlAsciiMeshWriter);
  const struct {
    int format;
    MeshWriter* current;
  } cases[] = {{1, &StlBinaryMeshWriter}, {3, &StlBinaryMeshWriter}, {2, &DxfMeshWriter},
               {-1, &DxfMeshWriter},      {0, &StlAsciiMeshWriter}};
  for (const auto& c : cases) {
    SelectMeshWriter(c.format);
    EXPECT_EQ(&CurrentMeshWriter(), c.current) << c.format;
  }
}

TEST_F(MeshWritersTest, BinaryEndFilePatchesTheCountAndLeavesTheFileOpen) {
  const std::string path = folder.File("mesh.stl");
  ASSERT_TRUE(MeshOutputFile.Open(path));
  StlBinaryMeshWriter.BeginFile();
  StlBinaryMeshWriter.WriteFacet({0, 0, 0}, {1, 0, 0}, {0, 1, 0});
  StlBinaryMeshWriter.WriteFacet({0, 0, 0}, {1, 0, 0}, {2, 0, 0});  // no area: dropped
  StlBinaryMeshWriter.WriteFacet({0, 0, 0}, {0, 1, 0}, {0, 0, 2});
  StlBinaryMeshWriter.EndFile();
  MeshOutputFile.Write("x");
  ASSERT_TRUE(MeshOutputFile.Commit());

  std::vector<std::uint8_t> expected = BinaryStlHeader(2);
  AppendFloats(&expected, {0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0});
  expected.insert(expected.end(), {0, 0});
  AppendFloats(&expected, {1, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 2});
  expected.insert(expected.end(), {0, 0, 'x'});
  EXPECT_EQ(ReadWholeFile(path), expected);
}

// Edges and normals are zero when every component is below 0.0001; the DXF writer keeps even
// those faces, and every writer drops values that are not finite.
TEST_F(MeshWritersTest, ZeroAndNonFiniteFacets) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const struct {
    Vector3 v2;
    bool stl;
    bool dxf;
  } cases[] = {
      {{0.00009f, 0, 0}, false, true},
      {{0.0001f, 0, 0}, true, true},
      {{0, 0, 0}, false, true},
      {{nan, 0, 0}, false, false},
      {{std::numeric_limits<float>::infinity(), 0, 0}, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.v2.x);
    const auto facet = [&](MeshWriter& writer) {
      return [&] { writer.WriteFacet({0, 0, 0}, c.v2, {0, 1, 0}); };
    };
    EXPECT_EQ(Written(StlAsciiMeshWriter, facet(StlAsciiMeshWriter)).find("facet") != std::string::npos,
              c.stl);
    EXPECT_EQ(Written(StlBinaryMeshWriter, facet(StlBinaryMeshWriter)).size(), c.stl ? 134u : 84u);
    EXPECT_EQ(Written(DxfMeshWriter, facet(DxfMeshWriter)).find("3DFACE") != std::string::npos, c.dxf);
  }
}

TEST_F(MeshWritersTest, AsciiWritesCornersUnrounded) {
  EXPECT_EQ(Written(StlAsciiMeshWriter,
                    [] { StlAsciiMeshWriter.WriteFacet({1.23456f, 0, 0}, {3, 0, 0}, {1.23456f, 2, 0}); }),
            "solid Lumidrex\n"
            "    facet normal 0 0 1\n"
            "        outer loop\n"
            "            vertex 1.23456 0 0\n"
            "            vertex 3 0 0\n"
            "            vertex 1.23456 2 0\n"
            "        endloop\n"
            "    endfacet\n"
            "endsolid\n");
}

TEST_F(MeshWritersTest, DxfWritesAZeroAreaFaceExactly) {
  EXPECT_EQ(Written(DxfMeshWriter,
                    [] { DxfMeshWriter.WriteFacet({1.5f, -2, 0}, {1.5f, -2, 0}, {12345.6789f, 0.0004f, -0.0004f}); }),
            "0\nSECTION\n2\nENTITIES\n"
            "0\n3DFACE\n8\n1\n"
            "10\n   1.500\n20\n  -2.000\n30\n   0.000\n"
            "11\n   1.500\n21\n  -2.000\n31\n   0.000\n"
            "12\n12345.679\n22\n   0.000\n32\n  -0.000\n"
            "13\n12345.679\n23\n   0.000\n33\n  -0.000\n"
            "0\nENDSEC\n0\nEOF\n");
}

// A failed write stays in the file's flag, and the caller's commit reports it.
TEST_F(MeshWritersTest, AFailedWriteReachesTheCommit) {
  const std::string path = folder.Write("old.stl", std::string_view("old"));
  ASSERT_TRUE(MeshOutputFile.Open(path));
  OutputFile::FailWritesAfter(10);
  StlBinaryMeshWriter.BeginFile();
  StlBinaryMeshWriter.WriteFacet({0, 0, 0}, {1, 0, 0}, {0, 1, 0});
  StlBinaryMeshWriter.EndFile();
  EXPECT_TRUE(MeshOutputFile.failed());
  EXPECT_FALSE(MeshOutputFile.Commit());
  const std::vector<std::uint8_t> old = ReadWholeFile(path);
  EXPECT_EQ(std::string(old.begin(), old.end()), "old");
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"old.stl"});
}

}  // namespace
