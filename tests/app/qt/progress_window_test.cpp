#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "platform/command_queue.h"
#include "qt_test.h"
#include "services/progress.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

namespace {

class ProgressWindowTest : public QtTest {
 protected:
  static QDialog* Window() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* dialog = qobject_cast<QDialog*>(widget); dialog != nullptr && dialog->isVisible() &&
                                                          dialog->findChild<QProgressBar*>() != nullptr) {
        return dialog;
      }
    }
    return nullptr;
  }
};

TEST_F(ProgressWindowTest, TheCaptionAndTheBarFollowTheSteps) {
  CProgress progress;
  ASSERT_TRUE(progress.Open(200, "T", 1));
  QDialog* window = Window();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowModality(), Qt::ApplicationModal);
  for (int i = 0; i < 100; ++i) progress.StepIt();
  EXPECT_EQ(window->windowTitle(), QStringLiteral("T 50%"));
  // Shown inside the window too, for desktops that draw dialogs without a title bar.
  ASSERT_NE(window->findChild<QLabel*>(), nullptr);
  EXPECT_EQ(window->findChild<QLabel*>()->text(), QStringLiteral("T 50%"));
  EXPECT_EQ(window->findChild<QPushButton*>()->text(), QString::fromStdString(GetLocalizedString(2)));
  EXPECT_EQ(window->findChild<QProgressBar*>()->value(), 100);
  EXPECT_EQ(window->findChild<QProgressBar*>()->maximum(), 200);
  progress.Close();
  EXPECT_EQ(Window(), nullptr);
}

TEST_F(ProgressWindowTest, EnterAndEscDoNotCloseTheWindowAndEscNotesCancel) {
  CProgress progress;
  progress.Open(10, "T", 1);
  QDialog* window = Window();
  ASSERT_NE(window, nullptr);
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QCoreApplication::sendEvent(window, &enter);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(progress.dialog()->cancelPressed, 0);
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::sendEvent(window, &escape);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(progress.dialog()->cancelPressed, 1);
  window->close();
  EXPECT_TRUE(window->isVisible());
}

TEST_F(ProgressWindowTest, ACommandPostedDuringAStepRunsOnceAfterClose) {
  std::vector<int> ran;
  ProgramCommandQueue().SetDispatcher([&](int id) { ran.push_back(id); });
  CProgress progress;
  progress.Open(4, "T", 1);
  SendCommand(3600);
  for (int i = 0; i < 4; ++i) progress.StepIt();  // each step pumps events
  EXPECT_TRUE(ran.empty());
  progress.Close();
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  EXPECT_EQ(ran, (std::vector<int>{3600}));
}

}  // namespace
