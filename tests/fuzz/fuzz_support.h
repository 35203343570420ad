#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "scene/undo_history.h"
#include "scene/viewport.h"

// The libFuzzer entry point that every target defines; the replay driver calls it too.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

// Starts an input from a freshly started program whose program folder is a scratch folder of
// this process holding the build's gem library. Questions nobody scripted are answered Cancel.
void StartFuzzInput();

// The scratch program folder, ending in '/'.
const std::string& FuzzProgramFolder();

// Writes the input as the file name in the scratch program folder; returns its path.
std::string WriteFuzzFile(const std::string& name, const std::uint8_t* data, std::size_t size);

// A finding of a target's own check on what a reader kept: reported like a crash.
[[noreturn]] void FuzzCheckFailed(const char* what);

// A viewport of a document of its own, active while this lives, so that the objects a reader
// adds reach the scene with their undo records and every view is drawn.
class ActiveFuzzView {
 public:
  ActiveFuzzView();
  ~ActiveFuzzView();
  ActiveFuzzView(const ActiveFuzzView&) = delete;
  ActiveFuzzView& operator=(const ActiveFuzzView&) = delete;

  CViewport& pane() { return view_; }

 private:
  class Document : public CUndoHistory {
   public:
    explicit Document(CViewport* view) : view_(view) {}
    CViewport* NextView() override {
      shown_ = !shown_;
      return shown_ ? view_ : nullptr;
    }

   private:
    CViewport* view_;
    bool shown_ = false;
  };

  CViewport view_;
  Document document_{&view_};
};
