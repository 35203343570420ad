#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QUrl>
#include <QWindow>

#include <memory>

#include <vector>

#include "app/qt/child_frame.h"
#include "app/qt/menu_bar_mirror.h"
#include "app/qt/repeat_tool_bar.h"
#include "app/recent_file_list.h"
#include "app/vorn_doc.h"
#include "kernel/axis_line_object.h"
#include "scene/scene.h"
#include "scene/undo_history.h"
#include "scene/view_commands.h"
#include "scene/vorn_view.h"
#include "services/ui_utilities.h"
#include "shell_test.h"

namespace {

class MainFrameTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    Start();
  }
  QToolBar* Bar(int resource) { return frame().ToolBar(resource); }
  QAction* Action(int resource, int command) {
    for (QAction* action : Bar(resource)->actions()) {
      if (ActionCommand(action) == command) return action;
    }
    return nullptr;
  }
  bool Checked(int command) { return ProgramCommandRouter().CommandCheck(command).value_or(false); }
  QAction* MenuAction(int command) {
    for (QAction* action : frame().menuBar()->findChildren<QAction*>()) {
      if (ActionCommand(action) == command) return action;
    }
    ADD_FAILURE() << "No menu item " << command;
    return nullptr;
  }
  // The check mark of a menu item as its menu shows it.
  bool MenuChecked(int command) {
    QAction* action = MenuAction(command);
    if (action == nullptr) return false;
    for (QObject* parent = action->parent(); parent != nullptr; parent = parent->parent()) {
      if (auto* menu = qobject_cast<QMenu*>(parent)) emit menu->aboutToShow();
    }
    return action->isChecked();
  }
};

struct ToolBarCase {
  int resource;
  Qt::ToolBarArea area;
  int buttons;
  std::vector<int> separators;  // positions among the bar's items
  int first;
  int last;
};

TEST_F(MainFrameTest, ToolbarsHoldTheirButtonsOnTheirSides) {
  const ToolBarCase cases[] = {
      {130, Qt::TopToolBarArea, 4, {}, 57600, 57669},  {131, Qt::TopToolBarArea, 34, {}, 3002, 3440},
      {132, Qt::TopToolBarArea, 3, {1}, 3600, 57644},  {133, Qt::LeftToolBarArea, 7, {}, 4000, 4006},
      {134, Qt::LeftToolBarArea, 5, {4}, 5000, 5010},  {135, Qt::LeftToolBarArea, 13, {11}, 6000, 6101},
      {136, Qt::RightToolBarArea, 10, {8}, 7000, 7101}, {137, Qt::RightToolBarArea, 6, {}, 8000, 8006},
      {138, Qt::RightToolBarArea, 4, {3}, 9000, 9003},
  };
  for (const ToolBarCase& c : cases) {
    QToolBar* bar = Bar(c.resource);
    ASSERT_NE(bar, nullptr) << c.resource;
    EXPECT_EQ(bar->objectName(), QStringLiteral("ToolBar%1").arg(c.resource));
    EXPECT_EQ(frame().toolBarArea(bar), c.area) << c.resource;
    std::vector<int> separators;
    int buttons = 0;
    const QList<QAction*> items = bar->actions();
    for (int i = 0; i < items.size(); ++i) {
      if (items[i]->isSeparator()) {
        separators.push_back(i);
      } else {
        ++buttons;
      }
    }
    EXPECT_EQ(buttons, c.buttons) << c.resource;
    EXPECT_EQ(separators, c.separators) << c.resource;
    EXPECT_EQ(ActionCommand(items.front()), c.first) << c.resource;
    EXPECT_EQ(ActionCommand(items.back()), c.last) << c.resource;
  }
  // On each side in the listed order: top General, View, File; left Deform, Transform, Copy;
  // right Boolean, Surface, Curve (in a window wide enough for one top row).
  frame().showNormal();
  frame().resize(1600, 900);
  QApplication::processEvents();
  EXPECT_LT(Bar(132)->x(), Bar(131)->x());
  EXPECT_LT(Bar(131)->x(), Bar(130)->x());
  EXPECT_LT(Bar(135)->y(), Bar(134)->y());
  EXPECT_LT(Bar(134)->y(), Bar(133)->y());
  EXPECT_LT(Bar(138)->y(), Bar(137)->y());
  EXPECT_LT(Bar(137)->y(), Bar(136)->y());
  EXPECT_EQ(Bar(130)->windowTitle(), QStringLiteral("File Toolbar"));
}

TEST_F(MainFrameTest, EachToolBarsCommandHidesAndShowsItWithItsCheckMark) {
  for (int command = 3501; command <= 3509; ++command) {
    QToolBar* bar = Bar(130 + command - 3501);
    EXPECT_TRUE(Checked(command)) << command;
    frame().OnCommand(command);
    EXPECT_TRUE(bar->isHidden()) << command;
    EXPECT_FALSE(Checked(command)) << command;
    EXPECT_FALSE(MenuChecked(command)) << command;
    frame().OnCommand(command);
    EXPECT_FALSE(bar->isHidden()) << command;
    EXPECT_TRUE(MenuChecked(command)) << command;
  }
}

// Display modes and directions are choices of one: radio marks, one group each.
TEST_F(MainFrameTest, DisplayModesAndDirectionsAreRadioGroups) {
  const struct {
    int first, last, chosen;
  } groups[] = {{3100, 3105, 3103}, {3200, 3206, 3202}};
  for (const auto& g : groups) {
    frame().OnCommand(g.chosen);
    for (int command = g.first; command <= g.last; ++command) {
      EXPECT_EQ(MenuChecked(command), command == g.chosen) << command;
      for (QAction* action : frame().menuBar()->findChildren<QAction*>()) {
        if (ActionCommand(action) != command) continue;
        ASSERT_NE(action->actionGroup(), nullptr) << command;
        EXPECT_TRUE(action->actionGroup()->isExclusive()) << command;
        EXPECT_EQ(action->actionGroup()->actions().size(), g.last - g.first + 1) << command;
      }
    }
  }
}

// A narrower window starts new rows of top bars rather than hiding buttons behind a chevron.
TEST_F(MainFrameTest, ANarrowWindowPutsTopBarsOnFurtherRows) {
  frame().showNormal();
  for (const int width : {1600, 1000, 700, 1600}) {
    SCOPED_TRACE(width);
    frame().resize(width, 600);
    QApplication::processEvents();
    const std::vector<QToolBar*> top = {Bar(132), Bar(131), Bar(130)};
    for (std::size_t i = 0; i < top.size(); ++i) {
      // Whole whenever the bar alone fits the window.
      if (top[i]->sizeHint().width() <= width) {
        EXPECT_GE(top[i]->width(), top[i]->sizeHint().width()) << i;
      }
      // Still in docking order: to the right on the same row, or on a lower one.
      if (i > 0) {
        EXPECT_TRUE(top[i]->y() > top[i - 1]->y() || top[i]->x() > top[i - 1]->x()) << i;
      }
    }
    if (width == 1600) {
      EXPECT_EQ(top[2]->y(), top[0]->y());
    }
  }
}

TEST_F(MainFrameTest, ResetDocksMovedBarsBackAndKeepsAHiddenOneHidden) {
  frame().addToolBar(Qt::TopToolBarArea, Bar(133));
  frame().addToolBar(Qt::BottomToolBarArea, Bar(138));
  frame().OnCommand(3506);
  frame().OnCommand(3500);
  EXPECT_EQ(frame().toolBarArea(Bar(133)), Qt::LeftToolBarArea);
  EXPECT_EQ(frame().toolBarArea(Bar(138)), Qt::RightToolBarArea);
  EXPECT_TRUE(Bar(135)->isHidden());
  EXPECT_FALSE(Bar(133)->isHidden());
  EXPECT_FALSE(Bar(138)->isHidden());
}

TEST_F(MainFrameTest, TitlesNameTheDocumentAndTheViewDirection) {
  EXPECT_TRUE(frame().windowTitle().startsWith(QStringLiteral("Lumidrex 5.1 - Untitled")));
  CChildFrame* child = frame().ActiveChildFrame();
  ASSERT_NE(child, nullptr);
  // A view that no request asked a type for looks from the front.
  EXPECT_EQ(child->windowTitle(), QStringLiteral("Front (X/Z)"));

  struct Case {
    int type;
    const char* title;
  };
  for (const Case c : {Case{3, "Top (X/Y)"}, Case{9, "3D"}, Case{0, "3D"}}) {
    child->view().viewType = c.type;
    child->UpdateTitle();
    EXPECT_EQ(child->windowTitle(), QString::fromUtf8(c.title)) << c.type;
  }

  frame().MdiArea()->closeAllSubWindows();
  QApplication::processEvents();
  EXPECT_EQ(frame().ActiveChildFrame(), nullptr);
  EXPECT_EQ(frame().FrameTitle(), QStringLiteral("Lumidrex 5.1 - "));
  EXPECT_EQ(frame().windowTitle(), QStringLiteral("Lumidrex 5.1 - "));
  // Without a view its commands have no holder; the application's still have one.
  EXPECT_FALSE(Action(131, 3410)->isEnabled());
  EXPECT_TRUE(Action(130, 57600)->isEnabled());
}

// The desktop's mark of unsaved changes follows the document: a new object sets it, a save
// clears it.
TEST_F(MainFrameTest, TheTitleMarksUnsavedChanges) {
  const QWindow* window = frame().windowHandle();
  ASSERT_NE(window, nullptr);
  // The maximized child window's title follows in the frame's.
  EXPECT_FALSE(frame().isWindowModified());
  EXPECT_TRUE(window->title().startsWith(QStringLiteral("Lumidrex 5.1 - Untitled - ")));

  BeginUndoStep();
  auto line = std::make_unique<CAxisLineObject>();
  AddObject(line, 1);
  EXPECT_TRUE(frame().ActiveDocument()->IsModified());
  EXPECT_TRUE(frame().isWindowModified());
  EXPECT_TRUE(window->title().startsWith(QStringLiteral("Lumidrex 5.1 - Untitled* - ")));

  const std::string path = programFolder.File("ring.lxd");
  ASSERT_TRUE(frame().ActiveDocument()->DoSave(path));
  frame().OnUpdateFrameTitle();
  EXPECT_FALSE(frame().isWindowModified());
  EXPECT_TRUE(window->title().startsWith(QStringLiteral("Lumidrex 5.1 - ring.lxd - ")));
}

TEST_F(MainFrameTest, TheIdleStatusTextComesBackAfterAHoverPrompt) {
  ShowStatusText("Picking...");
  EXPECT_EQ(frame().StatusPane()->text(), QStringLiteral("Picking..."));

  QAction* zoomIn = Action(131, 3410);
  ASSERT_NE(zoomIn, nullptr);
  ASSERT_FALSE(zoomIn->statusTip().isEmpty());
  zoomIn->showStatusText(Bar(131)->widgetForAction(zoomIn));
  EXPECT_EQ(frame().statusBar()->currentMessage(), zoomIn->statusTip());
  EXPECT_TRUE(frame().StatusPane()->isHidden());

  // Leaving the button clears the prompt.
  QStatusTipEvent leave{QString()};
  QApplication::sendEvent(Bar(131)->widgetForAction(zoomIn), &leave);
  EXPECT_TRUE(frame().statusBar()->currentMessage().isEmpty());
  EXPECT_FALSE(frame().StatusPane()->isHidden());
  EXPECT_EQ(frame().StatusPane()->text(), QStringLiteral("Picking..."));
}

TEST_F(MainFrameTest, HoldingARepeatingViewButtonRunsTheRepeatUntilItsRelease) {
  auto* zoomIn = qobject_cast<QAbstractButton*>(Bar(131)->widgetForAction(Action(131, 3410)));
  auto* reset = qobject_cast<QAbstractButton*>(Bar(131)->widgetForAction(Action(131, 3440)));
  ASSERT_NE(zoomIn, nullptr);
  ASSERT_NE(reset, nullptr);
  emit reset->pressed();
  EXPECT_FALSE(frame().ViewToolBar()->Controller().Running());
  emit zoomIn->pressed();
  EXPECT_TRUE(frame().ViewToolBar()->Controller().Running());
  emit zoomIn->released();
  EXPECT_FALSE(frame().ViewToolBar()->Controller().Running());
  EXPECT_EQ(RepeatMultiplier, 1.0f);
}

TEST_F(MainFrameTest, NewWindowAddsAViewOfTheSameDocumentThroughThePostedRequest) {
  CVornDoc* document = frame().ActiveDocument();
  ASSERT_NE(document, nullptr);
  frame().ActiveChildFrame()->view().SetViewType(3, 0);
  // The view asks for a window of its own type; the request runs from the main loop.
  frame().OnCommand(3441);
  QApplication::processEvents();
  ASSERT_EQ(frame().MdiArea()->subWindowList().size(), 2);
  EXPECT_EQ(document->Views().size(), 2u);
  EXPECT_EQ(frame().ActiveDocument(), document);
  for (QMdiSubWindow* window : frame().MdiArea()->subWindowList()) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Top (X/Y)"));
  }
}

TEST_F(MainFrameTest, ClosingWithUnsavedChangesAsksFirst) {
  frame().ActiveDocument()->SetModifiedFlag(true);
  auto cancel = [](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), QStringLiteral("Save changes to Untitled?"));
    box->button(QMessageBox::Cancel)->click();
  };
  WhenModalOpens(cancel);
  EXPECT_FALSE(frame().close());
  EXPECT_TRUE(frame().isVisible());

  // The document's last window asks as well, and stays when cancelled.
  WhenModalOpens(cancel);
  frame().ActiveChildFrame()->close();
  QApplication::processEvents();
  EXPECT_EQ(frame().MdiArea()->subWindowList().size(), 1);

  WhenModalOpens([](QWidget* modal) { qobject_cast<QMessageBox*>(modal)->button(QMessageBox::No)->click(); });
  frame().ActiveChildFrame()->close();
  QApplication::processEvents();
  EXPECT_TRUE(frame().MdiArea()->subWindowList().isEmpty());
  EXPECT_EQ(frame().ActiveDocument(), nullptr);
}

TEST_F(MainFrameTest, HelpItemsWithNothingToShowSaySo) {
  struct HelpCase {
    int command;
    QString text;
  };
  // The program folder holds no help file.
  const QString noHelp =
      QStringLiteral("Cannot open file!\n") + QString::fromStdString(programFolder.File("Lumidrex.chm"));
  const HelpCase cases[] = {{57667, noHelp},
                            {57669, noHelp},
                            {1200, QStringLiteral("Lumidrex has no home page.")}};
  for (const HelpCase& c : cases) {
    SCOPED_TRACE(c.command);
    QAction* item = MenuAction(c.command);
    ASSERT_NE(item, nullptr);
    QString shown;
    WhenModalOpens([&shown](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      ASSERT_NE(box, nullptr);
      shown = box->text();
      box->button(QMessageBox::Ok)->click();
    });
    item->trigger();
    EXPECT_EQ(shown, c.text);
  }
}

TEST_F(MainFrameTest, DroppedDesignsOpenInTurnIntoTheOneWindow) {
  const std::string first = WriteDesign("first.lxd");
  const std::string second = WriteDesign("second.lxd");
  QMimeData files;
  files.setUrls({QUrl::fromLocalFile(QString::fromStdString(first)),
                 QUrl::fromLocalFile(QString::fromStdString(second))});
  // Qt hands a drop to the widget that accepted the drag's entry.
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&frame(), &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&frame(), &drop);
  EXPECT_EQ(frame().MdiArea()->subWindowList().size(), 1);
  EXPECT_EQ(frame().ActiveDocument()->GetTitle(), "second.lxd");
  EXPECT_EQ(ProgramRecentFiles().Paths(), (std::vector<std::string>{second, first}));
}

}  // namespace
