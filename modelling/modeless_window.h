#pragma once

class DialogModel;

// The window of a modeless model: open from Open until Close or the end of the helper. The model
// must outlive the helper, so a model keeps it as a member and closes it in its own destructor.
class ModelessWindow {
 public:
  explicit ModelessWindow(DialogModel& model) : model_(model) {}
  ~ModelessWindow() { Close(); }
  ModelessWindow(const ModelessWindow&) = delete;
  ModelessWindow& operator=(const ModelessWindow&) = delete;

  void Open();
  void Close();
  bool IsOpen() const { return open_; }

 private:
  DialogModel& model_;
  bool open_ = false;
};
