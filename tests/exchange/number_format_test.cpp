#include "exchange/number_format.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <locale>
#include <string>

#include "comma_locale.h"
#include "exchange/mesh_writers.h"
#include "exchange/output_file.h"
#include "exchange/stl_writers.h"
#include "export_fixtures.h"
#include "program_state.h"

namespace {

std::string General(float v) {
  char text[kFormattedNumberRoom];
  return {text, FormatGeneral(text, v)};
}

std::string Fixed(float v) {
  char text[kFormattedNumberRoom];
  return {text, FormatFixed8_3(text, v)};
}

std::string Printf(const char* format, float v) {
  char text[128];
  std::snprintf(text, sizeof text, format, static_cast<double>(v));
  return text;
}

// Runs in the "C" locale, which the C library starts in.
TEST(NumberFormatTest, MatchesPrintfInTheCLocale) {
  for (const float v : {0.0f, -0.0f, 1e-5f, 0.0001f, 0.1f, 1.5f, -1.5f, 123456.0f, 1234567.0f,
                        1e10f, -3.4e38f, FLT_MIN, FLT_TRUE_MIN, 0.0005f, -0.0004f}) {
    SCOPED_TRACE(v);
    EXPECT_EQ(General(v), Printf("%g", v));
    EXPECT_EQ(Fixed(v), Printf("%8.3f", v));
  }
  EXPECT_EQ(General(-0.0f), "-0");
  EXPECT_EQ(General(1234567.0f), "1.23457e+06");
  EXPECT_EQ(Fixed(-0.0f), "  -0.000");
  char text[kFormattedNumberRoom];
  EXPECT_EQ(std::string(text, FormatInteger(text, -31)), "-31");
  EXPECT_EQ(std::string(text, FormatInteger(text, -31, 8)), "     -31");
  EXPECT_EQ(std::string(text, FormatInteger(text, 123456789, 8)), "123456789");
  // A count beyond 32 bits, as a header of a very large mesh would hold.
  EXPECT_EQ(std::string(text, FormatInteger(text, 5'000'000'000)), "5000000000");
}

class LocaleTest : public LumidrexTest {
 protected:
  // The fixture mesh in ASCII STL, then a face of the DXF mesh writer.
  std::vector<std::uint8_t> Write(const std::string& name) {
    ObjectList list;
    list.Add(FixtureMesh());
    const std::string stl = folder.File(name + ".stl");
    EXPECT_TRUE(StlAsciiWriter(list.first(), stl));
    std::vector<std::uint8_t> bytes = ReadWholeFile(stl);

    const std::string dxf = folder.File(name + ".dxf");
    EXPECT_TRUE(MeshOutputFile.Open(dxf));
    SelectMeshWriter(2);
    CurrentMeshWriter().BeginFile();
    CurrentMeshWriter().WriteFacet({0.5f, -1.25f, 1234.5678f}, {2.75f, 0.0001f, 3}, {-0.125f, 6.5f, 0});
    CurrentMeshWriter().EndFile();
    EXPECT_TRUE(MeshOutputFile.Commit());
    const std::vector<std::uint8_t> faces = ReadWholeFile(dxf);
    bytes.insert(bytes.end(), faces.begin(), faces.end());
    return bytes;
  }

  TempDir folder;
};

TEST_F(LocaleTest, TextFilesAreTheSameUnderACommaLocale) {
  const std::vector<std::uint8_t> plain = Write("c");
  const std::string text(plain.begin(), plain.end());
  ASSERT_NE(text.find("vertex 0.0001 0 0"), std::string::npos);
  ASSERT_NE(text.find("10\n   0.500\n"), std::string::npos);
  const CommaLocale comma;
  ASSERT_TRUE(comma.active());
  // The locale is in force: printf now writes a comma.
  ASSERT_EQ(Printf("%g", 1.5f), "1,5");
  EXPECT_EQ(Write("de"), plain);
}

}  // namespace
