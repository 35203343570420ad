#include "app/command_table.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/view_command_map.h"
#include "kernel/mesh_object.h"
#include "modelling/boolean_commands.h"
#include "modelling/curve_command_ids.h"
#include "modelling/curve_repeat_commands.h"
#include "modelling/curve_tool.h"
#include "modelling/extend_tool_dialog.h"
#include "platform/command_queue.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "program_state.h"
#include "routed_view_fixture.h"
#include "scene/input_tools.h"
#include "scene/pick_callback_tool.h"
#include "scene/scene.h"
#include "scene/tool_framework.h"
#include "scene/undo_history.h"
#include "scene/vorn_view.h"
#include "services/menu_builder.h"
#include "services/snap_step.h"
#include "services/string_table.h"

namespace {

// Who answers a command of the file, edit, view-settings and pick table: a registered row of
// either kind, the view's own handler, or another holder of the shell.
enum class Holder { kDirect, kResetFirst, kView, kShell };

struct TableRow {
  int id;
  Holder holder;
  const char* text;     // the menu item; none for an item the menu builder adds at run time
  const char* tooltip;  // the string keyed by the id
};

const TableRow kFileEditViewPick[] = {
    {1000, Holder::kDirect, "&Insert", ""},
    {1001, Holder::kResetFirst, "Save &Views", ""},
    {1002, Holder::kDirect, "Data&base", ""},
    {1003, Holder::kResetFirst, "I&mport", ""},
    {1004, Holder::kResetFirst, "&Export", ""},
    {1100, Holder::kDirect, "&Colors", ""},
    {1101, Holder::kDirect, "&Directories", ""},
    {1102, Holder::kDirect, "&Hotkeys", ""},
    {1103, Holder::kView, "&Language", ""},
    {57600, Holder::kShell, "&New", "New"},
    {57601, Holder::kShell, "&Open", "Open"},
    {57603, Holder::kShell, "&Save", "Save"},
    {57604, Holder::kShell, "Save &As", ""},
    {1200, Holder::kShell, "Lumidrex &Home Page", ""},
    {57664, Holder::kShell, "&About Lumidrex...", ""},
    {57667, Holder::kShell, "&Contents", ""},
    {57669, Holder::kShell, "Context &Sensitive Help", "Help"},
    {57643, Holder::kView, "&Undo", "Undo"},
    {57644, Holder::kView, "&Redo", "Redo"},
    {2000, Holder::kResetFirst, "&Delete", ""},
    {2001, Holder::kResetFirst, "Und&elete", ""},
    {2002, Holder::kResetFirst, "&Hide", ""},
    {2003, Holder::kResetFirst, "Unh&ide", ""},
    {2004, Holder::kResetFirst, "&SwapHide", ""},
    {2100, Holder::kResetFirst, "Hide &CV", ""},
    {2101, Holder::kResetFirst, "Show C&V", ""},
    {2200, Holder::kResetFirst, "Hide &Jewel", ""},
    {2201, Holder::kResetFirst, "Show Je&wel", ""},
    {2202, Holder::kResetFirst, "&Be Jewel", ""},
    {2203, Holder::kResetFirst, "Not Jewe&l", ""},
    {2300, Holder::kResetFirst, "S&uper Subtractor", ""},
    {2301, Holder::kResetFirst, "Not Su&per Subtractor", ""},
    {2400, Holder::kResetFirst, "De&formable", ""},
    {2401, Holder::kResetFirst, "&Non-deformable", ""},
    {2500, Holder::kDirect, "&Object Layers", ""},
    {2600, Holder::kDirect, "&Material", ""},
    {2601, Holder::kDirect, "Create / Edit Ma&terial", ""},
    {3000, Holder::kDirect, "&Background", ""},
    {3001, Holder::kDirect, "&Grid Settings", ""},
    {3002, Holder::kDirect, "Fine Sna&p", "Fine Snap"},
    {3415, Holder::kDirect, "Calibrate", ""},
    {3500, Holder::kShell, "Reset Tool Bars", ""},
    {3501, Holder::kShell, "File", ""},
    {3509, Holder::kShell, "Boolean", ""},
    {3600, Holder::kView, "&Pick", "Pick"},
    {3601, Holder::kDirect, "Pick C&V", ""},
    {3602, Holder::kDirect, "Pick &T-Line", ""},
    {3610, Holder::kResetFirst, "&All", ""},
    {3617, Holder::kResetFirst, "&Facet Object", ""},
    {3100, Holder::kView, "&Quick wire frame", "Quick Wire Frame"},
    {3105, Holder::kView, "Ren&dering", "Rendering"},
    {3200, Holder::kView, "&3D view", "3D"},
    {3204, Holder::kView, "Bac&k view ( X/Z )", "Back"},
    {3206, Holder::kView, "Botto&m View ( X/Y )", "Bottom"},
    {3300, Holder::kView, "Four views : Front/Right/Top/3D", "Front/Right/Top/3D"},
    {3311, Holder::kView, "Front and Top views", "Front/Top"},
    {3400, Holder::kView, "Up", "Pan Up"},
    {3412, Holder::kView, "Box", "Zoom Box"},
    {3414, Holder::kView, "Zoom 1 : 1", "Zoom 1:1"},
    {3431, Holder::kView, "Right", "Roll Right"},
    {3440, Holder::kView, "Reset v&iew", "Reset"},
    {3441, Holder::kView, nullptr, ""},
    {57648, Holder::kShell, "&New view", ""},
};

const MenuItem* FindItem(const MenuItem& menu, int id) {
  for (const MenuItem& item : menu.items) {
    if (item.kind == MenuItem::Kind::kCommand && item.id == id) return &item;
    if (item.kind != MenuItem::Kind::kPopup) continue;
    if (const MenuItem* found = FindItem(item, id)) return found;
  }
  return nullptr;
}

class CommandTableTest : public VornViewTest {
 protected:
  const CommandRow* Registered(int id) const {
    const auto rows = CommandTableRows();
    const auto found = std::find_if(rows.begin(), rows.end(), [id](const CommandRow& row) { return row.id == id; });
    return found != rows.end() ? &*found : nullptr;
  }

};

TEST_F(CommandTableTest, EveryRowHasItsHolderItsKindItsTextAndItsTooltip) {
  std::vector<int> heldTwice;
  const CommandMap viewHolder = BuildViewCommandMap(*view, &heldTwice);
  EXPECT_TRUE(heldTwice.empty());
  EXPECT_TRUE(RegisterCommandRows().empty());
  for (const TableRow& row : kFileEditViewPick) {
    SCOPED_TRACE(row.id);
    const CommandRow* registered = Registered(row.id);
    switch (row.holder) {
      case Holder::kDirect:
      case Holder::kResetFirst:
        ASSERT_NE(registered, nullptr);
        EXPECT_EQ(registered->kind, row.holder == Holder::kDirect ? HandlerKind::kDirect : HandlerKind::kResetFirst);
        EXPECT_TRUE(viewHolder.HasCommand(row.id));
        break;
      case Holder::kView:
        EXPECT_EQ(registered, nullptr);
        EXPECT_TRUE(viewHolder.HasCommand(row.id));
        break;
      case Holder::kShell:
        EXPECT_EQ(registered, nullptr);
        EXPECT_FALSE(viewHolder.HasCommand(row.id));
        break;
    }
    const MenuItem* item = FindItem(CurrentMenuBar(), row.id);
    if (row.text != nullptr) {
      ASSERT_NE(item, nullptr);
      EXPECT_EQ(item->text, row.text);
    } else {
      EXPECT_EQ(item, nullptr);
    }
    EXPECT_EQ(GetLocalizedString(row.id), row.tooltip);
  }
}

TEST_F(CommandTableTest, AnIdRegisteredTwiceIsReported) {
  const CommandRow rows[] = {{1000, HandlerKind::kDirect, [] {}},
                             {3002, HandlerKind::kDirect, [] {}},
                             {1000, HandlerKind::kResetFirst, [] {}},
                             {1000, HandlerKind::kDirect, [] {}}};
  EXPECT_EQ(IdsMetTwice(rows), std::vector<int>{1000});
}

// Direct rows run their worker, then show the tool's cursor; no fresh pick tool comes first.
TEST_F(CommandTableTest, DirectRowsRunTheirWorkerThenSetTheCursor) {
  CommandMap viewHolder = BuildViewCommandMap(*view);
  const float snap = SnapFactor;
  viewHolder.RunCommand(3002);
  EXPECT_NE(SnapFactor, snap);
  // The T-Line and measure tools show their own cursors.
  for (const int id : {3601, 3602, 9041, 9300}) {
    Headless().toolCursors.clear();
    viewHolder.RunCommand(id);
    EXPECT_EQ(GetCurrentToolCursorId(), id);
    EXPECT_EQ(Headless().toolCursors.back(), id);
  }
  // The slice viewer stays the current tool.
  Headless().toolCursors.clear();
  viewHolder.RunCommand(9111);
  EXPECT_EQ(GetCurrentToolCursorId(), 9111);
  EXPECT_EQ(Headless().modelessOpened, std::vector<std::string>{"Show Slice"});
  Headless().fileAnswers.push_back(std::nullopt);
  viewHolder.RunCommand(1000);
  EXPECT_EQ(Headless().fileRequests.size(), 1u);

  // The settings dialogs and the direct manufacturing ones open straight away, without a fresh
  // pick tool, so Cancel keeps the tool.
  const struct {
    int id;
    const char* dialog;
  } dialogs[] = {{1002, "Database"},         {1101, "Directories"},     {3000, "BackgroundImage"},
                 {3001, "GridSetting"},      {3415, "ZoomCalibration"}, {9110, "Cutting into Slices"},
                 {9200, "Estimate Weight"}, {9301, "Ring Size"}};
  for (const auto& [id, dialog] : dialogs) {
    Headless().AnswerDialog(dialog, [](DialogModel&) { return kAnswerCancel; });
    Headless().toolCursors.clear();
    viewHolder.RunCommand(id);
    EXPECT_EQ(Headless().dialogsRun.back(), dialog);
    EXPECT_EQ(Headless().toolCursors.size(), 1u) << id;
  }
}

TEST_F(CommandTableTest, CurveRowsHaveTheirKindAndEveryViewHoldsThem) {
  struct Row {
    int id;
    HandlerKind kind;
  };
  const Row rows[] = {
      {kSketchCurveCommand, HandlerKind::kDirect},       {kCurveCloseCommand, HandlerKind::kDirect},
      {kCurveOpenCommand, HandlerKind::kDirect},         {kCurveReverseCommand, HandlerKind::kResetFirst},
      {kJoinCurvesCommand, HandlerKind::kResetFirst},    {kSplitCurveCommand, HandlerKind::kResetFirst},
      {kInBetweenCurveCommand, HandlerKind::kResetFirst}, {kCurveLengthCommand, HandlerKind::kResetFirst},
      {kMakeLineCommand, HandlerKind::kDirect},          {kMakeCircleCommand, HandlerKind::kDirect},
      {kMakePolygonCommand, HandlerKind::kDirect},       {kMakeHelixCommand, HandlerKind::kDirect},
      {kCurveDivideCommand, HandlerKind::kDirect},       {kOffsetCurveCommand, HandlerKind::kResetFirst},
  };
  std::vector<int> heldTwice;
  const CommandMap holder = BuildViewCommandMap(*view, &heldTwice);
  EXPECT_TRUE(heldTwice.empty());
  EXPECT_TRUE(RegisterCommandRows().empty());
  for (const Row& row : rows) {
    SCOPED_TRACE(row.id);
    const CommandRow* registered = Registered(row.id);
    ASSERT_NE(registered, nullptr);
    EXPECT_EQ(registered->kind, row.kind);
    EXPECT_TRUE(holder.HasCommand(row.id));
  }
}

TEST_F(CommandTableTest, SelectionFlipTransformBooleanJewelAndRenderRowsAreEachHeldOnceWithTheirKind) {
  struct Row {
    int id;
    HandlerKind kind;
  };
  const Row rows[] = {
      {3611, HandlerKind::kResetFirst}, {3612, HandlerKind::kResetFirst}, {3613, HandlerKind::kResetFirst},
      {3614, HandlerKind::kResetFirst}, {3615, HandlerKind::kResetFirst}, {3616, HandlerKind::kResetFirst},
      {7200, HandlerKind::kResetFirst}, {5101, HandlerKind::kResetFirst}, {5102, HandlerKind::kResetFirst},
      {5103, HandlerKind::kResetFirst}, {5104, HandlerKind::kResetFirst}, {4100, HandlerKind::kResetFirst},
      {4101, HandlerKind::kResetFirst}, {4102, HandlerKind::kResetFirst}, {4103, HandlerKind::kResetFirst},
      {5000, HandlerKind::kResetFirst}, {5001, HandlerKind::kResetFirst}, {5002, HandlerKind::kResetFirst},
      {5003, HandlerKind::kResetFirst}, {5010, HandlerKind::kDirect},     {9000, HandlerKind::kResetFirst},
      {9001, HandlerKind::kResetFirst}, {9002, HandlerKind::kDirect},     {9003, HandlerKind::kResetFirst},
      {9004, HandlerKind::kResetFirst}, {9005, HandlerKind::kResetFirst}, {9030, HandlerKind::kDirect},
      {9031, HandlerKind::kDirect},     {9100, HandlerKind::kDirect},     {9111, HandlerKind::kDirect},
      {9041, HandlerKind::kDirect},     {9300, HandlerKind::kDirect},     {9020, HandlerKind::kResetFirst},
      {9021, HandlerKind::kResetFirst}, {9022, HandlerKind::kResetFirst}, {9023, HandlerKind::kResetFirst},
      {9200, HandlerKind::kDirect},     {9301, HandlerKind::kDirect},     {9201, HandlerKind::kResetFirst},
      {9202, HandlerKind::kResetFirst}, {9130, HandlerKind::kResetFirst}, {9131, HandlerKind::kResetFirst},
      {9132, HandlerKind::kResetFirst}, {9110, HandlerKind::kDirect},     {9120, HandlerKind::kDirect},
      {9121, HandlerKind::kDirect},
  };
  std::vector<int> heldTwice;
  const CommandMap holder = BuildViewCommandMap(*view, &heldTwice);
  EXPECT_TRUE(heldTwice.empty());
  EXPECT_TRUE(RegisterCommandRows().empty());
  const auto registered = CommandTableRows();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.id);
    EXPECT_EQ(std::count_if(registered.begin(), registered.end(), [&row](const CommandRow& r) { return r.id == row.id; }),
              1);
    ASSERT_NE(Registered(row.id), nullptr);
    EXPECT_EQ(Registered(row.id)->kind, row.kind);
    EXPECT_TRUE(holder.HasCommand(row.id));
  }
}

TEST_F(CommandTableTest, CurvePickCommandsResetFirstThenInstallTheirTool) {
  CommandMap holder = BuildViewCommandMap(*view);
  struct Case {
    int id;
    const char* prompt;
  };
  const Case cases[] = {{kInBetweenCurveCommand, "Pick two curves to create a curve in between them"},
                        {kCurveLengthCommand, "Pick a curve to measure its length..."}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    Headless().statusTexts.clear();
    holder.RunCommand(c.id);
    EXPECT_NE(dynamic_cast<CPickCallbackTool*>(GetTool(0)), nullptr);
    const std::vector<std::string>& texts = Headless().statusTexts;
    ASSERT_FALSE(texts.empty());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Picking..."), texts.end());
    EXPECT_EQ(texts.back(), c.prompt);
  }
}

TEST_F(CommandTableTest, CurveExtendAsksItsDialogThenDrawsWithItsValues) {
  CommandMap holder = BuildViewCommandMap(*view);
  ProgramCommandRouter().SetChain([&holder] { return std::vector<CommandHolder*>{&holder}; });
  ProgramCommandQueue().SetDispatcher([](int id) { ProgramCommandRouter().Dispatch(id); });
  ProgramCommandRouter().Dispatch(7005);
  EXPECT_EQ(GetCurrentToolCursorId(), kVectorDragCursor);
  ASSERT_NE(OpenExtendDialog, nullptr);
  EXPECT_EQ(TheScene.overlayTool.get(), OpenExtendDialog);
  OpenExtendDialog->texts[CExtendToolDlg::kNumberEdit] = "3";
  OpenExtendDialog->PressOK();
  ProgramCommandQueue().Drain();
  EXPECT_NE(dynamic_cast<CTransformCurveTool*>(GetTool(0)), nullptr);
  EXPECT_EQ(GetCurrentToolCursorId(), 7005);
  EXPECT_EQ(Headless().toolCursors.back(), 7005);
  EXPECT_EQ(Headless().statusTexts.back(), "Making an extending curve...");
  EXPECT_EQ(TheScene.overlayTool, nullptr);
  EXPECT_EQ(CurveRepeat.extendCount, 3);
}

// Through the router, as the menus reach them: Flip 90 turns and turns back, Union groups, and
// Subtract installs its tool on whatever tool was current, without a fresh pick tool first.
TEST_F(CommandTableTest, FlipAndBooleanRowsRunThroughTheRouter) {
  CommandMap holder = BuildViewCommandMap(*view);
  ProgramCommandRouter().SetChain([&holder] { return std::vector<CommandHolder*>{&holder}; });
  ProgramCommandQueue().SetDispatcher([](int id) { ProgramCommandRouter().Dispatch(id); });
  const auto add = [](int id) {
    auto mesh = std::make_unique<CMeshObject>();
    mesh->SetPoints(1, {{1, 2, 3}});
    CMeshObject* added = AddObject(mesh, 1);
    added->id = id;
    return added;
  };
  CMeshObject* first = add(1);
  CMeshObject* second = add(2);

  ProgramCommandRouter().Dispatch(5101);
  EXPECT_NE(first->points[0], (Vector3{1, 2, 3}));
  EXPECT_FLOAT_EQ(VecDot(first->points[0], first->points[0]), 14.0f);
  ProgramCommandRouter().Dispatch(5102);
  EXPECT_EQ(first->points[0], (Vector3{1, 2, 3}));

  ProgramCommandRouter().Dispatch(9000);
  CGeomObject* group = second->next;
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->GetKind(), kKindBoolean);
  EXPECT_EQ(first->ObjectState, -kAbsorbedOffset);
  UndoCommand();
  EXPECT_EQ(first->ObjectState, kStateSelected);
  EXPECT_EQ(second->ObjectState, kStateSelected);

  Headless().statusTexts.clear();
  ProgramCommandRouter().Dispatch(9002);
  EXPECT_NE(dynamic_cast<CSubtractPickTool*>(GetTool(0)), nullptr);
  const std::vector<std::string>& texts = Headless().statusTexts;
  EXPECT_EQ(std::find(texts.begin(), texts.end(), "Picking..."), texts.end());
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.back(), "Pick the object to subtract from...");
}

}  // namespace
