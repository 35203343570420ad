#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/common_dialogs.h"
#include "platform/input_monitor.h"
#include "platform/launcher.h"
#include "platform/settings_store.h"
#include "platform/ui_services.h"

// Every platform service without a window system: it records what the program showed and
// started, and answers questions and dialogs from a script. A question that nobody scripted is
// reported to onUnscripted and answered Cancel (or No).
class HeadlessPlatform : public UiServices,
                         public CommonDialogs,
                         public SettingsStore,
                         public Launcher,
                         public InputMonitor {
 public:
  struct Message {
    std::string text;
    std::string caption;
    int buttons = kMessageOk;
  };
  struct Launch {
    enum class Kind { kUrl, kFile, kProcess };
    Kind kind = Kind::kUrl;
    std::vector<std::string> arguments;
  };
  struct ProgressRecord {
    bool open = false;
    int windowsOpened = 0;
    int lower = 0;
    int upper = 0;
    int position = 0;
    std::string cancelText;
    std::vector<std::string> captions;  // every caption set, in order
    int pumps = 0;
  };

  // --- Script ---
  // Answers for questions (message boxes with more than OK), in order.
  std::deque<int> messageAnswers;
  std::deque<std::optional<FileDialogAnswer>> fileAnswers;
  std::deque<std::optional<std::uint32_t>> colorAnswers;
  std::deque<std::optional<std::string>> folderAnswers;
  std::deque<std::optional<FontChoice>> fontAnswers;
  // Per dialog name, in order: each sets the model as a user would and returns the button.
  void AnswerDialog(const std::string& name, std::function<int(DialogModel&)> answer);
  // Runs on every pump of an open progress window, as if the user acted meanwhile.
  std::function<void(ProgressWindowClient&)> onProgressPump;
  bool progressWindowFails = false;
  bool hasMainWindow = true;
  std::optional<Picture> viewArea;
  bool launchSucceeds = true;
  std::vector<HeldInput> heldInput;
  std::function<void(const std::string& what)> onUnscripted;

  // --- Record ---
  std::vector<Message> messages;
  std::vector<std::string> statusTexts;
  int waitDepth = 0;
  std::vector<int> toolCursors;
  std::vector<FileDialogRequest> fileRequests;
  std::vector<std::uint32_t> colorRequests;
  std::vector<std::string> folderRequests;  // the start folders
  std::vector<FontChoice> fontRequests;      // the initial choices
  std::vector<std::string> dialogsRun;
  // Modeless windows by dialog name, each open and close in order; the models still open, so
  // that a test presses their buttons.
  std::vector<std::string> modelessOpened;
  std::vector<std::string> modelessClosed;
  std::vector<DialogModel*> modelessOpen;
  std::vector<Launch> launches;
  int polls = 0;
  ProgressRecord progress;
  std::map<std::string, int> settingInts;          // "group/key"
  std::map<std::string, std::string> settingTexts;  // "group/key"

  // UiServices
  bool HasMainWindow() const override { return hasMainWindow; }
  void ShowStatusText(const std::string& text) override { statusTexts.push_back(text); }
  int ShowMessage(const std::string& text, const std::string& caption, int buttons) override;
  void BeginWaitCursor() override { ++waitDepth; }
  void EndWaitCursor() override { --waitDepth; }
  void SetToolCursor(int cursorId) override { toolCursors.push_back(cursorId); }
  bool GrabViewArea(Picture* picture) override;
  int RunDialog(DialogModel& dialog) override;
  void OpenModelessDialog(DialogModel& dialog) override;
  void CloseModelessDialog(DialogModel& dialog) override;
  std::unique_ptr<ProgressWindow> OpenProgressWindow(ProgressWindowClient& client,
                                                     const std::string& cancelText) override;

  // CommonDialogs
  std::optional<FileDialogAnswer> AskFileName(const FileDialogRequest& request) override;
  std::optional<std::uint32_t> AskColor(std::uint32_t initial, CustomColorSet* customColors) override;
  std::optional<std::string> AskFolder(const std::string& startFolder) override;
  std::optional<FontChoice> AskFont(const FontChoice& initial) override;

  // SettingsStore
  int ReadInt(const std::string& group, const std::string& key, int fallback) override;
  void WriteInt(const std::string& group, const std::string& key, int value) override;
  std::string ReadString(const std::string& group, const std::string& key, const std::string& fallback) override;
  void WriteString(const std::string& group, const std::string& key, const std::string& value) override;

  // Launcher
  bool OpenUrl(const std::string& url) override;
  bool OpenFile(const std::string& path) override;
  bool StartDetached(const std::vector<std::string>& arguments) override;

  // InputMonitor
  void Poll() override { ++polls; }
  std::vector<HeldInput> Held() const override { return heldInput; }

 private:
  void Unscripted(const std::string& what) const;
  bool Launched(Launch::Kind kind, std::vector<std::string> arguments);

  std::map<std::string, std::deque<std::function<int(DialogModel&)>>> dialogAnswers_;
  // Names as opened: a model closing from its destructor can no longer say its name.
  std::map<const DialogModel*, std::string> modelessNames_;
};
