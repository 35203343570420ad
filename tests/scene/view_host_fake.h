#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/command_queue.h"
#include "scene/pending_views.h"
#include "scene/render_view.h"
#include "scene/scene.h"
#include "scene/tool.h"
#include "scene/view_frame.h"
#include "scene/view_tiling.h"
#include "scene/vorn_view.h"
#include "scene_fixture.h"

class FakeMdiHost;

// A default tool that notes the mouse calls it receives and, for every frame's feedback (one per
// full redraw), whether the frame was drawn as a drag frame.
class RecordingTool : public CTool {
 public:
  void OnLButtonDown(int, int, int) override { calls.push_back("ldown"); }
  void OnLButtonUp(int, int, int) override { calls.push_back("lup"); }
  void OnRButtonDown(int, int, int) override { calls.push_back("rdown"); }
  void OnRButtonUp(int, int, int) override { calls.push_back("rup"); }
  void OnMouseMove(int, int, int) override { calls.push_back("move"); }
  void DrawFeedback(int) override { dragFrames.push_back(DragRedrawFlag); }

  std::vector<std::string> calls;
  std::vector<int> dragFrames;
};

inline RecordingTool* InstallRecordingTool() {
  auto tool = std::make_unique<RecordingTool>();
  RecordingTool* installed = tool.get();
  TheScene.defaultTool = std::move(tool);
  return installed;
}

// A child frame that records what the view and the tilings ask of it.
class FakeFrame : public ViewFrame {
 public:
  explicit FakeFrame(FakeMdiHost* host) : host_(host) {}
  bool IsMinimized() const override { return minimized; }
  bool IsMaximized() const override { return maximized; }
  void Restore() override { minimized = maximized = false; }
  void Maximize() override {
    minimized = false;
    maximized = true;
    ++maximizes;
  }
  void PlaceWithoutActivating(int x, int y, int width, int height) override {
    place = {x, y, width, height};
    ++placements;
  }
  void Activate() override;
  void UpdateTitle() override { ++titleUpdates; }

  bool minimized = false;
  bool maximized = false;
  TileRect place;
  int placements = 0;
  int maximizes = 0;
  int titleUpdates = 0;

 private:
  FakeMdiHost* host_;
};

// The MDI client: its size and the active child frame.
class FakeMdiHost : public MdiHost {
 public:
  int ClientWidth() const override { return width; }
  int ClientHeight() const override { return height; }
  ViewFrame* ActiveFrame() const override { return active; }
  void Tiled(const Tiling&, std::span<ViewFrame* const>) override { ++tilings; }

  int width = 800;
  int height = 600;
  FakeFrame* active = nullptr;
  int tilings = 0;
};

inline void FakeFrame::Activate() { host_->active = this; }

// The window of a view: a frame, scripted queue answers, and counts of hint boxes and presents.
class FakeViewWindow : public ViewWindow {
 public:
  explicit FakeViewWindow(FakeMdiHost* host) : frame(host) {}
  ViewFrame* Frame() override { return &frame; }
  bool MouseMessageWaits() override { return mouseWaits; }
  bool WheelMessageWaits() override { return wheelWaits; }
  void DrawHintBox(DeviceContext&) override { ++hintBoxes; }
  void Present() override { ++presents; }
  void PresentNow() override { ++presentsNow; }

  FakeFrame frame;
  bool mouseWaits = false;
  bool wheelWaits = false;
  int hintBoxes = 0;
  int presents = 0;
  int presentsNow = 0;
};

// A view in its window and frame, listed by the document.
struct HostedView {
  explicit HostedView(FakeMdiHost* host, CUndoHistory* document) : window(host), view(document, &window) {}
  FakeViewWindow window;
  CVornView view;
};

// A main frame reduced to what views need: the MDI client, one document listing its views, and
// the new-window request, which makes a view of the document and activates it.
// Install it once the program state is reset.
class FakeViewHost {
 public:
  void Install() {
    SetMdiHost(&mdi);
    ProgramCommandQueue().SetDispatcher([this](int id) {
      if (id == kCommandWindowNew && canCreateViews) AddView();
    });
  }
  ~FakeViewHost() {
    SetMdiHost(nullptr);
    ProgramCommandQueue().SetDispatcher(nullptr);
  }

  HostedView& AddView() {
    views.push_back(std::make_unique<HostedView>(&mdi, &document));
    HostedView& hosted = *views.back();
    document.views.push_back(&hosted.view);
    hosted.window.frame.Activate();
    hosted.view.OnActivateView(true);
    return hosted;
  }
  void RemoveView(std::size_t index) {
    std::erase(document.views, &views[index]->view);
    views.erase(views.begin() + static_cast<std::ptrdiff_t>(index));
  }
  void Drain() { ProgramCommandQueue().Drain(); }

  FakeMdiHost mdi;
  TestDocument document;
  std::vector<std::unique_ptr<HostedView>> views;
  bool canCreateViews = true;
};

// A test with a fake host and one view in it, active.
class HostedViewTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    host.Install();
    hosted = &host.AddView();
  }
  CVornView& view() { return hosted->view; }
  FakeFrame& frame() { return hosted->window.frame; }

  FakeViewHost host;
  HostedView* hosted = nullptr;
};
