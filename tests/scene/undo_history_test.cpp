#include <gtest/gtest.h>

#include <memory>
#include <new>

#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "scene/scene.h"
#include "scene/tool.h"
#include "scene/undo_history.h"
#include "scene_fixture.h"
#include "services/resource_strings.h"

namespace {

using UndoHistoryTest = SceneTest;

TEST_F(UndoHistoryTest, RecordAfterUndoDropsTheRedoStep) {
  CGeomObject object;
  document.Record(&object, kUndoLevelPushed);
  EXPECT_EQ(document.modified, 1);
  ASSERT_EQ(document.Undo(), 1);
  EXPECT_EQ(object.ObjectState, 1);
  document.BeginStep();
  document.Record(&object, kUndoLevelPushed);
  EXPECT_EQ(document.Redo(), 0);
  EXPECT_EQ(document.Undo(), 1);
  EXPECT_EQ(object.ObjectState, 2);
  EXPECT_EQ(document.Undo(), 0);
}

TEST_F(UndoHistoryTest, AtMost127StepsUndo) {
  CGeomObject object;
  for (int step = 0; step < 130; ++step) {
    document.BeginStep();
    document.Record(&object, kUndoLevelPopped);
  }
  int undone = 0;
  while (document.Undo() == 1) ++undone;
  EXPECT_EQ(undone, 127);
  EXPECT_EQ(object.ObjectState, -127);  // each undo applies its record's -1
  int redone = 0;
  while (document.Redo() == 1) ++redone;
  EXPECT_EQ(redone, 127);
  EXPECT_EQ(object.ObjectState, 0);
}

TEST_F(UndoHistoryTest, StateRecordsInvertArithmetically) {
  struct Case {
    int type, before, afterUndo;
  };
  const Case cases[] = {
      {kUndoAdded, 1, -98}, {kUndoReadded, -98, 1}, {kUndoLevelPushed, -3, -2}, {kUndoLevelPopped, -2, -3}};
  for (const Case& c : cases) {
    CUndoHistory history;
    CGeomObject object;
    object.ObjectState = c.before;
    history.Record(&object, c.type);
    history.Undo();
    EXPECT_EQ(object.ObjectState, c.afterUndo) << "type " << c.type;
    history.Redo();
    EXPECT_EQ(object.ObjectState, c.before) << "type " << c.type;
    history.Undo();
    EXPECT_EQ(object.ObjectState, c.afterUndo) << "type " << c.type;
  }
}

TEST_F(UndoHistoryTest, AddAndChangeOfOneObjectReplayInOrder) {
  CGeomObject object;
  object.ObjectState = 1;
  object.layer = 3;
  document.BeginStep();
  document.Record(&object, kUndoAdded);
  document.Record(&object, kUndoChanged);
  object.layer = 7;  // the change the clone saved the object from

  ASSERT_EQ(document.Undo(), 1);
  // The contents were swapped back first, then the addition was taken away.
  EXPECT_EQ(object.layer, 3);
  EXPECT_EQ(object.ObjectState, 1 - 99);

  ASSERT_EQ(document.Redo(), 1);
  // The state returns first, then the change swaps in again, carrying the state it saved.
  EXPECT_EQ(object.layer, 7);
  EXPECT_EQ(object.ObjectState, 1);
  ASSERT_EQ(document.Undo(), 1);
  EXPECT_EQ(object.layer, 3);
  EXPECT_EQ(object.ObjectState, -98);
}

TEST_F(UndoHistoryTest, ClearAndDestructionFreeEverySavedClone) {
  CGeomObject object;
  {
    CUndoHistory history;
    for (int step = 0; step < 3; ++step) {
      history.BeginStep();
      history.Record(&object, kUndoChanged);
      history.Record(&object, kUndoMarksChanged);
    }
    history.Undo();
    history.Clear();
    EXPECT_EQ(history.Undo(), 0);
    EXPECT_EQ(history.Redo(), 0);
    history.Record(&object, kUndoChanged);
    history.BeginStep();
    history.Record(&object, kUndoChanged);
    history.Undo();
  }  // LeakSanitizer reports any clone left behind.
  SUCCEED();
}

TEST_F(UndoHistoryTest, SceneEntriesUseTheActiveDocument) {
  CGeomObject object;
  BeginUndoStep();
  EXPECT_EQ(UndoOpenStep(), 0);  // nothing recorded since the step began
  RecordUndo(&object, kUndoLevelPushed);
  EXPECT_EQ(document.modified, 1);
  EXPECT_EQ(UndoOpenStep(), 1);
  EXPECT_EQ(object.ObjectState, 1);

  SetActiveView(nullptr);
  RecordUndo(&object, kUndoLevelPushed);
  BeginUndoStep();
  EXPECT_EQ(UndoOpenStep(), 0);
  EXPECT_EQ(object.ObjectState, 1);
}

TEST_F(UndoHistoryTest, CommandsSayWhenTheHistoryEnds) {
  CGeomObject object;
  BeginUndoStep();
  RecordUndo(&object, kUndoLevelPushed);
  EXPECT_EQ(UndoCommand(), 1);
  EXPECT_EQ(UndoCommand(), 0);
  EXPECT_EQ(RedoCommand(), 1);
  EXPECT_EQ(RedoCommand(), 0);
  ASSERT_EQ(Headless().messages.size(), 2u);
  EXPECT_EQ(Headless().messages[0].text, "No more undo!");
  EXPECT_EQ(Headless().messages[1].text, "No more redo!");
  EXPECT_EQ(Headless().messages[0].caption, ApplicationTitle());
  EXPECT_EQ(object.ObjectState, 0);

  SetActiveView(nullptr);
  EXPECT_EQ(UndoCommand(), 0);
  EXPECT_EQ(Headless().messages.size(), 2u);
}

// Running out of memory inside a command or a tool event: the message, and every record the
// work made, in the step it was in and in steps it opened, taken back; the records before it stay.
TEST_F(UndoHistoryTest, RunningOutOfMemoryTakesBackWhatTheWorkDid) {
  CGeomObject before, changed, added;
  BeginUndoStep();
  RecordUndo(&before, kUndoLevelPushed);
  before.ObjectState -= 1;
  RunWithinMemory([&] {
    RecordUndo(&changed, kUndoLevelPushed);
    changed.ObjectState -= 1;
    BeginUndoStep();
    RecordUndo(&added, kUndoAdded);
    throw std::bad_alloc();
  });
  ASSERT_EQ(Headless().messages.size(), 1u);
  EXPECT_EQ(Headless().messages[0].text, "Not enough memory to perform operations!");
  EXPECT_EQ(changed.ObjectState, 0);
  EXPECT_EQ(added.ObjectState, -99);
  EXPECT_EQ(before.ObjectState, -1);
  // The step before the work is the one Undo takes back, and only it.
  EXPECT_EQ(UndoCommand(), 1);
  EXPECT_EQ(before.ObjectState, 0);
  EXPECT_EQ(UndoCommand(), 0);

  // Work that runs out of memory without a document changes nothing but says so.
  SetActiveView(nullptr);
  RunWithinMemory([] { throw std::bad_alloc(); });
  EXPECT_EQ(Headless().messages.size(), 3u);
}

// A tool that makes an object and runs out of memory on every button and move.
class GreedyTool : public CTool {
 public:
  explicit GreedyTool(CGeomObject* object) : object_(object) {}
  void OnLButtonDown(int, int, int) override { Grab(); }
  void OnRButtonUp(int, int, int) override { Grab(); }
  void OnMouseMove(int, int, int) override { Grab(); }

 private:
  void Grab() {
    BeginUndoStep();
    RecordUndo(object_, kUndoAdded);
    throw std::bad_alloc();
  }
  CGeomObject* object_;
};

// The view's mouse handling runs every tool event under the guard: the program goes on, the
// message is shown each time and the object the tool began is gone again.
TEST_F(UndoHistoryTest, ToolEventsThatRunOutOfMemoryLeaveTheDesignAsItWas) {
  CGeomObject made;
  TheScene.defaultTool = std::make_unique<GreedyTool>(&made);
  view.OnLButtonDown(0, 5, 5);
  view.OnMouseMove(0, 6, 6);
  view.OnRButtonDown(0, 6, 6);
  view.OnRButtonUp(0, 6, 6);
  EXPECT_EQ(Headless().messages.size(), 3u);
  EXPECT_EQ(made.ObjectState, -3 * 99);
  EXPECT_EQ(UndoCommand(), 0);
}

}  // namespace
