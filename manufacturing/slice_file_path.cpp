#include "manufacturing/slice_file_path.h"

namespace {

std::string& SliceFilePath() {
  static std::string path;
  return path;
}

}  // namespace

void SetSliceFilePath(const std::string& path) { SliceFilePath() = path; }

const std::string& GetSliceFilePath() { return SliceFilePath(); }
