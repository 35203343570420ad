#pragma once

#include <memory>
#include <vector>

#include "app/command_routing.h"
#include "app/view_command_map.h"
#include "platform/command_queue.h"
#include "program_state.h"
#include "scene/undo_history.h"
#include "scene/vorn_view.h"

// The active view of a document, maximized.
class VornViewTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    view = std::make_unique<CVornView>(&document);
    view->OnSize(kSizeMaximized, 200, 150);
    view->OnActivateView(true);
  }

  CUndoHistory document;
  std::unique_ptr<CVornView> view;
};

// The rows in a front view, dispatched through the router with the view's holder on the chain;
// posted commands run through the router too when the test drains the queue.
class RoutedViewTest : public VornViewTest {
 protected:
  void SetUp() override {
    VornViewTest::SetUp();
    holder = std::make_unique<CommandMap>(BuildViewCommandMap(*view, &heldTwice));
    ProgramCommandRouter().SetChain([this] { return std::vector<CommandHolder*>{holder.get()}; });
    ProgramCommandQueue().SetDispatcher([](int id) { ProgramCommandRouter().Dispatch(id); });
  }

  // The ids BuildViewCommandMap found held twice.
  std::vector<int> heldTwice;
  std::unique_ptr<CommandMap> holder;
};
