#pragma once

#include <string>

#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "program_state.h"
#include "recording_canvas.h"
#include "scene/drawing_context.h"
#include "scene/scene.h"
#include "scene/viewport.h"
#include "temp_dir.h"

// A view pane that draws on a canvas of its own and counts its full redraws.
class CanvasPane : public CViewport, public CanvasView {
 public:
  ~CanvasPane() override {
    if (GetDrawingView() == this) SetDrawingView(nullptr);
  }
  DeviceContext& DrawingCanvas() override { return canvas; }
  void InvalidateViewportRect() override { ++redraws; }

  RecordingCanvas canvas;
  int redraws = 0;
};

inline int SceneObjectCount() {
  int count = 0;
  for (const CGeomObject* object = GetObjectList(); object != nullptr; object = object->next) ++count;
  return count;
}

inline std::vector<std::string> MessageTexts() {
  std::vector<std::string> texts;
  for (const auto& message : Headless().messages) texts.push_back(message.text);
  return texts;
}

// The next file dialog chooses path; none when the user cancels it.
inline void AnswerFileDialog(std::optional<std::string> path) {
  if (path) {
    Headless().fileAnswers.push_back(FileDialogAnswer{*path, 1});
  } else {
    Headless().fileAnswers.push_back(std::nullopt);
  }
}

class DocumentTest : public LumidrexTest {
 protected:
  TempDir dir;
};
