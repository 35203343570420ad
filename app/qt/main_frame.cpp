#include "app/qt/main_frame.h"

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QSize>
#include <QToolBar>

#include "app/help_file.h"
#include "app/qt/menu_bar_mirror.h"
#include "app/qt/qt_mdi_host.h"
#include "app/qt/repeat_tool_bar.h"
#include "app/qt/standard_commands.h"
#include "app/qt/toolbar_art.h"
#include "app/qt/toolbar_layout.h"
#include "app/qt/toolbar_state.h"
#include "app/recent_file_list.h"
#include "app/toolbar_texts.h"
#include "app/vorn_doc.h"
#include "services/resource_strings.h"
#include "services/string_table.h"

namespace {

constexpr int kIdleRefreshMs = 250;

const ToolBarLayout* LayoutOf(int resource) {
  for (const ToolBarLayout& layout : MainFrameToolBars()) {
    if (layout.resource == resource) return &layout;
  }
  return nullptr;
}

}  // namespace

CMainFrame::CMainFrame() {
  mdiArea_ = new QMdiArea(this);
  setCentralWidget(mdiArea_);
  mdiHost_ = std::make_unique<QtMdiHost>(mdiArea_);
  // One stretching pane for the status text; hover prompts cover it for a moment.
  statusPane_ = new QLabel(this);
  statusBar()->addWidget(statusPane_, 1);
  CreateToolBars();
  ResetToolBars();
  viewToolBar_->SetRepeatCommands();
  AddCommandRows();
  setAcceptDrops(true);
  // Marks and enabled states of the toolbars follow what changes between commands as well.
  connect(&idleRefresh_, &QTimer::timeout, this, [this] { RefreshToolBarStates(); });
  idleRefresh_.start(kIdleRefreshMs);
  OnUpdateFrameTitle();
}

CMainFrame::~CMainFrame() { DestroyChildFrames(); }

void CMainFrame::CreateToolBars() {
  for (const ToolBarLayout& layout : MainFrameToolBars()) {
    QToolBar* bar = layout.resource == kViewToolBarResource ? (viewToolBar_ = new CRepeatToolBar(this))
                                                            : new QToolBar(this);
    bar->setObjectName(ToolBarObjectName(layout.resource));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    // Small buttons, so General, View and File share one row on a common screen width.
    bar->setIconSize(QSize(16, 16));
    for (const int id : layout.buttons) {
      if (id == 0) {
        bar->addSeparator();
        continue;
      }
      QAction* action = bar->addAction(ToolbarIcon(id), QString());
      action->setData(id);
      connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    }
    toolBars_[layout.resource] = bar;
  }
}

void CMainFrame::AddCommandRows() {
  auto add = [this](int id, std::function<void()> worker) {
    commands_.AddRow({id, HandlerKind::kView, std::move(worker)});
  };
  add(kResetToolBarsCommand, [this] { ResetToolBars(); });
  for (const ToolBarLayout& layout : MainFrameToolBars()) {
    const int command = layout.toggleCommand;
    add(command, [this, command] { ToggleToolBar(command); });
    commands_.AddCheck(command, [this, command] { return !ToolBarOfCommand(command)->isHidden(); });
  }
  add(kHelpContentsCommand, [] { OpenHelpFile(); });
  add(kContextHelpCommand, [] { OpenHelpFile(); });
  documentCommands_.AddRow({kFileSaveCommand, HandlerKind::kView, [this] { OnFileSave(*this); }});
  documentCommands_.AddRow({kFileSaveAsCommand, HandlerKind::kView, [this] { OnFileSaveAs(*this); }});
}

QToolBar* CMainFrame::ToolBar(int resource) const {
  const auto found = toolBars_.find(resource);
  return found != toolBars_.end() ? found->second : nullptr;
}

QToolBar* CMainFrame::ToolBarOfCommand(int command) const {
  for (const ToolBarLayout& layout : MainFrameToolBars()) {
    if (layout.toggleCommand == command) return ToolBar(layout.resource);
  }
  return nullptr;
}

void CMainFrame::ToggleToolBar(int command) {
  QToolBar* bar = ToolBarOfCommand(command);
  bar->setVisible(bar->isHidden());
  BreakTopRowAsNeeded();
}

void CMainFrame::ResetToolBars() {
  for (const int resource : ToolBarDockingOrder()) {
    QToolBar* bar = ToolBar(resource);
    // A frame not yet shown hides its bars too: only a bar hidden on purpose stays hidden.
    const bool shown = !(bar->isHidden() && bar->testAttribute(Qt::WA_WState_ExplicitShowHide));
    removeToolBar(bar);
    addToolBar(LayoutOf(resource)->area, bar);
    bar->setVisible(shown);
  }
  defaultBarLayout_ = true;
  BreakTopRowAsNeeded();
}

void CMainFrame::BreakTopRowAsNeeded() {
  if (!defaultBarLayout_) return;
  // Rows filled in docking order: a bar that does not fit after the others starts a new row,
  // unless no row could hold it whole (a row of its own would only cost height).
  int rowWidth = 0;
  for (const int resource : ToolBarDockingOrder()) {
    QToolBar* bar = ToolBar(resource);
    if (toolBarArea(bar) != Qt::TopToolBarArea || bar->isHidden()) continue;
    const int barWidth = bar->sizeHint().width();
    const bool wraps = rowWidth > 0 && rowWidth + barWidth > width() && barWidth <= width();
    rowWidth = wraps ? barWidth : rowWidth + barWidth;
    if (wraps == toolBarBreak(bar)) continue;
    if (wraps) {
      insertToolBarBreak(bar);
    } else {
      removeToolBarBreak(bar);
    }
  }
}

void CMainFrame::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  BreakTopRowAsNeeded();
}

void CMainFrame::SetToolBarTitles() {
  for (const ToolBarLayout& layout : MainFrameToolBars()) {
    QToolBar* bar = ToolBar(layout.resource);
    bar->setWindowTitle(QString::fromStdString(GetLocalizedString(layout.titleString)));
    // The texts follow the language of the string table just built.
    for (QAction* action : bar->actions()) {
      const int id = ActionCommand(action);
      if (id == 0) continue;
      const QString tip = QString::fromStdString(TooltipText(id));
      // A button without art shows the text, where '&' would underline what follows.
      QString shown = tip;
      shown.replace(u'&', QStringLiteral("&&"));
      action->setText(shown);
      action->setIconText(shown);
      action->setToolTip(tip);
      action->setStatusTip(QString::fromStdString(StatusPrompt(id)));
    }
  }
}

void CMainFrame::InstallMenuBar(const MenuItem& bar) {
  MirrorMenuBar(
      menuBar(), bar, [this](int id) { OnCommand(id); }, [this](QMenu* menu) { RefreshMenu(menu); });
  for (QAction* action : menuBar()->findChildren<QAction*>()) {
    if (const int id = ActionCommand(action)) action->setStatusTip(QString::fromStdString(StatusPrompt(id)));
  }
}

void CMainFrame::RefreshAction(QAction* action) {
  const int id = ActionCommand(action);
  if (id == 0) return;
  const CommandRouter& router = ProgramCommandRouter();
  action->setEnabled(router.IsEnabled(id));
  const std::optional<bool> check = router.CommandCheck(id);
  action->setCheckable(check.has_value());
  action->setChecked(check.value_or(false));
}

void CMainFrame::RefreshMenu(QMenu* menu) {
  const RecentFileList& recent = ProgramRecentFiles();
  for (QAction* action : menu->actions()) {
    const int id = ActionCommand(action);
    const int slot = id - kFirstRecentFileCommand;
    if (slot >= 0 && slot < static_cast<int>(RecentFileList::kSize)) {
      const bool listed = static_cast<std::size_t>(slot) < recent.Size();
      action->setVisible(listed);
      if (listed) action->setText(QString::fromStdString(recent.MenuText(slot)));
    }
    RefreshAction(action);
  }
}

void CMainFrame::RefreshToolBarStates() {
  for (const auto& [resource, bar] : toolBars_) {
    for (QAction* action : bar->actions()) RefreshAction(action);
  }
}

void CMainFrame::OnCommand(int id) {
  ProgramCommandRouter().Dispatch(id);
  RefreshToolBarStates();
  // A checkable item has flipped its own mark when it was triggered; the holder's answer counts.
  for (QAction* action : menuBar()->findChildren<QAction*>()) {
    if (ActionCommand(action) == id) RefreshAction(action);
  }
}

QString CMainFrame::FrameTitle() const {
  std::string title = ApplicationTitle() + " - ";
  if (document_ && ActiveChildFrame() != nullptr) title += document_->GetTitle() + "[*]";
  return QString::fromStdString(title);
}

void CMainFrame::OnUpdateFrameTitle() {
  setWindowTitle(FrameTitle());
  // Qt shows the mark of unsaved changes the desktop's way where the title holds "[*]".
  setWindowModified(document_ && ActiveChildFrame() != nullptr && document_->IsModified());
}

void CMainFrame::LoadBarState() {
  const QSettings settings(QStringLiteral("Kelmora"), QStringLiteral("Lumidrex"));
  const std::optional<QByteArray> state = RestorableToolBarState(settings);
  if (state && restoreState(*state, kToolBarStateVersion)) defaultBarLayout_ = false;
}

void CMainFrame::DestroyWindow() {
  idleRefresh_.stop();
  QSettings settings(QStringLiteral("Kelmora"), QStringLiteral("Lumidrex"));
  StoreToolBarState(settings, saveState(kToolBarStateVersion));
  hide();
}
