#include "manufacturing/nc_program.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "comma_locale.h"
#include "exchange/output_file.h"
#include "nc_interpreter.h"
#include "tool_gouge.h"
#include "render/record_pool.h"
#include "slice_scene.h"
#include "temp_dir.h"

namespace {

std::string Program(const std::vector<std::string>& body) {
  std::string text = "G90\r\nG94\r\nG21\r\nM03\r\n";
  for (const std::string& line : body) text += line + "\r\n";
  return text + "M05\r\nM00\r\nM02\r\n";
}

class NcProgramTest : public DesignTest {
 protected:
  void SetUp() override {
    DesignTest::SetUp();
    // A block whose top lies at z = 1, covering the grid points x = 0.5 and 1 of the row y = 0.5.
    AddBox({0.2f, 0, 0}, {1.2f, 1, 1});
    // One row from x = -0.5 to 1.5 at 0.5, fine pass only, a ball that reaches no neighbour.
    settings.corner1 = {-0.5f, 0.5f, 0};
    settings.corner2 = {1.5f, 0.5f, 2};
    settings.xStep = settings.yStep = 0.5f;
    settings.toolDiameter = 0.0002f;
    settings.passes = 2;
  }

  std::string Written() {
    const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
    return {bytes.begin(), bytes.end()};
  }

  NcSettings settings;
  TempDir folder;
  const std::string path = folder.File("part.nc");
};

constexpr const char* kCancelQuestion = "Are you sure to Cancel?";

const std::string kPositive = Program(
    {"G00", " X-0.5 Y0.5 Z2", "G01", " Z-2", " X0", " Z-1", " X1.5", " Z-2", " Z2"});

TEST_F(NcProgramTest, SamplesTheVisibleDesign) {
  ASSERT_TRUE(WriteNcProgram(settings, path));
  EXPECT_EQ(Written(), kPositive);

  std::swap(settings.corner1, settings.corner2);
  ASSERT_TRUE(WriteNcProgram(settings, path));
  EXPECT_EQ(Written(), kPositive);

  // The mould: X mirrored, the block's cells cut 1 deep from the stock top.
  settings.molding = 1;
  ASSERT_TRUE(WriteNcProgram(settings, path));
  EXPECT_EQ(Written(), Program({"G00", " X-1 Y0.5 Z2", "G01", " Z-1", " X-0.5", " Z2"}));
}

TEST_F(NcProgramTest, TheInterpreterMovesWhereTheGeneratorAsked) {
  // The whole block and its surroundings, roughed and finished with a ball to and fro.
  settings.corner1 = {-0.5f, -0.5f, 0};
  settings.corner2 = {1.5f, 1.5f, 2};
  settings.xStep = settings.yStep = 0.25f;
  settings.toolDiameter = 1.0f;
  settings.stepDown = 0.5f;
  settings.passes = 0;
  settings.toAndFro = true;
  for (const int molding : {0, 1}) {
    SCOPED_TRACE(molding);
    settings.molding = molding;
    OutputFile file;
    ASSERT_TRUE(file.Open(path));
    NcRecordingPost post(file);
    ASSERT_EQ(NcGenerate(settings, post), NcResult::kWritten);
    ASSERT_TRUE(file.Commit());
    ExpectInterpreterFollows(Written(), post.moves, folder.path());
  }
}

// Seeded prongs of random sizes and heights on a plate, their walls between the grid's lines: the
// tool, ball or flat, takes in none of the points the grid samples anywhere along its moves,
// although it climbs and leaves every prong.
TEST_F(NcProgramTest, NoMoveCutsIntoThePartAsTheGridSamplesIt) {
  ResetProgramState();
  DesignTest::SetUp();
  std::mt19937 random(45);
  std::uniform_int_distribution<int> cell(-25, 20), size(3, 8), rise(5, 30);
  AddBox({-3.05f, -3.05f, 0}, {3.05f, 3.05f, 0.5f});
  for (int i = 0; i < 8; ++i) {
    const float x = 0.1f * cell(random) + 0.05f, y = 0.1f * cell(random) + 0.05f;
    const float w = 0.1f * size(random), d = 0.1f * size(random);
    AddBox({x, y, 0.5f}, {x + w, y + d, 0.5f + 0.1f * rise(random)});
  }
  const std::vector<GougeTriangle> triangles = ExportedTriangles(TheScene.head, folder.File("part.stl"));
  settings.corner1 = {-3.5f, -3.5f, 0};
  settings.corner2 = {3.5f, 3.5f, 4};
  settings.xStep = settings.yStep = 0.1f;
  settings.toolDiameter = 1.0f;
  for (const int tool : {0, 1}) {
    SCOPED_TRACE(tool);
    settings.tool = tool;
    OutputFile file;
    ASSERT_TRUE(file.Open(path));
    NcRecordingPost post(file);
    ASSERT_EQ(NcGenerate(settings, post), NcResult::kWritten);
    ASSERT_TRUE(file.Commit());
    const std::vector<GougeTriangle> samples = GridSamples(triangles, settings);
    ToolGouge sampled(samples, tool == 0, 0.5);
    EXPECT_LE(ReachAlongMoves(post.moves, sampled, settings).largest, 0.005);
  }
}

TEST_F(NcProgramTest, ColumnsOfNarrowBoxes) {
  settings.corner1.x = settings.corner2.x = 0.5f;
  ASSERT_TRUE(WriteNcProgram(settings, path));
  EXPECT_EQ(Written(), Program({"G00", " X0.5 Y0.5 Z2", "G01", " Z-1", " Z2"}));
  settings.corner2.x = 0.6f;
  settings.xStep = 0.1f;
  ASSERT_TRUE(WriteNcProgram(settings, path));
  EXPECT_EQ(Written(), Program({"G00", " X0.5 Y0.5 Z2", "G01", " Z-1", " X0.6", " Z2"}));
}

TEST_F(NcProgramTest, CommaLocaleChangesNoByte) {
  const CommaLocale comma;
  ASSERT_TRUE(comma.active());
  ASSERT_TRUE(WriteNcProgram(settings, path));
  EXPECT_EQ(Written(), kPositive);
}

TEST_F(NcProgramTest, FailuresWriteNothingAndKeepTheOlderProgram) {
  settings.corner1.y = 0;
  settings.corner2.y = 2;
  struct Case {
    const char* name;
    std::function<void()> arrange;
    std::string message;  // the one message box, if any
  };
  const Case cases[] = {
      {"cancel at row 2",
       [] {
         Headless().messageAnswers = {kAnswerYes};
         Headless().onProgressPump = [](ProgressWindowClient& client) {
           if (Headless().progress.position >= 2) client.OnCancel();
         };
       },
       kCancelQuestion},
      {"no memory for the engine", [] { FailNthBlockAllocation(1); }, "Not enough memory to perform operations!"},
      {"a write failure", [] { OutputFile::FailWritesAfter(20); }, "Cannot write to file!\n" + path},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    folder.Write("part.nc", std::string_view("older program"));
    Headless().messages.clear();
    Headless().statusTexts.clear();
    c.arrange();
    EXPECT_FALSE(WriteNcProgram(settings, path));
    EXPECT_EQ(Written(), "older program");
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"part.nc"});
    ASSERT_EQ(Headless().messages.size(), 1u);
    EXPECT_EQ(Headless().messages[0].text, c.message);
    Headless().onProgressPump = nullptr;
    ResetBlockAllocationHook();
    OutputFile::FailWritesAfter(-1);
  }
  // A grid beyond the cap is refused before anything is allocated.
  settings.xStep = settings.yStep = 0.0001f;
  settings.corner1 = {-100, -100, 0};
  settings.corner2 = {100, 100, 1};
  Headless().messages.clear();
  EXPECT_FALSE(WriteNcProgram(settings, path));
  EXPECT_EQ(Headless().messages.size(), 1u);
}

}  // namespace
