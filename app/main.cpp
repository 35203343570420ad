#include <QApplication>

#include <cstdlib>

#include "app/qt/vorn_app.h"
#include "kernel/gem_library.h"

int main(int argc, char** argv) {
  // At exit, before the pooled names its prototypes point into.
  std::atexit([] { GemLibrary.Free(); });
  CVornApp app(argc, argv);
  if (!app.InitInstance()) return 1;
  const int result = QApplication::exec();
  app.ExitInstance();
  return result;
}
