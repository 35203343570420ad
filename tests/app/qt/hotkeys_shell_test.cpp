#include <QApplication>
#include <QDialog>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "app/qt/child_frame.h"
#include "app/qt/hotkeys_dialog_view.h"
#include "app/qt/menu_bar_mirror.h"
#include "app/qt/vorn_view_widget.h"
#include "app/vorn_doc.h"
#include "scene/viewport.h"
#include "scene/vorn_view.h"
#include "services/hotkey_table.h"
#include "services/hotkeys_dialog.h"
#include "shell_test.h"

namespace {

// Keys as the real window gets them: Qt's shortcut handling first, then the key press.
class HotkeysShellTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    Start({WriteDesign("ring.lxd")});
    frame().show();
    QApplication::processEvents();
  }
  CChildFrame* Child() { return frame().ActiveChildFrame(); }
  QWidget* View() { return &Child()->viewWidget(); }
};

TEST_F(HotkeysShellTest, TheDefaultHotkeysRunTheirCommandsAndShowInTheMenus) {
  bool shown = false;
  for (QAction* action : frame().menuBar()->findChildren<QAction*>()) {
    if (ActionCommand(action) == 57603 && action->text() == QStringLiteral("&Save\tCtrl+S")) shown = true;
  }
  EXPECT_TRUE(shown);
  QTest::keyClick(View(), Qt::Key_A);
  EXPECT_EQ(Child()->view().displayMode, kDisplayFastShading);
  ASSERT_EQ(frame().ActiveDocument()->GetTitle(), "ring.lxd");
  QTest::keyClick(View(), Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(frame().ActiveDocument()->GetTitle(), "Untitled");
}

TEST_F(HotkeysShellTest, AnAltHotkeyRunsBeforeTheMenuMnemonic) {
  // Without a hotkey on it, Alt+F is the File menu's mnemonic.
  QApplication::setActiveWindow(&frame());
  ProgramAccelerators().Replace({});
  QTest::keyClick(View(), Qt::Key_F, Qt::AltModifier);
  QWidget* menu = QApplication::activePopupWidget();
  ASSERT_NE(menu, nullptr);
  menu->close();
  QApplication::processEvents();
  // Alt+F: Fast Shading; K: an id no command holds (an old file's 3013 becomes it).
  ProgramAccelerators().Replace({{kHotkeyVirtual | kHotkeyAlt, 0x46, 3103}, {kHotkeyVirtual, 0x4B, 10000}});
  QTest::keyClick(View(), Qt::Key_F, Qt::AltModifier);
  EXPECT_EQ(Child()->view().displayMode, kDisplayFastShading);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  const int type = Child()->view().viewType;
  QTest::keyClick(View(), Qt::Key_K);
  EXPECT_EQ(Child()->view().viewType, type);
}

TEST_F(HotkeysShellTest, KeysTypedInTheHotkeysDialogFireNothing) {
  const int mode = Child()->view().displayMode;
  int lines = 0;
  WhenModalOpens([&lines](QWidget* modal) {
    auto* list = modal->findChild<QListWidget*>();
    ASSERT_NE(list, nullptr);
    lines = list->count();
    QTest::keyClick(list, Qt::Key_A);
    QTest::keyClick(list, Qt::Key_N, Qt::ControlModifier);
    qobject_cast<QDialog*>(modal)->reject();
  });
  frame().OnCommand(1102);
  EXPECT_GT(lines, 100);
  EXPECT_EQ(Child()->view().displayMode, mode);
  EXPECT_EQ(frame().ActiveDocument()->GetTitle(), "ring.lxd");
}

// The list's tabs and the model's measure agree: a later item's text starts under the first's.
TEST_F(HotkeysShellTest, LaterItemsOfAPopupLineUpUnderTheFirst) {
  CHotkeysDlg dialog;
  dialog.OnInitDialog();
  ASSERT_GE(dialog.lines.size(), 2u);
  const QString first = QString::fromStdString(dialog.lines[0]);
  const QString second = QString::fromStdString(dialog.lines[1]);
  ASSERT_TRUE(first.endsWith(QStringLiteral("File - \tNew")));
  ASSERT_TRUE(second.endsWith(QStringLiteral("\tOpen")));
  const QFont font = HotkeyListFont();
  EXPECT_EQ(HotkeyLineX(second, static_cast<int>(second.size() - 4), font),
            HotkeyLineX(first, static_cast<int>(first.size() - 3), font));
}

}  // namespace
