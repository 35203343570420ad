#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "scene/drawing_context.h"
#include "scene/tool.h"

using ToolLog = std::vector<std::string>;

// A tool that notes every call with its arguments, and the colour its feedback is drawn in.
class LoggingTool : public CTool {
 public:
  LoggingTool(std::string name, ToolLog* log) : name_(std::move(name)), log_(log) {}
  void OnLButtonDblClk(int f, int x, int y) override { Note("ldbl", f, x, y); }
  void OnLButtonDown(int f, int x, int y) override { Note("ldown", f, x, y); }
  void OnLButtonUp(int f, int x, int y) override { Note("lup", f, x, y); }
  void OnRButtonDblClk(int f, int x, int y) override { Note("rdbl", f, x, y); }
  void OnRButtonDown(int f, int x, int y) override { Note("rdown", f, x, y); }
  void OnRButtonUp(int f, int x, int y) override { Note("rup", f, x, y); }
  void OnMouseMove(int f, int x, int y) override { Note("move", f, x, y); }
  void DrawFeedback(int paneButtonBits) override {
    const ColorRef color = SetDrawColor(0);
    SetDrawColor(color);
    char text[64];
    std::snprintf(text, sizeof text, "%s feedback bits %d colour %06X", name_.c_str(), paneButtonBits, color);
    log_->push_back(text);
  }

 private:
  void Note(const char* what, int flags, int x, int y) {
    log_->push_back(name_ + " " + what + " flags " + std::to_string(flags) + " at " + std::to_string(x) + "," +
                    std::to_string(y) + " bits " + std::to_string(buttonBits));
  }
  std::string name_;
  ToolLog* log_;
};
