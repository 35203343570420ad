#pragma once

#include <QSettings>

#include "platform/settings_store.h"

// The settings store of company "Kelmora", program "Lumidrex": an INI file in the user's
// configuration folder (QSettings::setPath moves it, for tests).
class QtSettingsStore : public SettingsStore {
 public:
  QtSettingsStore() : settings_(QStringLiteral("Kelmora"), QStringLiteral("Lumidrex")) {}

  int ReadInt(const std::string& group, const std::string& key, int fallback) override;
  void WriteInt(const std::string& group, const std::string& key, int value) override;
  std::string ReadString(const std::string& group, const std::string& key, const std::string& fallback) override;
  void WriteString(const std::string& group, const std::string& key, const std::string& value) override;

  void Sync() { settings_.sync(); }

 private:
  QSettings settings_;
};
