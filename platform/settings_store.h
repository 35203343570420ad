#pragma once

#include <string>

// The per-user settings store of the program (groups "Config" and "View").
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual int ReadInt(const std::string& group, const std::string& key, int fallback) = 0;
  virtual void WriteInt(const std::string& group, const std::string& key, int value) = 0;
  virtual std::string ReadString(const std::string& group, const std::string& key,
                                 const std::string& fallback) = 0;
  virtual void WriteString(const std::string& group, const std::string& key, const std::string& value) = 0;
};
