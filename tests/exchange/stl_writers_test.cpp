#include "exchange/stl_writers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "exchange/dxf_writers.h"
#include "exchange/export_stack.h"
#include "exchange/output_file.h"
#include "export_fixtures.h"
#include "kernel/curve_object.h"
#include "program_state.h"

namespace {

class StlWritersTest : public LumidrexTest {
 protected:
  void AddFixtureMesh() { list.Add(FixtureMesh()); }

  TempDir folder;
  ObjectList list;
};

TEST_F(StlWritersTest, AsciiFileIsExact) {
  AddFixtureMesh();
  const std::string path = folder.File("mesh.stl");
  ASSERT_TRUE(StlAsciiWriter(list.first(), path));
  const std::string expected =
      "solid Lumidrex\n"
      "    facet normal 0 0 1\n"
      "        outer loop\n"
      "            vertex 123456 0 1.23457e+06\n"
      "            vertex 123458 0 1.23457e+06\n"
      "            vertex 123458 2 1.23457e+06\n"
      "        endloop\n"
      "    endfacet\n"
      "    facet normal 0 0 1\n"
      "        outer loop\n"
      "            vertex 123456 0 1.23457e+06\n"
      "            vertex 123458 2 1.23457e+06\n"
      "            vertex 123456 2 1.23457e+06\n"
      "        endloop\n"
      "    endfacet\n"
      "    facet normal 0 0 2e-08\n"
      "        outer loop\n"
      "            vertex 0 0 0\n"
      "            vertex 0.0001 0 0\n"
      "            vertex 0 0.0002 0\n"
      "        endloop\n"
      "    endfacet\n"
      "    facet normal 0 -0 1\n"
      "        outer loop\n"
      "            vertex 10 0 0\n"
      "            vertex 12 0 0\n"
      "            vertex 9 2 0\n"
      "        endloop\n"
      "    endfacet\n"
      "endsolid\n";
  const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), expected);
}

TEST_F(StlWritersTest, BinaryFileIsExact) {
  AddFixtureMesh();
  const std::string path = folder.File("mesh.stl");
  // The placeholder is the previous export's count; the final count replaces it.
  StlBinaryFacetCount = 77;
  ASSERT_TRUE(StlBinaryWriter(list.first(), path));
  std::vector<std::uint8_t> expected = BinaryStlHeader(4);
  const auto facet = [&](std::initializer_list<float> values) {
    AppendFloats(&expected, values);
    expected.insert(expected.end(), {0, 0});
  };
  facet({0, 0, 1, 123456, 0, 1234567, 123458, 0, 1234567, 123458, 2, 1234567});
  facet({0, 0, 1, 123456, 0, 1234567, 123458, 2, 1234567, 123456, 2, 1234567});
  facet({0, 0, 0.0001f * 0.0002f, 0, 0, 0, 0.0001f, 0, 0, 0, 0.0002f, 0});
  facet({0, -0.0f, 1, 10, 0, 0, 12, 0, 0, 9, 2, 0});
  EXPECT_EQ(ReadWholeFile(path), expected);
  EXPECT_EQ(StlBinaryFacetCount, 4u);
}

TEST_F(StlWritersTest, CurvesOnlyGiveHeaderAndTrailer) {
  auto curve = std::make_unique<CCurveObject>();
  curve->SetPoints(4, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}});
  list.Add(std::move(curve));
  const std::string ascii = folder.File("a.stl");
  const std::string binary = folder.File("b.stl");
  ASSERT_TRUE(StlAsciiWriter(list.first(), ascii));
  ASSERT_TRUE(StlBinaryWriter(list.first(), binary));
  const std::vector<std::uint8_t> text = ReadWholeFile(ascii);
  EXPECT_EQ(std::string(text.begin(), text.end()), "solid Lumidrex\nendsolid\n");
  EXPECT_EQ(ReadWholeFile(binary), BinaryStlHeader(0));
}

// Each way fails for every user, root included: no folder permissions are relied on. The DXF
// writers share the output file and the stacks, and are held to the same.
TEST_F(StlWritersTest, AFailedExportLeavesTheOldFileAndNothingElse) {
  AddFixtureMesh();
  // A strip of 40,000 facets, so that a failure can also come while the walk still writes.
  std::vector<Vector3> points;
  std::vector<std::vector<std::int32_t>> faces;
  for (int i = 0; i <= 20000; ++i) points.insert(points.end(), {{float(i), 0, 0}, {float(i), 1, 0}});
  for (int i = 0; i < 20000; ++i) faces.push_back({2 * i, 2 * i + 2, 2 * i + 3, 2 * i + 1});
  list.Add(MakeMesh(points, faces));
  // And a curve of as many points, for the writer that takes only curves.
  std::vector<Vector3> curve;
  for (int i = 0; i < 40000; ++i) curve.push_back({float(i), float(i % 7), 0});
  list.Add(std::make_unique<CCurveObject>())->SetPoints(static_cast<int>(curve.size()), curve);
  const std::vector<std::uint8_t> old = {'o', 'l', 'd'};

  using Writer = bool (*)(const CGeomObject*, const std::string&);
  const struct {
    const char* name;
    Writer writer;
    ExportFamily family;
  } writers[] = {{"ascii", &StlAsciiWriter, ExportFamily::kStlAscii},
                 {"binary", &StlBinaryWriter, ExportFamily::kStlBinary},
                 {"dxf faces", &Dxf3DFaceWriter, ExportFamily::kDxfFaces},
                 {"dxf polyline", &DxfPolylineWriter, ExportFamily::kDxfPolyline},
                 {"dxf curves", &DxfCurvesWriter, ExportFamily::kDxfCurves}};
  for (const auto& [name, writer, family] : writers) {
    SCOPED_TRACE(name);
    ExportStack& stack = ExportStackOf(family);

    // Under a path component that is a file.
    folder.Write("plain", old);
    EXPECT_FALSE(writer(list.first(), folder.File("plain/out.stl")));
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"plain"});

    // A target with no write bit.
    const std::string locked = folder.Write("locked.stl", old);
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read);
    EXPECT_FALSE(writer(list.first(), locked));
    EXPECT_EQ(ReadWholeFile(locked), old);
    std::filesystem::remove(locked);

    // A write that fails: at the start, inside the first facets, and deep in the walk, beyond
    // the first megabyte.
    const std::string target = folder.Write("old.stl", old);
    for (const std::int64_t after : {0, 100, 1'500'000}) {
      SCOPED_TRACE(after);
      OutputFile::FailWritesAfter(after);
      EXPECT_FALSE(writer(list.first(), target));
      OutputFile::FailWritesAfter(-1);
      EXPECT_EQ(ReadWholeFile(target), old);
      EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"old.stl", "plain"}));
      EXPECT_EQ(stack.top, &stack.base);
      EXPECT_EQ(stack.base.matrix, kIdentityMatrix);
    }
    // And without a failure the same export replaces the old file.
    EXPECT_TRUE(writer(list.first(), target));
    EXPECT_GT(ReadWholeFile(target).size(), 40000u * 50u);
    std::filesystem::remove(target);
    std::filesystem::remove(folder.File("plain"));
  }
}

}  // namespace
