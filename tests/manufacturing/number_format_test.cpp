#include "manufacturing/number_format.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <locale>
#include <string>

#include "export_fixtures.h"
#include "manufacturing/mesh_writers.h"
#include "manufacturing/output_file.h"
#include "manufacturing/stl_writers.h"
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
}

struct CommaDecimal : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
};

// A comma-decimal locale for both C and C++ for as long as it lives. The C library's is built
// into a folder of its own, so no installed locale is needed, only the locales package.
class CommaLocale {
 public:
  CommaLocale() {
    const std::string command = "localedef -i de_DE -f UTF-8 " + folder_.File("de_DE.UTF-8") + " 2>&1";
    const int status = std::system(command.c_str());
    setenv("LOCPATH", folder_.path().c_str(), 1);
    active_ = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
    if (!active_ || std::localeconv()->decimal_point != std::string(",")) {
      ADD_FAILURE() << "No comma-decimal locale (localedef status " << status
                    << "): the tests need the Debian package locales";
      active_ = false;
    }
  }
  ~CommaLocale() {
    std::locale::global(std::locale::classic());
    std::setlocale(LC_NUMERIC, "C");
    unsetenv("LOCPATH");
  }
  bool active() const { return active_; }

 private:
  TempDir folder_;
  bool active_ = false;
};

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
