#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A fresh folder for the files of one test, removed with everything in it afterwards.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  // Writes a file of the folder and returns its path.
  std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;
  std::string Write(const std::string& name, std::string_view text) const;
  // Names of the entries in the folder, sorted.
  std::vector<std::string> Entries() const;

 private:
  std::string path_;
};

std::vector<std::uint8_t> ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
