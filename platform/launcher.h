#pragma once

#include <string>
#include <vector>

// Starts other programs: pages and documents in the program the desktop associates with them,
// and programs from an argument list, detached and without a shell.
class Launcher {
 public:
  virtual ~Launcher() = default;
  virtual bool OpenUrl(const std::string& url) = 0;
  virtual bool OpenFile(const std::string& path) = 0;
  // arguments[0] is the program.
  virtual bool StartDetached(const std::vector<std::string>& arguments) = 0;
};
