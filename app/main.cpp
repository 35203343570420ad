#include <QApplication>
#include <QMainWindow>

#include <clocale>
#include <cstdlib>

#include "app/core/menu_builder.h"
#include "app/qt/app_dialog_views.h"
#include "kernel/gem_library.h"
#include "kernel/kernel_state.h"
#include "platform/gl/libgl_calls.h"
#include "platform/qt/qt_platform.h"
#include "scene/gl_table.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  // Qt sets the locale from the environment; numbers in our text files never follow it.
  std::setlocale(LC_NUMERIC, "C");
  ResetKernelState();
  // At exit, before the pooled names its prototypes point into.
  std::atexit([] { GemLibrary.Free(); });

  QtPlatform platform;
  // Shaded views draw through libGL into the process's off-screen EGL frame.
  LibGlCalls gl;
  InstallGlCalls(&gl);
  RegisterAppDialogViews(platform.ui());
  BuildMenus();

  QMainWindow frame;
  frame.setWindowTitle("Lumidrex");
  frame.resize(1024, 768);
  platform.ui().SetMainWindow(&frame);
  frame.showMaximized();
  return application.exec();
}
