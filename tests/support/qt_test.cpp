#include "qt_test.h"

#include <QApplication>
#include <QDialog>
#include <QSettings>
#include <QTimer>

namespace {

// Made once and kept until the process ends: Qt's own globals may be gone by static destruction.
void EnsureApplication() {
  static int argc = 1;
  static char name[] = "lumidrex-test";
  static char* argv[] = {name, nullptr};
  static QApplication* application = new QApplication(argc, argv);
  (void)application;
}

void TryModal(const std::function<void(QWidget*)>& action, int triesLeft) {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal != nullptr && modal->isVisible()) {
    action(modal);
    // A failed expectation must not leave the test waiting on an open window.
    if (QApplication::activeModalWidget() == modal && modal->isVisible()) {
      ADD_FAILURE() << "The modal window stayed open";
      if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        dialog->reject();
      } else {
        modal->close();
      }
    }
  } else if (triesLeft > 0) {
    QTimer::singleShot(0, [action, triesLeft] { TryModal(action, triesLeft - 1); });
  } else {
    ADD_FAILURE() << "No modal window opened";
  }
}

}  // namespace

QtTest::QtTest() { EnsureApplication(); }

void QtTest::SetUp() {
  LumidrexTest::SetUp();
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(settingsFolder_.path()));
  platform_ = std::make_unique<QtPlatform>();
}

void QtTest::TearDown() {
  platform_.reset();
  LumidrexTest::TearDown();
}

void QtTest::WhenModalOpens(std::function<void(QWidget*)> action) {
  QTimer::singleShot(0, [action = std::move(action)] { TryModal(action, 1000); });
}
