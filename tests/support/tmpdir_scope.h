#pragma once

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/program_folder.h"

// TMPDIR points at folder for the life of the object, and the exchange folder is settled anew
// under it (and again afterwards).
class TmpDirScope {
 public:
  explicit TmpDirScope(const std::string& folder) {
    if (const char* old = std::getenv("TMPDIR")) previous_ = old;
    ::setenv("TMPDIR", folder.c_str(), 1);
    ResetExchangeFolder();
  }
  ~TmpDirScope() {
    if (previous_) {
      ::setenv("TMPDIR", previous_->c_str(), 1);
    } else {
      ::unsetenv("TMPDIR");
    }
    ResetExchangeFolder();
  }
  TmpDirScope(const TmpDirScope&) = delete;
  TmpDirScope& operator=(const TmpDirScope&) = delete;

 private:
  std::optional<std::string> previous_;
};
