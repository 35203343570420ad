#include "manufacturing/nc_posts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "comma_locale.h"
#include "exchange/output_file.h"
#include "program_state.h"
#include "temp_dir.h"

namespace {

class NcPostsTest : public LumidrexTest {
 protected:
  // One hand-driven program: a rapid run, feed moves (a z-only move, a repeated point, values that
  // round), a second run, the end.
  std::string Program(int dialect, bool inches = false) {
    const std::string path = folder.File("program.nc");
    OutputFile file;
    EXPECT_TRUE(file.Open(path));
    const std::unique_ptr<CNcPost> post = MakeNcPost(dialect, file, inches);
    post->x = 9.0f;
    post->y = 9.0f;
    post->z = 9.0f;
    post->BeginProgram();
    post->RapidMode();
    post->MoveTo(0.5f, 0.37f, 5.0f);
    post->FeedMode();
    post->MoveTo(0.5f, 0.37f, -1.0f);
    post->MoveTo(0.5f, 0.37f, -1.0f);
    post->MoveTo(1.23456789f, -0.000004f, -0.004f);
    post->MoveTo(1.23456789f, -0.000004f, 5.0f);
    post->RapidMode();
    post->MoveTo(2.0f, 0.37f, 5.0f);
    post->FeedMode();
    post->MoveTo(2.0f, 0.37f, -1.0f);
    post->EndProgram();
    EXPECT_TRUE(file.Commit());
    const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
    return {bytes.begin(), bytes.end()};
  }

  TempDir folder;
};

// Golden programs written by hand, one per dialect.
const char* const kGolden[4] = {
    "G90\r\nG94\r\nG21\r\nM03\r\n"
    "G00\r\n X0.5 Y0.37 Z5\r\n"
    "G01\r\n Z-1\r\n X1.23457 Y0 Z-0.004\r\n Z5\r\n"
    "G00\r\n X2 Y0.37\r\n"
    "G01\r\n Z-1\r\n"
    "M05\r\nM00\r\nM02\r\n",

    "REM/ *** Micromaster CNC Program***\r\nREM/\r\nREM/TE,** Press Return **\r\nREM/\r\n"
    "CYCLE/STEP\r\nCYCLE/AUTO\r\n"
    "MOV/RAP,0.5,0.37,5,\r\n"
    "MOV/FEED,0.5,0.37,-1,\r\nMOV/FEED,0.5,0.37,-1,\r\nMOV/FEED,1.23457,-4e-06,-0.004,\r\n"
    "MOV/FEED,1.23457,-4e-06,5,\r\n"
    "MOV/RAP,2,0.37,5,\r\n"
    "MOV/FEED,2,0.37,-1,\r\n"
    "MOV/RAP,0.,0.,20.,\r\n",

    ";;^IN;\r\n!MC1;\r\n^PR;\r\nV15.0;\r\nZ0,0,162.6;\r\n^PA;\r\n"
    "F15.0;\r\nV15.0;\r\nZ20,15,200;\r\n"
    "F2.0;\r\nV2.0;\r\nZ20,15,-40;\r\nZ20,15,-40;\r\nZ49,0,0;\r\nZ49,0,200;\r\n"
    "F15.0;\r\nV15.0;\r\nZ80,15,200;\r\n"
    "F2.0;\r\nV2.0;\r\nZ80,15,-40;\r\n"
    "H;\r\n",

    ";;^IN;\r\n!MC1;\r\nV85.0;\r\n^PR;\r\nZ0,0,10500;\r\n^PA;\r\nZ0,0,406;\r\nV15.0;\r\n"
    "F85.0;\r\nV85.0;\r\nZ50,37,500;\r\n"
    "F2.0;\r\nV2.0;\r\nZ50,37,-100;\r\nZ50,37,-100;\r\nZ123,0,0;\r\nZ123,0,500;\r\n"
    "F85.0;\r\nV85.0;\r\nZ200,37,500;\r\n"
    "F2.0;\r\nV2.0;\r\nZ200,37,-100;\r\n"
    "H;\r\n;\r\n",
};

TEST_F(NcPostsTest, EachDialectWritesItsGoldenProgram) {
  for (int dialect = 0; dialect < 4; ++dialect) {
    SCOPED_TRACE(kNcDialectNames[dialect]);
    EXPECT_EQ(Program(dialect), kGolden[dialect]);
  }
  // An unknown index is G-code.
  EXPECT_EQ(Program(7), kGolden[0]);
  // Inches change only G-code's units word: the other dialects have none.
  std::string inches = kGolden[0];
  inches.replace(inches.find("G21"), 3, "G20");
  EXPECT_EQ(Program(0, true), inches);
  for (int dialect = 1; dialect < 4; ++dialect) EXPECT_EQ(Program(dialect, true), kGolden[dialect]);
}

TEST_F(NcPostsTest, CommaLocaleChangesNoByte) {
  const CommaLocale comma;
  ASSERT_TRUE(comma.active());
  for (int dialect = 0; dialect < 4; ++dialect) EXPECT_EQ(Program(dialect), kGolden[dialect]);
}

TEST_F(NcPostsTest, RolandStepsSaturateInsteadOfOverflowing) {
  const std::string path = folder.File("far.nc");
  OutputFile file;
  ASSERT_TRUE(file.Open(path));
  CNcPostRolandMdx500 post(file);
  post.MoveTo(1e30f, -1e30f, 0.255f);
  ASSERT_TRUE(file.Commit());
  const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "Z2147483647,-2147483648,25;\r\n");
  // The last written position stays unscaled.
  EXPECT_EQ(post.z, 0.255f);
}

}  // namespace
