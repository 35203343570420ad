#pragma once

// Runs G-code programs through LinuxCNC's standalone interpreter rs274, an outside reader. The
// test command unpacks it from the Debian package linuxcnc-uspace into the build folder
// (lumidrex_unpack_linuxcnc in scripts/install-deps.sh); the package is not installed.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "command_output.h"
#include "manufacturing/nc_posts.h"

struct NcMove {
  bool rapid;
  double x, y, z;
};

// A G-code post that also keeps every move it is asked for, with its mode.
class NcRecordingPost : public CNcPostGCode {
 public:
  using CNcPostGCode::CNcPostGCode;
  void FeedMode() override {
    rapid_ = false;
    CNcPostGCode::FeedMode();
  }
  void RapidMode() override {
    rapid_ = true;
    CNcPostGCode::RapidMode();
  }
  void MoveTo(float newX, float newY, float newZ) override {
    moves.push_back({rapid_, newX, newY, newZ});
    CNcPostGCode::MoveTo(newX, newY, newZ);
  }

  std::vector<NcMove> moves;

 private:
  bool rapid_ = false;
};

// The moves that go somewhere: within the G-code resolution of the last one kept is no move.
// From a point of NaN the first move always counts.
inline std::vector<NcMove> NcMovesThatMove(const std::vector<NcMove>& moves, NcMove from) {
  std::vector<NcMove> kept;
  for (const NcMove& m : moves) {
    if (std::max({std::fabs(m.x - from.x), std::fabs(m.y - from.y), std::fabs(m.z - from.z)}) < 0.00001) continue;
    kept.push_back(m);
    from = m;
  }
  return kept;
}

// The moves rs274 reports, "STRAIGHT_TRAVERSE(x, y, z, ...)" or "STRAIGHT_FEED(...)".
inline std::vector<NcMove> NcInterpreterMoves(const std::string& report) {
  std::vector<NcMove> moves;
  std::istringstream lines(report);
  for (std::string line; std::getline(lines, line);) {
    for (const bool rapid : {true, false}) {
      const std::size_t at = line.find(rapid ? "STRAIGHT_TRAVERSE(" : "STRAIGHT_FEED(");
      if (at == std::string::npos) continue;
      NcMove m{rapid, 0, 0, 0};
      if (std::sscanf(line.c_str() + line.find('(', at) + 1, "%lf, %lf, %lf", &m.x, &m.y, &m.z) == 3) moves.push_back(m);
    }
  }
  return moves;
}

// How far the interpreter's value may lie from the one asked for: the program holds six
// significant digits, and the interpreter reports four decimals.
inline double NcInterpreterTolerance(double value) {
  const double sixthDigit = value == 0 ? 0 : std::pow(10.0, std::floor(std::log10(std::fabs(value))) - 5);
  return std::max(sixthDigit / 2, 0.00005) * (1 + 1e-9);
}

// The feed rate is the operator's setting at the machine: the programs carry no F word, and
// LinuxCNC refuses G1 until it has one. The header's G94 clears a feed set before the program, so
// the operator's feed goes in right after the header, into a copy; the program file stays as
// written.
inline constexpr const char* kOperatorFeed = "F100\r\n";

// Runs the G-code program (its text) through rs274 and expects it to set the units (inches or
// millimetres), to end without an error and to move the machine along the recorded moves: the
// same points, traverses where the moves were rapid.
inline void ExpectInterpreterFollows(const std::string& program, const std::vector<NcMove>& recorded,
                                     const std::string& folder, bool inches = false) {
  const std::string root = LUMIDREX_LINUXCNC_ROOT;
  const std::string rs274 = root + "/usr/bin/rs274";
  if (!std::filesystem::exists(rs274)) {
    ADD_FAILURE() << "LinuxCNC's interpreter " << rs274
                  << " is missing: the test command unpacks the Debian package linuxcnc-uspace there"
                     " (lumidrex_unpack_linuxcnc in scripts/install-deps.sh)";
    return;
  }
  std::string fed = program;
  const std::size_t header = fed.find("M03\r\n");
  ASSERT_NE(header, std::string::npos);
  fed.insert(header + 5, kOperatorFeed);
  const auto write = [&folder](const char* name, const std::string& text) {
    const std::string path = folder + "/" + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    return path;
  };
  const std::string tools = write("tool.tbl", "T1 P1 D1 Z0\n");
  const std::string parameters = write("params.var", "");
  const std::string path = write("fed.nc", fed);
  const CommandOutput run = RunCommand("LD_LIBRARY_PATH='" + root + "/usr/lib' '" + rs274 + "' -t '" + tools +
                                       "' -v '" + parameters + "' -g '" + path + "' </dev/null 2>&1");
  ASSERT_EQ(run.status, 0) << run.text;
  EXPECT_NE(run.text.find("PROGRAM_END()"), std::string::npos) << run.text;
  // The interpreter's own start-up ends with ON_RESET(); the program's units word follows.
  const std::size_t started = run.text.find("ON_RESET()");
  const std::size_t units = run.text.find("USE_LENGTH_UNITS(", started);
  ASSERT_NE(units, std::string::npos) << run.text;
  EXPECT_EQ(run.text.substr(units, 40).find(inches ? "CANON_UNITS_INCHES)" : "CANON_UNITS_MM)"), 17u) << run.text;

  const std::vector<NcMove> asked = NcMovesThatMove(recorded, {false, NAN, NAN, NAN});
  const std::vector<NcMove> made = NcMovesThatMove(NcInterpreterMoves(run.text), {false, 0, 0, 0});
  ASSERT_EQ(made.size(), asked.size()) << run.text;
  for (std::size_t i = 0; i < made.size(); ++i) {
    const NcMove& a = asked[i];
    const NcMove& m = made[i];
    const bool same = m.rapid == a.rapid && std::fabs(m.x - a.x) <= NcInterpreterTolerance(a.x) &&
                      std::fabs(m.y - a.y) <= NcInterpreterTolerance(a.y) &&
                      std::fabs(m.z - a.z) <= NcInterpreterTolerance(a.z);
    ASSERT_TRUE(same) << "move " << i << ": asked " << (a.rapid ? "rapid " : "feed ") << a.x << ", " << a.y << ", "
                      << a.z << "; the interpreter " << (m.rapid ? "traversed " : "fed ") << m.x << ", " << m.y
                      << ", " << m.z;
  }
}
