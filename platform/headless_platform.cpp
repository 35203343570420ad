#include "platform/headless_platform.h"

namespace {

std::string SettingKey(const std::string& group, const std::string& key) { return group + "/" + key; }

class HeadlessProgressWindow : public ProgressWindow {
 public:
  HeadlessProgressWindow(HeadlessPlatform& platform, ProgressWindowClient& client)
      : platform_(platform), client_(client) {
    platform_.progress.open = true;
    ++platform_.progress.windowsOpened;
  }
  ~HeadlessProgressWindow() override { platform_.progress.open = false; }

  void SetRange(int lower, int upper) override {
    platform_.progress.lower = lower;
    platform_.progress.upper = upper;
  }
  void SetPosition(int position) override { platform_.progress.position = position; }
  void SetCaption(const std::string& caption) override { platform_.progress.captions.push_back(caption); }
  void PumpEvents() override {
    ++platform_.progress.pumps;
    if (platform_.onProgressPump) platform_.onProgressPump(client_);
  }

 private:
  HeadlessPlatform& platform_;
  ProgressWindowClient& client_;
};

}  // namespace

void HeadlessPlatform::AnswerDialog(const std::string& name, std::function<int(DialogModel&)> answer) {
  dialogAnswers_[name].push_back(std::move(answer));
}

void HeadlessPlatform::Unscripted(const std::string& what) const {
  if (onUnscripted) onUnscripted(what);
}

int HeadlessPlatform::ShowMessage(const std::string& text, const std::string& caption, int buttons) {
  messages.push_back({text, caption, buttons});
  if (buttons == kMessageOk) return kAnswerOk;
  if (messageAnswers.empty()) {
    Unscripted("message box \"" + text + "\"");
    return buttons == kMessageYesNoCancel ? kAnswerCancel : kAnswerNo;
  }
  const int answer = messageAnswers.front();
  messageAnswers.pop_front();
  return answer;
}

bool HeadlessPlatform::GrabViewArea(Picture* picture) {
  if (!viewArea) return false;
  *picture = *viewArea;
  return true;
}

int HeadlessPlatform::RunDialog(DialogModel& dialog) {
  dialogsRun.emplace_back(dialog.DialogName());
  auto& answers = dialogAnswers_[dialog.DialogName()];
  if (answers.empty()) {
    Unscripted(std::string("dialog ") + dialog.DialogName());
    return kAnswerCancel;
  }
  const auto answer = std::move(answers.front());
  answers.pop_front();
  return answer(dialog);
}

void HeadlessPlatform::OpenModelessDialog(DialogModel& dialog) {
  modelessOpened.emplace_back(dialog.DialogName());
  modelessOpen.push_back(&dialog);
  modelessNames_[&dialog] = dialog.DialogName();
}

void HeadlessPlatform::CloseModelessDialog(DialogModel& dialog) {
  if (std::erase(modelessOpen, &dialog) == 0) return;
  modelessClosed.push_back(modelessNames_[&dialog]);
  modelessNames_.erase(&dialog);
}

std::unique_ptr<ProgressWindow> HeadlessPlatform::OpenProgressWindow(ProgressWindowClient& client,
                                                                     const std::string& cancelText) {
  if (progressWindowFails) return nullptr;
  progress.cancelText = cancelText;
  return std::make_unique<HeadlessProgressWindow>(*this, client);
}

std::optional<FileDialogAnswer> HeadlessPlatform::AskFileName(const FileDialogRequest& request) {
  fileRequests.push_back(request);
  if (fileAnswers.empty()) {
    Unscripted("file dialog \"" + request.title + "\"");
    return std::nullopt;
  }
  const auto answer = fileAnswers.front();
  fileAnswers.pop_front();
  return answer;
}

std::optional<std::string> HeadlessPlatform::AskFolder(const std::string& startFolder) {
  folderRequests.push_back(startFolder);
  if (folderAnswers.empty()) {
    Unscripted("folder dialog");
    return std::nullopt;
  }
  const auto answer = folderAnswers.front();
  folderAnswers.pop_front();
  return answer;
}

std::optional<std::uint32_t> HeadlessPlatform::AskColor(std::uint32_t initial, CustomColorSet*) {
  colorRequests.push_back(initial);
  if (colorAnswers.empty()) {
    Unscripted("colour dialog");
    return std::nullopt;
  }
  const auto answer = colorAnswers.front();
  colorAnswers.pop_front();
  return answer;
}

std::optional<FontChoice> HeadlessPlatform::AskFont(const FontChoice& initial) {
  fontRequests.push_back(initial);
  if (fontAnswers.empty()) {
    Unscripted("font dialog");
    return std::nullopt;
  }
  const auto answer = fontAnswers.front();
  fontAnswers.pop_front();
  return answer;
}

int HeadlessPlatform::ReadInt(const std::string& group, const std::string& key, int fallback) {
  const auto found = settingInts.find(SettingKey(group, key));
  return found != settingInts.end() ? found->second : fallback;
}

void HeadlessPlatform::WriteInt(const std::string& group, const std::string& key, int value) {
  settingInts[SettingKey(group, key)] = value;
}

std::string HeadlessPlatform::ReadString(const std::string& group, const std::string& key,
                                         const std::string& fallback) {
  const auto found = settingTexts.find(SettingKey(group, key));
  return found != settingTexts.end() ? found->second : fallback;
}

void HeadlessPlatform::WriteString(const std::string& group, const std::string& key, const std::string& value) {
  settingTexts[SettingKey(group, key)] = value;
}

bool HeadlessPlatform::Launched(Launch::Kind kind, std::vector<std::string> arguments) {
  launches.push_back({kind, std::move(arguments)});
  return launchSucceeds;
}

bool HeadlessPlatform::OpenUrl(const std::string& url) { return Launched(Launch::Kind::kUrl, {url}); }

bool HeadlessPlatform::OpenFile(const std::string& path) { return Launched(Launch::Kind::kFile, {path}); }

bool HeadlessPlatform::StartDetached(const std::vector<std::string>& arguments) {
  return Launched(Launch::Kind::kProcess, arguments);
}
