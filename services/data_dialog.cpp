#include "services/data_dialog.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "platform/text_encoding.h"
#include "services/ui_utilities.h"

namespace {

// The framework's own messages: fixed texts, not entries of the string table.
constexpr char kEnterNumber[] = "Enter a number.";
constexpr char kEnterInteger[] = "Enter an integer.";

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

}  // namespace

std::string FormatFloatText(float value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%g", static_cast<double>(value));
  return buffer;
}

bool ParseFloatText(const std::string& text, float* value) {
  std::string number = Trimmed(text);
  if (!number.empty() && number.front() == '+') number.erase(0, 1);
  float parsed = 0;
  const char* end = number.data() + number.size();
  const auto [stop, error] = std::from_chars(number.data(), end, parsed, std::chars_format::general);
  if (number.empty() || error != std::errc() || stop != end || !std::isfinite(parsed)) return false;
  *value = parsed;
  return true;
}

bool ParseIntText(const std::string& text, int* value) {
  std::string number = Trimmed(text);
  // One optional sign: from_chars takes a minus but no plus.
  if (!number.empty() && number.front() == '+') {
    number.erase(0, 1);
    if (!number.empty() && number.front() == '-') return false;
  }
  int parsed = 0;
  const char* end = number.data() + number.size();
  const auto [stop, error] = std::from_chars(number.data(), end, parsed);
  if (error != std::errc() || stop != end) return false;
  *value = parsed;
  return true;
}

void CDataDialog::OnInitDialog() { WriteTexts(); }

void CDataDialog::WriteTexts() {
  DataExchange dx(*this, DataExchange::Direction::kToTexts);
  DoDataExchange(dx);
}

bool CDataDialog::Validate() {
  failedField = 0;
  DataExchange dx(*this, DataExchange::Direction::kValidate);
  DoDataExchange(dx);
  return !dx.failed();
}

void CDataDialog::ReadBackQuietly() {
  DataExchange dx(*this, DataExchange::Direction::kQuiet);
  DoDataExchange(dx);
}

void DataExchange::Fail(const std::string& message) {
  failed_ = true;
  dialog_.failedField = lastField_;
  ShowMessageBox(message);
}

void DDX_Text(DataExchange& dx, int id, float& value) {
  if (dx.failed_) return;
  dx.lastField_ = id;
  std::string& text = dx.dialog_.texts[id];
  if (dx.direction_ == DataExchange::Direction::kToTexts) {
    text = FormatFloatText(value);
  } else if (!ParseFloatText(text, &value) && dx.Checking()) {
    dx.Fail(kEnterNumber);
  }
}

void DDX_Text(DataExchange& dx, int id, int& value) {
  if (dx.failed_) return;
  dx.lastField_ = id;
  std::string& text = dx.dialog_.texts[id];
  if (dx.direction_ == DataExchange::Direction::kToTexts) {
    text = std::to_string(value);
  } else if (!ParseIntText(text, &value) && dx.Checking()) {
    dx.Fail(kEnterInteger);
  }
}

void DDX_Text(DataExchange& dx, int id, std::string& value) {
  if (dx.failed_) return;
  dx.lastField_ = id;
  std::string& text = dx.dialog_.texts[id];
  if (dx.direction_ == DataExchange::Direction::kToTexts) {
    text = value;
  } else {
    value = text;
  }
}

void DDV_MinMaxFloat(DataExchange& dx, float value, float low, float high) {
  if (!dx.Checking() || (value >= low && value <= high)) return;
  dx.Fail("Enter a number between " + FormatFloatText(low) + " and " + FormatFloatText(high) + ".");
}

void DDV_MinMaxInt(DataExchange& dx, int value, int low, int high) {
  if (!dx.Checking() || (value >= low && value <= high)) return;
  dx.Fail("Enter an integer between " + std::to_string(low) + " and " + std::to_string(high) + ".");
}

void DDV_MaxChars(DataExchange& dx, const std::string& value, int count) {
  if (!dx.Checking() || Utf8CharCount(value) <= static_cast<std::size_t>(count)) return;
  dx.Fail("Enter no more than " + std::to_string(count) + " characters.");
}

void DDV_Number(DataExchange& dx, const std::string& text, float& value) {
  if (dx.failed_ || dx.direction_ == DataExchange::Direction::kToTexts) return;
  if (!ParseFloatText(text, &value) && dx.Checking()) dx.Fail(kEnterNumber);
}
