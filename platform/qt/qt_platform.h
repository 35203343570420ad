#pragma once

#include "platform/qt/qt_common_dialogs.h"
#include "platform/qt/qt_input_monitor.h"
#include "platform/qt/qt_launcher.h"
#include "platform/qt/qt_picture_codec.h"
#include "platform/qt/qt_settings_store.h"
#include "platform/qt/qt_ui_services.h"
#include "platform/qt/qt_window_titles.h"

// Every platform service over Qt, installed for its lifetime (the QApplication must exist). It
// also gives the main loop its turns: held input is replayed and posted commands run only when
// nothing holds the command queue and no input poll is under way. Its dialogs keep their titles
// whole.
class QtPlatform {
 public:
  QtPlatform();
  ~QtPlatform();
  QtPlatform(const QtPlatform&) = delete;
  QtPlatform& operator=(const QtPlatform&) = delete;

  QtUiServices& ui() { return ui_; }
  QtCommonDialogs& dialogs() { return dialogs_; }
  QtSettingsStore& settings() { return settings_; }
  QtInputMonitor& input() { return input_; }

 private:
  void RequestTurn();
  void Turn();

  QtUiServices ui_;
  QtCommonDialogs dialogs_;
  QtSettingsStore settings_;
  QtLauncher launcher_;
  QtInputMonitor input_;
  QtPictureCodec pictures_;
  WholeTitles titles_;
  QObject turnContext_;
  bool turnRequested_ = false;
};
