#pragma once

#include <string>
#include <string_view>

#include "scratch_file.h"

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder, ending in '/'.
  const std::string& path() const { return path_; }
  std::string File(std::string_view name) const { return path_ + std::string(name); }
  // Writes bytes to a file of the folder and returns its path.
  std::string Write(std::string_view name, const Bytes& bytes) const;
  std::string Write(std::string_view name, std::string_view text) const;

 private:
  std::string path_;
};

// Everything in a file; empty when it cannot be read.
Bytes ReadFileBytes(const std::string& path);
