#include <QApplication>
#include <QMainWindow>

#include <clocale>

#include "kernel/kernel_state.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  // Qt sets the locale from the environment; numbers in our text files never follow it.
  std::setlocale(LC_NUMERIC, "C");
  ResetKernelState();

  QMainWindow frame;
  frame.setWindowTitle("Lumidrex");
  frame.resize(1024, 768);
  frame.showMaximized();
  return application.exec();
}
