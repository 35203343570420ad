#pragma once

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "manufacturing/slc_reader.h"
#include "modelling/tool_dialog.h"

inline constexpr int kShowSlicesCommand = 9111;

// Misc > Show slices: a modeless window over a slice file whose scroll bar steps through the
// layers; the current layer is the tool's feedback in every view. The file stays open between
// events and each draw reads its layer; only layers read whole when the file was indexed are
// ever read again.
class CShowSliceToolDlg : public CToolDialog {
 public:
  static constexpr char kName[] = "Show Slice";
  static constexpr int kOpenButton = 1001;
  static constexpr int kDrawAllButton = 1002;
  static constexpr int kScrollBarId = 1601;
  static constexpr int kOpenBitmap = 161;
  // Codes of a horizontal scroll.
  static constexpr int kLineLeft = 0;
  static constexpr int kLineRight = 1;
  static constexpr int kPageLeft = 2;
  static constexpr int kPageRight = 3;
  static constexpr int kThumbPosition = 4;
  static constexpr int kThumbTrack = 5;
  static constexpr int kEndScroll = 8;

  // Opens the window and loads the program-wide slice file.
  CShowSliceToolDlg();
  ~CShowSliceToolDlg() override;

  const char* DialogName() const override { return kName; }
  int GetCursorId() const override { return kShowSlicesCommand; }
  void DrawFeedback(int paneButtonBits) override;

  // The bar's buttons (Open, Draw All), each under a call guard on the tool.
  void PressButton(int id);
  // A scroll of the bar; thumb is the thumb's position for the thumb codes.
  void OnHScroll(int code, int thumb);
  // Reads the program-wide slice file and indexes its layers.
  void LoadSliceFile();

  const std::string& Title() const { return title_; }
  int ScrollMin() const { return 0; }
  int ScrollMax() const { return layers() > 0 ? layers() - 1 : 0; }
  int ScrollPosition() const { return scrollPosition_; }
  int layers() const { return static_cast<int>(index_.size()); }
  int CurrentLayer() const { return current_; }
  bool FileOpen() const { return file_ != nullptr; }

  // The window's refresh of its title and scroll bar after the model changed them. Cleared when
  // the window closes.
  std::function<void()> onChanged;

 private:
  struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  void CloseFile();
  void DrawLayer(int layer);
  void DrawAllLayers();
  void ShowChanged();
  std::string LayerTitle() const;

  std::unique_ptr<std::FILE, FileCloser> file_;
  std::unique_ptr<SlcReader> reader_;
  // File positions of the layers read whole.
  std::vector<long> index_;
  float unitFactor_ = 1.0f;
  int current_ = 0;
  int scrollPosition_ = 0;
  std::string baseTitle_;
  std::string title_;
};

// Misc > Show slices: the viewer, as the default tool.
void OnShowSlices();
