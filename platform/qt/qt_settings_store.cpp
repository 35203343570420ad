#include "platform/qt/qt_settings_store.h"

namespace {
QString Key(const std::string& group, const std::string& key) {
  return QString::fromStdString(group) + u'/' + QString::fromStdString(key);
}
}  // namespace

int QtSettingsStore::ReadInt(const std::string& group, const std::string& key, int fallback) {
  bool ok = false;
  const int value = settings_.value(Key(group, key), fallback).toInt(&ok);
  return ok ? value : fallback;
}

void QtSettingsStore::WriteInt(const std::string& group, const std::string& key, int value) {
  settings_.setValue(Key(group, key), value);
}

std::string QtSettingsStore::ReadString(const std::string& group, const std::string& key,
                                        const std::string& fallback) {
  return settings_.value(Key(group, key), QString::fromStdString(fallback)).toString().toStdString();
}

void QtSettingsStore::WriteString(const std::string& group, const std::string& key, const std::string& value) {
  settings_.setValue(Key(group, key), QString::fromStdString(value));
}
