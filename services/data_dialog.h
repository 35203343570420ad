#pragma once

#include <map>
#include <string>

#include "platform/ui_services.h"

class DataExchange;

// A dialog whose edits exchange text with typed members. The model keeps each edit's text by
// control id; the view shows and edits these texts. Opening writes the members into the texts;
// Validate reads them back and checks them, as the OK button does: the view stays open, with the
// focus in failedField, when it fails.
class CDataDialog : public DialogModel {
 public:
  void OnInitDialog() override;
  // The first field that does not read or check fails: its message shows and false returns.
  bool Validate();
  // Reads back what reads, without messages or range checks; a field that does not read keeps
  // its member.
  void ReadBackQuietly();
  // Writes the members into the texts again.
  void WriteTexts();

  std::map<int, std::string> texts;
  int failedField = 0;

 protected:
  virtual void DoDataExchange(DataExchange& dx) = 0;
};

class DataExchange {
 public:
  enum class Direction { kToTexts, kValidate, kQuiet };
  DataExchange(CDataDialog& dialog, Direction direction) : dialog_(dialog), direction_(direction) {}

  bool failed() const { return failed_; }

 private:
  friend void DDX_Text(DataExchange& dx, int id, float& value);
  friend void DDX_Text(DataExchange& dx, int id, int& value);
  friend void DDV_MinMaxInt(DataExchange& dx, int value, int low, int high);
  friend void DDX_Text(DataExchange& dx, int id, std::string& value);
  friend void DDV_MinMaxFloat(DataExchange& dx, float value, float low, float high);
  friend void DDV_MaxChars(DataExchange& dx, const std::string& value, int count);
  friend void DDV_Number(DataExchange& dx, const std::string& text, float& value);
  bool Checking() const { return direction_ == Direction::kValidate && !failed_; }
  void Fail(const std::string& message);

  CDataDialog& dialog_;
  Direction direction_;
  int lastField_ = 0;
  bool failed_ = false;
};

// A float shown with "%g"; read back in the C locale, the whole trimmed text one number.
void DDX_Text(DataExchange& dx, int id, float& value);
// An int shown with "%d"; read back as an optional sign and digits only, within int.
void DDX_Text(DataExchange& dx, int id, int& value);
void DDX_Text(DataExchange& dx, int id, std::string& value);
// Checks the field just exchanged. Float bounds against the float the member holds.
void DDV_MinMaxFloat(DataExchange& dx, float value, float low, float high);
void DDV_MinMaxInt(DataExchange& dx, int value, int low, int high);
// Counts characters, not bytes.
void DDV_MaxChars(DataExchange& dx, const std::string& value, int count);
// A field kept as text that must read as a number: checks the text just exchanged and reads it
// into value (a text that does not read leaves value alone).
void DDV_Number(DataExchange& dx, const std::string& text, float& value);

// "%g" of a float, the way the edits show numbers.
std::string FormatFloatText(float value);
// The number the whole trimmed text reads as, in the C locale; false when it is no finite number.
bool ParseFloatText(const std::string& text, float* value);
// The int the whole trimmed text reads as: an optional sign and digits; false otherwise.
bool ParseIntText(const std::string& text, int* value);
