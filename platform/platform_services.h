#pragma once

class UiServices;
class CommonDialogs;
class SettingsStore;
class Launcher;
class InputMonitor;
class HeadlessPlatform;

// The backends the program talks to. None is ever null: the headless backend stands in for every
// service until the program installs its own.
struct PlatformServices {
  UiServices* ui = nullptr;
  CommonDialogs* dialogs = nullptr;
  SettingsStore* settings = nullptr;
  Launcher* launcher = nullptr;
  InputMonitor* input = nullptr;
};

const PlatformServices& Platform();
// Services left null keep the headless stand-in.
void InstallPlatformServices(const PlatformServices& services);

// The program-wide headless backend; tests script it and read what it recorded.
HeadlessPlatform& Headless();

// A fresh headless backend for every service, an empty command queue, the real program folder
// and no picture codecs.
void ResetPlatformState();
