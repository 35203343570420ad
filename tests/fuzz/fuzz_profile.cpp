#include "fuzz_profile.h"

#include <QApplication>
#include <QSettings>

#include <filesystem>
#include <system_error>

#include "fuzz_support.h"

namespace {

// Made once and kept until the process ends: Qt's own globals may be gone by static destruction.
void EnsureApplication() {
  static int argc = 1;
  static char name[] = "lumidrex-fuzz";
  static char* argv[] = {name, nullptr};
  static QApplication* application = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(argc, argv);
  }();
  (void)application;
}

}  // namespace

FuzzProfile::FuzzProfile(const std::uint8_t* data, std::size_t size) {
  EnsureApplication();
  static unsigned inputNumber = 0;
  const std::string name = "profile-" + std::to_string(inputNumber++);
  folder_ = FuzzProgramFolder() + name;
  std::filesystem::create_directories(folder_ + "/Kelmora");
  WriteFuzzFile(name + "/Kelmora/Lumidrex.conf", data, size);
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(folder_));
  platform_ = std::make_unique<QtPlatform>();
}

FuzzProfile::~FuzzProfile() {
  platform_.reset();
  // No event loop runs between inputs: what the input's widgets left for deletion goes now.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}
