#include "platform/qt/qt_ui_services.h"

#include <QApplication>
#include <QLabel>
#include <QAbstractButton>
#include <QMessageBox>
#include <QStatusBar>

#include <utility>

#include "app/core/ui_utilities.h"
#include "qt_test.h"

namespace {

class QtUiServicesTest : public QtTest {
 protected:
  void SetUp() override {
    QtTest::SetUp();
    auto* views = new QLabel(QStringLiteral("views"));
    views->setAutoFillBackground(true);
    views->setStyleSheet(QStringLiteral("background: rgb(10, 20, 30)"));
    frame.setCentralWidget(views);
    frame.resize(200, 120);
    frame.show();
    platform().ui().SetMainWindow(&frame);
  }
  QMainWindow frame;
};

TEST_F(QtUiServicesTest, StatusTextGoesToTheMainWindowsStatusBar) {
  ShowStatusText("Picking...");
  EXPECT_EQ(frame.statusBar()->currentMessage(), QStringLiteral("Picking..."));
  platform().ui().SetMainWindow(nullptr);
  ShowStatusText("gone");
  EXPECT_EQ(StatusTextCache, "Picking...");
}

TEST_F(QtUiServicesTest, MessageBoxesCarryTheCallersCaptionAndAnswer) {
  WhenModalOpens([](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Lumidrex 5.1"));
    EXPECT_EQ(box->text(), QStringLiteral("Are you sure to Cancel?"));
    box->button(QMessageBox::Yes)->click();
  });
  EXPECT_EQ(ShowMessageBox("Are you sure to Cancel?", ApplicationTitle(), kMessageYesNo), kAnswerYes);
}

TEST_F(QtUiServicesTest, TheSaveQuestionAnswersEachOfItsThreeButtons) {
  const std::pair<QMessageBox::StandardButton, int> cases[] = {
      {QMessageBox::Yes, kAnswerYes}, {QMessageBox::No, kAnswerNo}, {QMessageBox::Cancel, kAnswerCancel}};
  for (const auto& [caseButton, answer] : cases) {
    // clang 14 cannot capture a structured binding.
    const QMessageBox::StandardButton button = caseButton;
    WhenModalOpens([button](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      ASSERT_NE(box, nullptr);
      box->button(button)->click();
    });
    EXPECT_EQ(ShowMessageBox("Save changes to ring.lxd?", ApplicationTitle(), kMessageYesNoCancel), answer);
  }
}

TEST_F(QtUiServicesTest, TheWaitCursorNests) {
  BeginWait();
  BeginWait();
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
  EndWait();
  EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
  EndWait();
  EndWait();
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(QtUiServicesTest, ToolCursorsAndTheViewArea) {
  // Every view shows the tool's cursor, a view added later too; the area around them does not.
  auto* first = new QWidget(frame.centralWidget());
  platform().ui().AddToolCursorWidget(first);
  platform().ui().RegisterToolCursor(7000, QCursor(Qt::CrossCursor));
  platform().ui().SetToolCursor(7000);
  auto* second = new QWidget(frame.centralWidget());
  platform().ui().AddToolCursorWidget(second);
  EXPECT_EQ(first->cursor().shape(), Qt::CrossCursor);
  EXPECT_EQ(second->cursor().shape(), Qt::CrossCursor);
  EXPECT_FALSE(frame.centralWidget()->testAttribute(Qt::WA_SetCursor));
  delete first;
  platform().ui().SetToolCursor(3600);
  EXPECT_EQ(second->cursor().shape(), Qt::ArrowCursor);

  Picture picture;
  ASSERT_TRUE(platform().ui().GrabViewArea(&picture));
  EXPECT_EQ(picture.width, frame.centralWidget()->width());
  EXPECT_EQ(picture.height, frame.centralWidget()->height());
  platform().ui().SetMainWindow(nullptr);
  EXPECT_FALSE(platform().ui().GrabViewArea(&picture));
}

}  // namespace
