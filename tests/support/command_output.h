#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

// What an outside program printed, and how it ended.
struct CommandOutput {
  std::string text;
  // The exit status; -1 when the command could not be run or did not exit.
  int status = -1;
};

// Runs the shell command and collects its standard output.
inline CommandOutput RunCommand(const std::string& command) {
  CommandOutput result;
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  char chunk[4096];
  while (const std::size_t n = std::fread(chunk, 1, sizeof chunk, pipe)) result.text.append(chunk, n);
  const int status = pclose(pipe);
  if (status != -1 && WIFEXITED(status)) result.status = WEXITSTATUS(status);
  return result;
}
