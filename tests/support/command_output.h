#pragma once

#include <cstdio>
#include <string>

// Everything a shell command writes to its output; its error output too when the command ends in
// 2>&1. Empty when it cannot be started.
inline std::string CommandOutput(const std::string& command) {
  std::string output;
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return output;
  char chunk[4096];
  while (const std::size_t n = std::fread(chunk, 1, sizeof chunk, pipe)) output.append(chunk, n);
  pclose(pipe);
  return output;
}
