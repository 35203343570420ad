#include "manufacturing/nc_passes.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "exchange/output_file.h"
#include "manufacturing/nc_posts.h"
#include "nc_interpreter.h"
#include "program_state.h"
#include "temp_dir.h"

namespace {

// The program's lines between the G-code header and trailer, each ended with CR LF.
std::string Program(const std::vector<std::string>& body) {
  std::string text = "G90\r\nG94\r\nG21\r\nM03\r\n";
  for (const std::string& line : body) text += line + "\r\n";
  return text + "M05\r\nM00\r\nM02\r\n";
}

class NcPassesTest : public LumidrexTest {
 protected:
  // A unit-step grid at the origin, fine pass only, in G-code.
  static NcJob Job(int rows, int columns, std::vector<float> grid) {
    NcJob job;
    job.rows = rows;
    job.columns = columns;
    job.grid = std::move(grid);
    job.xStep = job.yStep = 1.0f;
    job.roughing = false;
    return job;
  }

  // Writes the job in G-code; moves, when given, receives the moves the post was asked for.
  std::string Write(NcJob job, std::vector<NcMove>* moves = nullptr) {
    const std::string path = folder.File("passes.nc");
    OutputFile file;
    EXPECT_TRUE(file.Open(path));
    NcRecordingPost post(file);
    job.post = &post;
    NcWritePasses(job, 0.0f);
    EXPECT_TRUE(file.Commit());
    if (moves != nullptr) *moves = post.moves;
    const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
    return {bytes.begin(), bytes.end()};
  }

  struct Case {
    const char* name;
    NcJob job;
    std::vector<std::string> body;
  };
  static std::vector<Case> HandSetCases() {
    NcJob toAndFro = Job(3, 2, {0, 0, -1, -1, -1, -1});
    toAndFro.toAndFro = true;
    return {
        // Cells level with the reference z are not cut; a run of one cell goes down and up again.
        {"one cell", Job(1, 3, {0, -1, 0}), {"G00", " X1 Y0 Z2", "G01", " Z-1", " Z2"}},
        // Down a slope the tool moves across, then descends: never through the cell it leaves.
        {"falling steps", Job(1, 5, {-1, -2, -3, -3, 0}),
         {"G00", " X0 Y0 Z2", "G01", " Z-1", " X1", " Z-2", " X2", " Z-3", " X3", " Z2"}},
        // Up a wall it rises first; a dip between two cells is cut down and up at its column, and
        // moves across at one height merge.
        {"rising steps and a dip", Job(1, 6, {-3, -1, -1, -2, -1, -1}),
         {"G00", " X0 Y0 Z2", "G01", " Z-3", " Z-1", " X3", " Z-2", " Z-1", " X5", " Z2"}},
        // The second row runs backwards although the first cut nothing; its first cut lies one step
        // from the origin in x and y, and the first move still writes every axis.
        {"to and fro",
         toAndFro,
         {"G00", " X1 Y1 Z2", "G01", " Z-1", " X0", " Z2", "G00", " Y2", "G01", " Z-1", " X1", " Z2"}},
        {"one way", Job(3, 2, {0, 0, -1, -1, -1, -1}),
         {"G00", " X0 Y1 Z2", "G01", " Z-1", " X1", " Z2", "G00", " X0 Y2", "G01", " Z-1", " X1", " Z2"}},
    };
  }

  // One cell 2.5 deep in a box 3 deep: two roughing passes, the allowance pass and the fine pass.
  static NcJob RoughingJob() {
    NcJob job = Job(1, 1, {-2.5f});
    job.zMin = -3.0f;
    job.allowance = 0.5f;
    job.stepDown = 1.0f;
    job.roughing = true;
    return job;
  }

  TempDir folder;
};

TEST_F(NcPassesTest, RunsOnHandSetGrids) {
  for (const Case& c : HandSetCases()) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Write(c.job), Program(c.body));
  }
}

TEST_F(NcPassesTest, TheInterpreterMovesWhereThePassesAsked) {
  std::vector<NcJob> jobs = {RoughingJob()};
  for (const Case& c : HandSetCases()) jobs.push_back(c.job);
  for (const NcJob& job : jobs) {
    std::vector<NcMove> moves;
    const std::string program = Write(job, &moves);
    SCOPED_TRACE(program);
    ExpectInterpreterFollows(program, moves, folder.path());
  }
}

TEST_F(NcPassesTest, RoughingStepsDownToTheAllowanceBeforeTheFinePass) {
  NcJob job = RoughingJob();
  const std::vector<std::string> lift2 = {"G00", " X0 Y0 Z2", "G01", " Z-0.5", " Z2"};
  const std::vector<std::string> lift1 = {"G00", "G01", " Z-1.5", " Z2"};
  const std::vector<std::string> allowance = {"G00", "G01", " Z-2", " Z2"};
  const auto join = [](std::vector<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
  };
  job.fine = false;
  EXPECT_EQ(Write(job), Program(join({lift2, lift1, allowance})));
  job.fine = true;
  EXPECT_EQ(Write(job), Program(join({lift2, lift1, allowance, {"G00", "G01", " Z-2.5", " Z2"}})));
  // Fine alone: the first move writes every axis.
  job.roughing = false;
  EXPECT_EQ(Write(job), Program({"G00", " X0 Y0 Z2", "G01", " Z-2.5", " Z2"}));
  // A box shallower than the allowance plus one step: the allowance pass alone.
  job.roughing = true;
  job.fine = false;
  job.zMin = -0.9f;
  EXPECT_EQ(Write(job), Program({"G00", " X0 Y0 Z2", "G01", " Z-2", " Z2"}));
}

}  // namespace
