#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QToolBar>

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "app/qt/program_icon.h"
#include "app/vorn_doc.h"
#include "language_file_writer.h"
#include "scene/scene.h"
#include "scene/view_commands.h"
#include "services/app_settings.h"
#include "shell_test.h"

namespace {

class StartupTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    programFolder.Write("Lumidrex.cfg", std::string_view("DESKPROTO\n"));
    programFolder.Write("test.str", PrefixedLanguageFile("Test", "T:"));
    QSettings profile = Profile();
    profile.setValue(QStringLiteral("Config/LanguageStrings"), QStringLiteral("test.str"));
    profile.setValue(QStringLiteral("View/ZoomFactor"), 0x3E4CCCCD);
  }

  QString FirstPopup() { return frame().menuBar()->actions().value(0)->text(); }
};

TEST_F(StartupTest, TheCommandLineDesignOpensInOneMaximisedChildBeforeTheProfile) {
  const std::string design = WriteDesign("ring.lxd");
  Start({"-style=fusion", design});

  const QList<QMdiSubWindow*> children = frame().MdiArea()->subWindowList();
  ASSERT_EQ(children.size(), 1);
  EXPECT_TRUE(children.front()->isMaximized());
  ASSERT_NE(frame().ActiveDocument(), nullptr);
  EXPECT_EQ(frame().ActiveDocument()->GetTitle(), "ring.lxd");
  ASSERT_NE(GetObjectList(), nullptr);
  EXPECT_EQ(GetObjectList()->GetKind(), 90);

  // The menus were rebuilt in the profile's language once it was read.
  EXPECT_EQ(FirstPopup(), QStringLiteral("T:&File"));
  EXPECT_TRUE(frame().ToolBar(130)->actions().front()->toolTip().startsWith(QStringLiteral("T:")));
  EXPECT_EQ(CfgDeskProto, 1);
  EXPECT_EQ(OneToOneZoom, 0.2f);
}

TEST_F(StartupTest, AnUnreadableDesignSaysSoInEnglishAndTheProgramRunsUntitled) {
  const std::string bad = programFolder.Write("bad.lxd", std::string_view("not a design"));
  QString shown;
  WhenModalOpens([&shown](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    shown = box->text();
    box->accept();
  });
  Start({bad});

  // Still English: the file is opened before the profile names the language.
  EXPECT_EQ(shown, QStringLiteral("Invalid file format!\n") + QString::fromStdString(bad));
  EXPECT_EQ(frame().MdiArea()->subWindowList().size(), 1);
  ASSERT_NE(frame().ActiveDocument(), nullptr);
  EXPECT_EQ(frame().ActiveDocument()->GetTitle(), "Untitled");
  EXPECT_TRUE(frame().windowTitle().startsWith(QStringLiteral("Lumidrex 5.1 - Untitled")));
  EXPECT_EQ(FirstPopup(), QStringLiteral("T:&File"));
}

TEST_F(StartupTest, TheZoomOneToOneScaleSurvivesARestart) {
  Start();
  OneToOneZoom = 0.35f;
  Restart();
  EXPECT_EQ(OneToOneZoom, 0.35f);
  EXPECT_EQ(Profile().value(QStringLiteral("View/ZoomFactor")).toInt(), std::bit_cast<std::int32_t>(0.35f));

  // A scale no calibration could give is not taken.
  Exit();
  Profile().setValue(QStringLiteral("View/ZoomFactor"), std::bit_cast<std::int32_t>(-1.0f));
  Restart();
  EXPECT_EQ(OneToOneZoom, 0.2f);
}

// One icon everywhere: the application's windows, its child windows and the installed desktop
// entry, which names the same installed file.
TEST_F(StartupTest, TheProgramIconServesEveryWindowAndTheDesktopEntry) {
  Start();
  ASSERT_FALSE(ProgramIconSvg().empty());
  EXPECT_FALSE(QApplication::windowIcon().isNull());
  EXPECT_EQ(QApplication::windowIcon().pixmap(32).toImage(), ProgramIcon().pixmap(32).toImage());
  const QList<QMdiSubWindow*> children = frame().MdiArea()->subWindowList();
  ASSERT_FALSE(children.isEmpty());
  EXPECT_EQ(children.front()->windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
  EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("lumidrex"));
  const std::string dataHome = std::getenv("XDG_DATA_HOME");
  const std::vector<std::uint8_t> installed = ReadWholeFile(dataHome + "/icons/hicolor/scalable/apps/lumidrex.svg");
  EXPECT_EQ(std::string(installed.begin(), installed.end()), ProgramIconSvg());
  const std::vector<std::uint8_t> entry = ReadWholeFile(dataHome + "/applications/lumidrex.desktop");
  EXPECT_NE(std::string(entry.begin(), entry.end()).find("\nIcon=lumidrex\n"), std::string::npos);
}

}  // namespace
