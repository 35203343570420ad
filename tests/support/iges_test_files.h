#pragma once

// What the IGES tests share: lines made by the C library from the layouts they are to have, and
// tests/peers/iges_peer, OpenCASCADE as an outside IGES reader and writer, with its report. The test target defines LUMIDREX_IGES_PEER as the program's path, empty when
// OpenCASCADE was not found; a missing peer fails the test with the package to install.

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

// snprintf into a string: the C library's own formatting, independent of ours.
inline std::string PrintfLine(const char* format, auto... values) {
  char text[512];
  std::snprintf(text, sizeof text, format, values...);
  return text;
}

// Runs tests/peers/iges_peer and reads its report.
inline constexpr const char* kIgesPeerMissing =
    "The OpenCASCADE IGES peer was not built: install the Debian package libocct-data-exchange-dev "
    "(scripts/install-deps.sh) and configure again";

// The peer's output, and whether it ran and exited with 0. Paths and numbers only: the arguments
// are quoted but not escaped.
inline bool RunIgesPeer(const std::vector<std::string>& arguments, std::string* output) {
  const std::string peer = LUMIDREX_IGES_PEER;
  if (peer.empty() || access(peer.c_str(), X_OK) != 0) {
    ADD_FAILURE() << kIgesPeerMissing;
    return false;
  }
  std::string command = "'" + peer + "'";
  for (const std::string& argument : arguments) command += " '" + argument + "'";
  std::FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return false;
  output->clear();
  char chunk[4096];
  while (const std::size_t n = std::fread(chunk, 1, sizeof chunk, pipe)) output->append(chunk, n);
  return pclose(pipe) == 0;
}

struct IgesPeerRoot {
  int type = 0;
  int faces = 0;
  int edges = 0;
  std::vector<std::array<double, 5>> points;  // u, v, x, y, z
};

struct IgesPeerReport {
  std::string status;
  int fails = -1;
  int roots = -1;
  int transferred = -1;
  std::vector<IgesPeerRoot> rootReports;
};

// Reads the file with OpenCASCADE, evaluating every face at each (u, v).
inline IgesPeerReport ReadWithIgesPeer(const std::string& path,
                                       const std::vector<std::array<double, 2>>& parameters = {}) {
  std::vector<std::string> arguments = {"read", path};
  for (const auto& pair : parameters) {
    for (const double value : pair) {
      char text[32];
      arguments.emplace_back(text, std::to_chars(text, text + sizeof text, value).ptr);
    }
  }
  IgesPeerReport report;
  std::string output;
  if (!RunIgesPeer(arguments, &output)) {
    ADD_FAILURE() << "The IGES peer failed on " << path << ":\n" << output;
    return report;
  }
  std::istringstream lines(output);
  std::string line;
  while (std::getline(lines, line)) {
    IgesPeerRoot root;
    std::array<double, 5> point{};
    int index = 0;
    if (line.rfind("status=", 0) == 0) {
      report.status = line.substr(7);
    } else if (line.rfind("fail=", 0) == 0) {
      ADD_FAILURE() << "OpenCASCADE on " << path << ": " << line;
    } else if (std::sscanf(line.c_str(), "fails=%d", &report.fails) == 1 ||
               std::sscanf(line.c_str(), "roots=%d transferred=%d", &report.roots, &report.transferred) == 2) {
    } else if (std::sscanf(line.c_str(), "root=%d type=%d faces=%d edges=%d", &index, &root.type, &root.faces,
                           &root.edges) == 4) {
      report.rootReports.push_back(root);
    } else if (std::sscanf(line.c_str(), "point=%d,%lf,%lf,%lf,%lf,%lf", &index, &point[0], &point[1], &point[2],
                           &point[3], &point[4]) == 6 &&
               !report.rootReports.empty()) {
      report.rootReports.back().points.push_back(point);
    }
  }
  return report;
}
