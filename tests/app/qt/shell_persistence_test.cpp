#include <QAbstractButton>
#include <QCryptographicHash>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QToolBar>

#include <filesystem>

#include "app/qt/menu_bar_mirror.h"
#include "app/qt/standard_commands.h"
#include "app/recent_file_list.h"
#include "app/vorn_doc.h"
#include "scene/view_commands.h"
#include "services/app_settings.h"
#include "shell_test.h"

namespace {

using ShellPersistenceTest = ShellTest;

// The File menu as it shows when opened: its recent-file items and their texts.
QStringList RecentItems(CMainFrame& frame) {
  QMenu* file = frame.menuBar()->actions().value(0)->menu();
  emit file->aboutToShow();
  QStringList texts;
  for (QAction* action : file->actions()) {
    const int slot = ActionCommand(action) - kFirstRecentFileCommand;
    const bool recentFile = slot >= 0 && slot < static_cast<int>(RecentFileList::kSize);
    if (recentFile && action->isVisible()) texts << action->text();
  }
  return texts;
}

TEST_F(ShellPersistenceTest, RecentFilesToolbarLayoutAndSettingsSurviveARestart) {
  CVornApp& app = Start();
  EXPECT_TRUE(RecentItems(frame()).isEmpty());
  const std::string first = WriteDesign("first.lxd");
  const std::string second = WriteDesign("second.lxd");
  ASSERT_NE(app.OpenDocumentFile(first), nullptr);
  ASSERT_NE(app.OpenDocumentFile(second), nullptr);
  const QStringList listed = {QString::fromStdString("&1 " + second), QString::fromStdString("&2 " + first)};
  EXPECT_EQ(RecentItems(frame()), listed);

  // One bar moved to the bottom, another hidden through its command.
  frame().addToolBar(Qt::BottomToolBarArea, frame().ToolBar(133));
  frame().OnCommand(3509);
  ColorBack = 0x123456;

  // As the user ends it: the window closes before the profile is written.
  EXPECT_TRUE(frame().close());
  Restart();
  EXPECT_EQ(RecentItems(frame()), listed);
  EXPECT_EQ(frame().toolBarArea(frame().ToolBar(133)), Qt::BottomToolBarArea);
  EXPECT_TRUE(frame().ToolBar(138)->isHidden());
  EXPECT_FALSE(frame().ToolBar(137)->isHidden());
  EXPECT_EQ(ColorBack, 0x123456u);
}

// A damaged, foreign or hostile profile costs the user the saved layout and values, never the
// start: the toolbar layout is restored only when it is the bytes this program wrote, in its
// layout version, and of the shape the frame saves.
TEST_F(ShellPersistenceTest, ADamagedProfileStartsWithTheDefaults) {
  Start();
  frame().addToolBar(Qt::BottomToolBarArea, frame().ToolBar(133));
  EXPECT_TRUE(frame().close());
  Exit();
  const QByteArray written = Profile().value(QStringLiteral("ToolBars/State")).toByteArray();
  const QVariant checksum = Profile().value(QStringLiteral("ToolBars/Checksum"));
  ASSERT_GT(written.size(), 40);
  const QByteArray hostile = QByteArray::fromHex(
      "000000ff00000001fd00000000000002e0000002b9000000040000000400000008000000"
      "08fc00000001000000007fffffff");
  struct Case {
    QByteArray state;
    QVariant version;
    QVariant checksum;
  };
  const Case cases[] = {
      {written.left(written.size() / 2), 1, checksum},
      {QByteArray("not a layout"), QVariant(), QVariant()},
      {QByteArray(4096, '\xff'), 1, checksum},
      {QByteArray::fromHex("000000ff00000000fd"), 1, QVariant()},
      {written, 0, checksum},
      {written, 1, QByteArray(64, '0')},
      // One toolbar row of 2^31 - 1 bars, with the checksum anyone can compute: it once held
      // every start inside Qt's restore.
      {hostile, 1, QCryptographicHash::hash(hostile, QCryptographicHash::Sha256).toHex()},
  };
  for (const Case& damaged : cases) {
    SCOPED_TRACE(damaged.state.left(12).toHex().toStdString() + " version " +
                 damaged.version.toString().toStdString());
    {
      QSettings profile = Profile();
      profile.setValue(QStringLiteral("ToolBars/State"), damaged.state);
      profile.setValue(QStringLiteral("ToolBars/Version"), damaged.version);
      profile.setValue(QStringLiteral("ToolBars/Checksum"), damaged.checksum);
      profile.setValue(QStringLiteral("View/ZoomFactor"), QStringLiteral("lots"));
      profile.setValue(QStringLiteral("Recent File List/File1"), QString());
    }
    Restart();
    EXPECT_EQ(frame().toolBarArea(frame().ToolBar(133)), Qt::LeftToolBarArea);
    EXPECT_FALSE(frame().ToolBar(138)->isHidden());
    EXPECT_FLOAT_EQ(OneToOneZoom, 0.2f);
    EXPECT_TRUE(RecentItems(frame()).isEmpty());
    EXPECT_TRUE(frame().close());
    Exit();
  }
}

TEST_F(ShellPersistenceTest, ARecentFileThatCannotBeOpenedLeavesTheListACancelledOneStays) {
  CVornApp& app = Start();
  const std::string design = WriteDesign("ring.lxd");
  ASSERT_NE(app.OpenDocumentFile(design), nullptr);
  ASSERT_EQ(ProgramRecentFiles().Size(), 1u);

  frame().ActiveDocument()->SetModifiedFlag(true);
  WhenModalOpens([](QWidget* modal) { qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Cancel)->click(); });
  frame().OnCommand(kFirstRecentFileCommand);
  EXPECT_EQ(ProgramRecentFiles().Size(), 1u);

  frame().ActiveDocument()->SetModifiedFlag(false);
  std::filesystem::remove(design);
  QString shown;
  WhenModalOpens([&shown](QWidget* modal) {
    shown = qobject_cast<QMessageBox*>(modal)->text();
    qobject_cast<QMessageBox*>(modal)->accept();
  });
  frame().OnCommand(kFirstRecentFileCommand);
  EXPECT_EQ(shown, QStringLiteral("Cannot open file!\n") + QString::fromStdString(design));
  EXPECT_EQ(ProgramRecentFiles().Size(), 0u);
  // The design on screen stays, under its own name.
  EXPECT_EQ(frame().ActiveDocument()->GetTitle(), "ring.lxd");
}

}  // namespace
