#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <cstdlib>

#include "platform/command_queue.h"
#include "platform/qt/qt_platform.h"
#include "services/ui_utilities.h"

namespace {

// The renderer and the slicer ask once per row, so the check must stay cheap.
QApplication& Application() {
  static int argc = 1;
  static char name[] = "lumidrex-bench";
  static char* argv[] = {name, nullptr};
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform == nullptr || *platform == '\0') setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QApplication* application = new QApplication(argc, argv);
  return *application;
}

void BM_CheckUserAbortEmptyQueue(benchmark::State& state) {
  Application();
  QtPlatform platform;
  CommandQueueHold job;
  for (auto _ : state) benchmark::DoNotOptimize(CheckUserAbort());
}
BENCHMARK(BM_CheckUserAbortEmptyQueue);

void BM_CheckUserAbortWithHeldInput(benchmark::State& state) {
  Application();
  QtPlatform platform;
  QWidget widget;
  widget.show();
  CommandQueueHold job;
  for (int i = 0; i < 16; ++i) {
    QCoreApplication::postEvent(&widget, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier));
  }
  QCoreApplication::postEvent(&widget, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
  for (auto _ : state) benchmark::DoNotOptimize(CheckUserAbort());
}
BENCHMARK(BM_CheckUserAbortWithHeldInput);

}  // namespace
