#include "platform/qt/qt_ui_services.h"

#include <QApplication>
#include <QLabel>
#include <QAbstractButton>
#include <QMessageBox>
#include <QWindow>
#include <QPointer>
#include <QStatusBar>
#include <QKeyEvent>

#include <utility>

#include "platform/qt/qt_modeless_dialog.h"
#include "platform/qt/qt_window_titles.h"
#include "qt_test.h"
#include "services/ui_utilities.h"

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

namespace {

// A modeless model whose Cancel closes its own window, as the tool dialogs do.
class ClosingModel : public DialogModel {
 public:
  explicit ClosingModel(QtUiServices& ui) : ui_(ui) {}
  const char* DialogName() const override { return "Closing"; }
  void PressOK() override { ++oks; }
  void PressCancel() override {
    ++cancels;
    ui_.CloseModelessDialog(*this);
  }
  int oks = 0;
  int cancels = 0;

 private:
  QtUiServices& ui_;
};

TEST_F(QtUiServicesTest, AModelessWindowReportsItsButtonsAndGoesWhenTheProgramClosesIt) {
  QtUiServices& ui = platform().ui();
  ui.RegisterModelessView("Closing", [](DialogModel& model, QWidget* parent) {
    return new QtModelessDialog(model, parent);
  });
  ClosingModel model(ui);
  ui.OpenModelessDialog(model);
  QPointer<QWidget> window = ui.ModelessWindow(model);
  ASSERT_FALSE(window.isNull());
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(window->isModal());
  EXPECT_EQ(window->parentWidget(), &frame);
  EXPECT_TRUE(window->windowFlags().testFlag(Qt::Tool));

  static_cast<QDialog*>(window.data())->accept();
  EXPECT_EQ(model.oks, 1);
  EXPECT_TRUE(window->isVisible());
  // Escape (and the close box) cancel; the close from inside the signal deletes it later.
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(window, &escape);
  EXPECT_EQ(model.cancels, 1);
  EXPECT_EQ(ui.ModelessWindow(model), nullptr);
  ASSERT_FALSE(window.isNull());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
  // Closing again, or a model never opened, does nothing.
  ui.CloseModelessDialog(model);
}

}  // namespace

namespace {

TEST_F(QtUiServicesTest, AModelessWindowOpensActiveOverTheMainWindowAndWhereTheUserLeftIt) {
  frame.setGeometry(100, 80, 640, 480);
  QtUiServices& ui = platform().ui();
  ui.RegisterModelessView("Closing", [](DialogModel& model, QWidget* parent) {
    return new QtModelessDialog(model, parent);
  });
  ClosingModel model(ui);
  ui.OpenModelessDialog(model);
  QApplication::processEvents();
  QWidget* window = ui.ModelessWindow(model);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowHandle()->transientParent(), frame.windowHandle());
  EXPECT_TRUE(frame.geometry().contains(window->geometry()));
  // At the top right of the view area.
  const QRect views(frame.centralWidget()->mapToGlobal(QPoint(0, 0)), frame.centralWidget()->size());
  EXPECT_GT(window->x(), views.center().x());
  EXPECT_LT(window->y(), views.center().y());
  EXPECT_EQ(QApplication::activeWindow(), window);

  // Moved by the user, it comes back there for the rest of the run.
  const QPoint moved = frame.pos() + QPoint(30, 40);
  window->move(moved);
  static_cast<QDialog*>(window)->reject();
  ui.OpenModelessDialog(model);
  ASSERT_NE(ui.ModelessWindow(model), nullptr);
  EXPECT_EQ(ui.ModelessWindow(model)->pos(), moved);
  ui.CloseModelessDialog(model);
}

// Each dialog is at least as wide as its title needs, also after the title changes; a message
// box, which sizes itself, too.
TEST_F(QtUiServicesTest, DialogsAreAtLeastAsWideAsTheirTitles) {
  EXPECT_GT(TitleWidth(QStringLiteral("Round Diamond Size")), TitleWidth(QStringLiteral("Round")));
  QDialog dialog(&frame);
  dialog.setWindowTitle(QStringLiteral("Round Diamond Size"));
  new QLabel(QStringLiteral("1"), &dialog);
  dialog.show();
  EXPECT_GE(dialog.width(), TitleWidth(dialog.windowTitle()));
  dialog.setWindowTitle(QStringLiteral("Round Diamond Size of a Much Longer Title"));
  QApplication::processEvents();
  EXPECT_GE(dialog.width(), TitleWidth(dialog.windowTitle()));

  WhenModalOpens([](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    EXPECT_GE(box->width(), TitleWidth(box->windowTitle()));
    box->accept();
  });
  ShowMessageBox("1");
}

}  // namespace
