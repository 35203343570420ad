#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/qt/qt_platform.h"

// The user's profile as any program may have left it: the input is the whole settings file. Each
// input lies in a folder of its own, so that Qt never serves a cached copy of an earlier one; the
// Qt backends are installed over it as at start-up, on a running QApplication.
class FuzzProfile {
 public:
  FuzzProfile(const std::uint8_t* data, std::size_t size);
  ~FuzzProfile();
  FuzzProfile(const FuzzProfile&) = delete;
  FuzzProfile& operator=(const FuzzProfile&) = delete;

  QtPlatform& platform() { return *platform_; }

 private:
  std::string folder_;
  std::unique_ptr<QtPlatform> platform_;
};
