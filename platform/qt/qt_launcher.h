#pragma once

#include "platform/launcher.h"

// Pages and documents through the desktop's associations (xdg-open); programs through QProcess.
class QtLauncher : public Launcher {
 public:
  bool OpenUrl(const std::string& url) override;
  bool OpenFile(const std::string& path) override;
  bool StartDetached(const std::vector<std::string>& arguments) override;
};
