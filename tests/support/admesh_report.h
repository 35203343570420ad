#pragma once

// Hands files to admesh, an outside STL checker (Debian package admesh), and reads its report.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

#include "command_output.h"
#include "kernel/bspline_curve.h"
#include "kernel/surface_object.h"
#include "kernel/surface_tessellation.h"

inline constexpr const char* kAdmeshMissing =
    "admesh is missing: install the Debian package admesh (scripts/install-deps.sh)";

inline bool AdmeshInstalled() { return std::system("command -v admesh >/dev/null 2>&1") == 0; }

// admesh's whole output: it checks and repairs by default and prints a report.
inline std::string RunAdmesh(const std::string& path) { return RunCommand("LC_ALL=C admesh '" + path + "' 2>&1").text; }

// The first number after "name :" in the report: the Original column where there are two.
inline double ReportValue(const std::string& report, const std::string& name) {
  std::smatch match;
  if (!std::regex_search(report, match, std::regex(name + R"(\s*:\s*(-?[0-9.]+))"))) {
    ADD_FAILURE() << "No \"" << name << "\" in admesh's report:\n" << report;
    return -1;
  }
  return std::stod(match[1].str());
}

// The area of the tube's end ring and its height, from the tessellated points.
inline double TubeVolume(const CSurfaceObject& tube) {
  std::vector<Vector3> padded;
  int paddedRows = 0;
  int paddedColumns = 0;
  ExtendSurfaceNet(tube.points.data(), tube.rows, tube.columns, 0, 0, tube.closedU, 0, 0,
                   tube.closedV, &padded, &paddedRows, &paddedColumns);
  std::vector<Vector3> grid;
  int rows = 0;
  int columns = 0;
  TessellateSurface(kBSplineBasis, padded.data(), paddedRows, paddedColumns, &grid, nullptr,
                    nullptr, &rows, &columns, tube.outputStepsU, tube.outputStepsV, 0);
  double twiceArea = 0;
  for (int i = 0; i + 1 < rows; ++i) {
    const Vector3 a = grid[static_cast<std::size_t>(i * columns)];
    const Vector3 b = grid[static_cast<std::size_t>(((i + 1) % (rows - 1)) * columns)];
    twiceArea += double(a.x) * b.y - double(b.x) * a.y;
  }
  const double height = double(grid[static_cast<std::size_t>(columns - 1)].z) - grid[0].z;
  return twiceArea / 2 * height;
}

