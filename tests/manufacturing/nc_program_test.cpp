#include "manufacturing/nc_program.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
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

  // Writes the program of `settings` to `path` through a recording post; the moves it was handed.
  std::vector<NcMove> GenerateRecorded() {
    OutputFile file;
    EXPECT_TRUE(file.Open(path));
    NcRecordingPost post(file);
    EXPECT_EQ(NcGenerate(settings, post), NcResult::kWritten);
    EXPECT_TRUE(file.Commit());
    return post.moves;
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
    const std::vector<NcMove> moves = GenerateRecorded();
    ExpectInterpreterFollows(Written(), moves, folder.path());
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
    const std::vector<NcMove> moves = GenerateRecorded();
    const std::vector<GougeTriangle> samples = GridSamples(triangles, settings);
    ToolGouge sampled(samples, tool == 0, 0.5);
    EXPECT_LE(ReachAlongMoves(moves, sampled, settings).largest, 0.005);
  }
}

// A prism over a seeded star polygon, concave at some corners, with its corners on the grid's
// points and a slanted top, so that walls, edges and corners lie on grid lines at heights that
// change along them. Its triangles face outwards; the caps are fanned from the centre.
std::unique_ptr<CMeshObject> SlantedPrismOnTheGrid(std::mt19937& random, float step) {
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  const int n = 3 + static_cast<int>(unit(random) * 6);
  const double cx = std::round(4 * unit(random) - 2), cy = std::round(4 * unit(random) - 2);
  const double slopeX = unit(random) - 0.5, slopeY = unit(random) - 0.5, base = 2 + unit(random);
  const auto snap = [step](double v) { return static_cast<float>(std::round(v / step) * step); };
  std::vector<Vector3> points(2 * n + 2);
  for (int i = 0; i < n; ++i) {
    const double angle = (i + 0.2 + 0.6 * unit(random)) * 6.283185307179586 / n, radius = 1 + 2 * unit(random);
    const float x = snap(cx + radius * std::cos(angle)), y = snap(cy + radius * std::sin(angle));
    points[i] = {x, y, 0};
    points[n + i] = {x, y, static_cast<float>(base + slopeX * x + slopeY * y)};
  }
  points[2 * n] = {static_cast<float>(cx), static_cast<float>(cy), 0};
  points[2 * n + 1] = {static_cast<float>(cx), static_cast<float>(cy), static_cast<float>(base + slopeX * cx + slopeY * cy)};
  std::vector<std::int32_t> triangles;
  for (int i = 0; i < n; ++i) {
    const int j = (i + 1) % n;
    triangles.insert(triangles.end(), {2 * n, j, i, 2 * n + 1, n + i, n + j, i, j, n + j, i, n + j, n + i});
  }
  auto mesh = std::make_unique<CMeshObject>();
  mesh->SetPoints(static_cast<int>(points.size()), points);
  EXPECT_TRUE(mesh->SetFaces(std::vector<std::int32_t>(triangles.size() / 3, 3), triangles));
  return mesh;
}

// Seeded designs whose walls, edges and corners lie exactly on the grid's lines, on its near and
// far sides: slanted prisms, concave ones among them, and unions of boxes at round coordinates.
// Every point of the height grid holds the height a vertical ray finds on the design's triangles
// in double, or nothing where the ray meets none.
TEST_F(NcProgramTest, TheGridHoldsTheHeightsOfTheTrianglesOnItsLines) {
  // A step that floats and doubles hold exactly, so that the lines lie on the corners to the bit.
  constexpr float kStep = 0.125f, kFloor = -100.0f;
  std::mt19937 random(45);
  std::uniform_int_distribution<int> cell(-25, 15), size(3, 10), rise(5, 30);
  for (int design = 0; design < 16; ++design) {
    SCOPED_TRACE(design);
    ResetProgramState();
    DesignTest::SetUp();
    if (design % 2 == 0) {
      Add(SlantedPrismOnTheGrid(random, kStep));
    } else {
      for (int i = 0; i < 3; ++i) {
        const float x = kStep * cell(random), y = kStep * cell(random);
        AddBox({x, y, 0}, {x + kStep * size(random), y + kStep * size(random), kStep * rise(random)});
      }
    }
    const std::vector<GougeTriangle> triangles = ExportedTriangles(TheScene.head, folder.File("part.stl"));
    settings.corner1 = {-6, -6, -1};
    settings.corner2 = {6, 6, 10};
    settings.xStep = settings.yStep = kStep;
    const int columns = 97, rows = 97;
    std::vector<float> grid(static_cast<std::size_t>(columns) * rows, kFloor);
    Matrix4 m = kIdentityMatrix;
    m[0] = m[5] = 1 / kStep;
    m[12] = m[13] = 6 / kStep;
    // Heights from the top of the box, as the program takes them.
    m[14] = -10;
    ASSERT_TRUE(SampleZGrid(grid.data(), m, columns, rows));
    // The rays on the grid, and on the grids a hair to either side along the rows: where neither
    // of those meets the part, it meets the row in a lone corner, which has no width to sample.
    const auto rays = [&](float shift) {
      NcSettings s = settings;
      s.corner1.x += shift;
      s.corner2.x += shift;
      std::vector<float> tops(grid.size(), kFloor);
      for (const GougeTriangle& p : GridSamples(triangles, s)) {
        const auto column = static_cast<std::size_t>(std::lround((p.a[0] - shift + 6) / kStep));
        const auto row = static_cast<std::size_t>(std::lround((p.a[1] + 6) / kStep));
        tops[row * columns + column] = static_cast<float>(p.a[2] - 10);
      }
      return tops;
    };
    const std::vector<float> expected = rays(0), before = rays(-1e-5f), after = rays(1e-5f);
    int wrong = 0;
    for (std::size_t i = 0; i < grid.size(); ++i) {
      const bool loneCorner = expected[i] != kFloor && before[i] == kFloor && after[i] == kFloor;
      if (loneCorner || std::fabs(grid[i] - expected[i]) <= 1e-4f) continue;
      if (++wrong <= 5) {
        ADD_FAILURE() << "x " << -6 + kStep * static_cast<float>(i % columns) << " y "
                      << -6 + kStep * static_cast<float>(i / columns) << ": " << grid[i] << " for " << expected[i];
      }
    }
    EXPECT_EQ(wrong, 0);
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
