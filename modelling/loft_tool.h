#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "kernel/surface_object.h"
#include "modelling/tool_dialog.h"

inline constexpr int kLoftSurfaceCommand = 8004;

// Surface > Loft: picked curves and surface rows stack, one after another, into the rows of one
// new surface; the bar's buttons reverse or transpose the section picked last, a right press
// takes it back. The tool owns the growing surface, which stays out of the scene until the tool
// ends with at least two sections; then it is added and the sections are removed.
class CLoftToolDlg : public CToolDialog {
 public:
  static constexpr char kName[] = "Loft Surface";
  static constexpr int kReverseSection = 1001;
  static constexpr int kReverseSurface = 1002;
  static constexpr int kSwapUV = 1003;
  static constexpr int kMaxSections = 256;
  static constexpr int kMaxPoints = 1 << 20;

  CLoftToolDlg();
  ~CLoftToolDlg() override;

  const char* DialogName() const override { return kName; }

  int GetCursorId() const override { return kLoftSurfaceCommand; }
  // Takes back the last section on a right press.
  void OnLButtonDblClk(int flags, int x, int y) override;
  void OnLButtonDown(int flags, int x, int y) override;
  void DrawFeedback(int paneButtonBits) override;

  // The bar's buttons, each under a call guard on the tool.
  void PressButton(int id);

  // "Loft Surface (rows)".
  std::string Caption() const;
  bool ButtonEnabled(int id) const { return enabled_[static_cast<std::size_t>(id - kReverseSection)]; }
  const CSurfaceObject& Loft() const { return *loft_; }
  int SectionCount() const { return static_cast<int>(sections_.size()); }

  // The window's refresh of its caption and buttons after the model changed them. Cleared when
  // the window closes.
  std::function<void()> onChanged;

 protected:
  // Escape and the close box leave the bar open: it closes with the tool.
  void OnCancelButton() override {}

 private:
  struct Section {
    CGeomObject* object;
    int rows;
    int reverseSection = 0;
    int reverseSurface = 0;
    int transposed = 0;
  };

  // Whether the object fits the loft's width (the first one sets width and closed): its rows
  // and whether they are read column by column go into the section.
  bool Fit(CGeomObject* object, Section* section, int* width, int* closed) const;
  void TakeBack();
  void SwapLast();
  // Writes the last section's rows at the end of the grid, after each change.
  void RebuildLast();
  void EnableFor();
  void ShowChanged();

  std::unique_ptr<CSurfaceObject> loft_ = std::make_unique<CSurfaceObject>();
  std::vector<Section> sections_;
  int width_ = 0;
  int closed_ = 0;
  std::array<bool, 3> enabled_{};
};

// Surface > Loft: the bar, as the default tool.
void OnLoftSurface();
