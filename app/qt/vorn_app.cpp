#include "app/qt/vorn_app.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QToolBar>

#include <clocale>
#include <filesystem>
#include <iostream>

#include "app/app_profile.h"
#include "app/command_table.h"
#include "app/desktop_registration.h"
#include "app/document_policy.h"
#include "app/qt/app_dialog_views.h"
#include "app/qt/cursor_art.h"
#include "app/qt/hotkey_loading.h"
#include "app/qt/key_stroke.h"
#include "app/qt/main_frame.h"
#include "app/qt/program_icon.h"
#include "app/qt/splash_wnd.h"
#include "app/qt/standard_commands.h"
#include "app/recent_file_list.h"
#include "app/vorn_doc.h"
#include "kernel/kernel_state.h"
#include "platform/command_queue.h"
#include "platform/gl/libgl_calls.h"
#include "platform/qt/qt_platform.h"
#include "render/view_renderer.h"
#include "scene/active_view_renderer.h"
#include "scene/background_image_dialog.h"
#include "scene/gl_table.h"
#include "scene/pending_views.h"
#include "scene/tool_framework.h"
#include "scene/view_background.h"
#include "services/bmp_picture_codec.h"
#include "services/file_names.h"
#include "services/hotkey_table.h"
#include "services/menu_builder.h"
#include "services/resource_strings.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

namespace {

constexpr int kSplashAtStartMs = 1000;
constexpr int kNoHomePageMessage = 10021;  // "Lumidrex has no home page."

}  // namespace

CVornApp::CVornApp(int& argc, char** argv) {
  // A desktop's global menu would take the bar out of the window.
  QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
  if (QApplication::instance() == nullptr) application_ = std::make_unique<QApplication>(argc, argv);
  // Every window, the task switcher and the desktop entry show the program's own icon.
  QApplication::setWindowIcon(ProgramIcon());
  QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopName));
  // Qt sets the locale from the environment; numbers in our text files never follow it.
  std::setlocale(LC_NUMERIC, "C");
  // Qt has taken its own options out of argv by now.
  for (int i = 1; i < argc; ++i) arguments_.emplace_back(argv[i]);
}

CVornApp::~CVornApp() {
  if (mainFrame_) ExitInstance();
}

bool CVornApp::InitInstance() {
  // 1. The program-wide state, in this order: the kernel's object kinds, the platform, OpenGL and
  // the software renderer of the shaded modes, the dialogs' views, the tool cursors, the tool framework (no view is active yet) and the
  // command queue's router.
  ResetKernelState();
  BackgroundImageRecord_Init();
  platform_ = std::make_unique<QtPlatform>();
  RegisterBmpPictureCodec();
  gl_ = std::make_unique<LibGlCalls>();
  InstallGlCalls(gl_.get());
  RegisterActiveViewRenderer(&SoftwareRenderActiveView);
  RegisterAppDialogViews(platform_->ui());
  RegisterToolCursors(platform_->ui());
  StartToolFramework();
  ProgramCommandRouter().SetChain([this] { return RoutingChain(); });
  ProgramCommandQueue().SetDispatcher([this](int id) { mainFrame_->OnCommand(id); });
  for (const int id : RegisterCommandRows()) std::cerr << "Command " << id << " has more than one row\n";
  AddCommandRows();
  QApplication::instance()->installEventFilter(this);
  // 2. No document template: the main frame makes each child window with its view itself.
  // 3. The main frame, the program's main window.
  mainFrame_ = std::make_unique<CMainFrame>();
  platform_->ui().SetMainWindow(mainFrame_.get());
  platform_->ui().SetStatusPane(mainFrame_->StatusPane());
  SetMenuFrame(mainFrame_.get());
  // 4. The main frame accepts dropped files from its construction on.
  // 5. The desktop opens designs with this program.
  RegisterDesktopFileType(QApplication::applicationFilePath().toStdString(), ProgramIconSvg());
  // 6.
  ParseCommandLine();
  // 7. The settings are not read yet: English.
  BuildMenus();
  // 8. The design named on the command line, else a new one; a design that cannot be read says
  // why and start-up goes on with the new one.
  OpenStartupDocument(*mainFrame_, commandLineFile_);
  // 9.
  LoadAppSettings(platform_->settings());
  ResetBackgroundColor();
  ProgramRecentFiles().Load(platform_->settings());
  mainFrame_->LoadBarState();
  // 10. In the profile's language.
  BuildMenus();
  // 11.
  LoadHotkeys(*mainFrame_);
  // 12. Child windows never bring menus of their own: the one bar serves every window.
  // 13. No window manager maximises the window under a bare X server: it starts at full size.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    mainFrame_->setGeometry(screen->availableGeometry());
  }
  mainFrame_->showMaximized();
  if (QMdiSubWindow* child = mainFrame_->MdiArea()->currentSubWindow()) child->showMaximized();
  mainFrame_->OnUpdateFrameTitle();
  // 14.
  CSplashWnd::ShowSplashScreen(mainFrame_.get(), kSplashAtStartMs);
  return true;
}

int CVornApp::ExitInstance() {
  if (!mainFrame_) return 0;
  mainFrame_->DestroyWindow();
  SaveAppSettings(platform_->settings());
  ProgramRecentFiles().Save(platform_->settings());
  platform_->settings().Sync();

  QApplication::instance()->removeEventFilter(this);
  ProgramCommandQueue().SetDispatcher(nullptr);
  ProgramCommandRouter().SetChain(nullptr);
  SetMenuFrame(nullptr);
  platform_->ui().SetMainWindow(nullptr);
  platform_->ui().SetStatusPane(nullptr);
  mainFrame_.reset();
  ResetBackgroundImageDialog();
  BackgroundImageRecord_Free();
  InstallGlCalls(nullptr);
  gl_.reset();
  platform_.reset();
  return 0;
}

void CVornApp::ParseCommandLine() {
  for (const std::string& argument : arguments_) {
    if (argument.empty() || argument.front() == '-') continue;
    commandLineFile_ = argument;
    return;
  }
}

void CVornApp::AddCommandRows() {
  auto add = [](CommandMap& map, int id, std::function<void()> worker) {
    map.AddRow({id, HandlerKind::kView, std::move(worker)});
  };
  add(commands_, kFileNewCommand, [this] { OnFileNew(); });
  add(commands_, kFileOpenCommand, [this] { OnFileOpen(); });
  add(commands_, kAppAboutCommand, [this] { OnAppAbout(); });
  add(commands_, kHelpHomePageCommand, [this] { OnHelpHomePage(); });

  add(platformDefaults_, kAppExitCommand, [this] { mainFrame_->close(); });
  for (std::size_t slot = 0; slot < RecentFileList::kSize; ++slot) {
    const int id = kFirstRecentFileCommand + static_cast<int>(slot);
    add(platformDefaults_, id, [this, id] { OnOpenRecentFile(id); });
  }
  add(platformDefaults_, kCommandWindowNew, [this] { mainFrame_->OnWindowNew(); });
}

std::vector<CommandHolder*> CVornApp::RoutingChain() {
  CMainFrame* frame = mainFrame_.get();
  if (frame == nullptr) return {&commands_, &platformDefaults_};
  // The child frame holds no command of its own.
  return {frame->ActiveViewCommands(), frame->DocumentCommands(), nullptr, &frame->Commands(), &commands_,
          &platformDefaults_};
}

CVornDoc* CVornApp::OpenDocumentFile(const std::string& path) {
  return ::OpenDocumentFile(*mainFrame_, path);
}

void CVornApp::OnFileNew() { ::OnFileNew(*mainFrame_); }

void CVornApp::OnFileOpen() {
  static int filterIndex = 1;
  // The first Open of a run starts beside the current design, when it has a file.
  const CVornDoc* current = mainFrame_->ActiveDocument();
  const std::string folder =
      current ? std::filesystem::path(current->GetPathName()).parent_path().string() : std::string();
  const std::optional<std::string> path = FileDialogPrompt(1, &filterIndex, DesignFileFilter(), {}, {}, folder);
  if (path) OpenDocumentFile(*path);
}

void CVornApp::OnAppAbout() { CSplashWnd::ShowSplashScreen(mainFrame_.get(), -1); }

void CVornApp::OnHelpHomePage() { ShowMessageBox(GetLocalizedString(kNoHomePageMessage)); }

void CVornApp::OnOpenRecentFile(int id) {
  const std::size_t slot = static_cast<std::size_t>(id - kFirstRecentFileCommand);
  RecentFileList& recent = ProgramRecentFiles();
  if (slot >= recent.Size()) return;
  const std::string path = recent.Paths()[slot];
  OpenOutcome outcome = OpenOutcome::kOpened;
  ::OpenDocumentFile(*mainFrame_, path, &outcome);
  // A design that can no longer be read leaves the list; a cancelled open keeps it.
  if (outcome != OpenOutcome::kFailed) return;
  const auto& paths = recent.Paths();
  for (std::size_t i = 0; i < paths.size(); ++i) {
    if (paths[i] == path) {
      recent.Remove(i);
      return;
    }
  }
}

bool CVornApp::PreTranslateMessage(QObject* target, QEvent* event) {
  if (CSplashWnd::PreTranslateAppMessage(target, event)) return true;
  const bool press = event->type() == QEvent::KeyPress;
  if (!press && event->type() != QEvent::ShortcutOverride) return false;
  auto* widget = qobject_cast<QWidget*>(target);
  if (widget == nullptr || !mainFrame_ || !IsMainWindowKey(widget)) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  const std::optional<KeyStroke> stroke = KeyStrokeFromQt(key->key(), key->modifiers(), key->text());
  const std::optional<int> command = stroke ? ProgramAccelerators().CommandFor(*stroke) : std::nullopt;
  if (!command) return false;
  // Claimed before Qt's shortcuts look, so a hotkey runs rather than a menu mnemonic; the press
  // that follows runs it.
  event->accept();
  if (press) mainFrame_->OnCommand(*command);
  return true;
}

bool CVornApp::IsMainWindowKey(const QWidget* widget) const {
  if (QApplication::activeModalWidget() != nullptr || QApplication::activePopupWidget() != nullptr) return false;
  const QWidget* window = widget->window();
  // A floating toolbar is a window of its own, yet still the main window's.
  return window == mainFrame_.get() ||
         (qobject_cast<const QToolBar*>(window) != nullptr && window->parentWidget() == mainFrame_.get());
}
