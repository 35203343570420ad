#include "platform/platform_services.h"

#include <memory>

#include "platform/command_queue.h"
#include "platform/headless_platform.h"
#include "platform/picture_file.h"
#include "platform/program_folder.h"

namespace {

std::unique_ptr<HeadlessPlatform>& HeadlessInstance() {
  static std::unique_ptr<HeadlessPlatform> instance = std::make_unique<HeadlessPlatform>();
  return instance;
}

PlatformServices HeadlessServices() {
  HeadlessPlatform* headless = HeadlessInstance().get();
  return {headless, headless, headless, headless, headless};
}

PlatformServices& Installed() {
  static PlatformServices services = HeadlessServices();
  return services;
}

}  // namespace

const PlatformServices& Platform() { return Installed(); }

void InstallPlatformServices(const PlatformServices& services) {
  const PlatformServices headless = HeadlessServices();
  Installed() = {services.ui != nullptr ? services.ui : headless.ui,
                 services.dialogs != nullptr ? services.dialogs : headless.dialogs,
                 services.settings != nullptr ? services.settings : headless.settings,
                 services.launcher != nullptr ? services.launcher : headless.launcher,
                 services.input != nullptr ? services.input : headless.input};
}

HeadlessPlatform& Headless() { return *HeadlessInstance(); }

void ResetPlatformState() {
  HeadlessInstance() = std::make_unique<HeadlessPlatform>();
  Installed() = HeadlessServices();
  ProgramCommandQueue().Reset();
  SetProgramDirOverride("");
  SetUserDataDirOverride("");
  ResetExchangeFolder();
  ClearPictureCodecs();
}
