#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "../render/mesh_fixtures.h"
#include "app/command_table.h"
#include "comma_locale.h"
#include "exchange/dxf_writers.h"
#include "exchange/exchange_commands.h"
#include "exchange/iges_writer.h"
#include "exchange/stl_writers.h"
#include "kernel/boolean_object.h"
#include "kernel/point_set_object.h"
#include "kernel/surface_object.h"
#include "manufacturing/cut_slices.h"
#include "manufacturing/rp_handoff.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "platform/program_folder.h"
#include "routed_view_fixture.h"
#include "row_checks.h"
#include "scene/design_file.h"
#include "scene/pick_tool.h"
#include "scene/scene.h"
#include "scene/tool_framework.h"
#include "scene/undo_history.h"
#include "services/string_table.h"
#include "temp_dir.h"
#include "tmpdir_scope.h"

namespace {

namespace fs = std::filesystem;
using Launch = HeadlessPlatform::Launch;

std::string Head(const std::string& path, std::size_t bytes) {
  const std::vector<std::uint8_t> all = ReadWholeFile(path);
  return std::string(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(std::min(bytes, all.size())));
}

std::vector<std::string> Started() {
  std::vector<std::string> arguments;
  for (const Launch& launch : Headless().launches) {
    EXPECT_EQ(launch.kind, Launch::Kind::kProcess);
    arguments.insert(arguments.end(), launch.arguments.begin(), launch.arguments.end());
  }
  return arguments;
}

// The user's folder, the program folder and the temporary folder are each a folder of the
// test's own.
class ExchangeRowsTest : public RoutedViewTest {
 protected:
  void SetUp() override {
    RoutedViewTest::SetUp();
    SetUserDataDirOverride(user.path());
    SetProgramDirOverride(program.path());
  }

  void Run(int id) {
    ASSERT_TRUE(ProgramCommandRouter().Dispatch(id));
    ProgramCommandQueue().Drain();
  }
  void AddBox() {
    std::unique_ptr<CMeshObject> box = BoxMesh({0, 0, 0}, {1, 1, 1});
    AddObject(box, 1);
  }
  // The next file dialog answers with the path under the filter; none cancels it.
  static void Answer(std::optional<std::string> path, int filter) {
    if (path) {
      Headless().fileAnswers.push_back(FileDialogAnswer{*path, filter});
    } else {
      Headless().fileAnswers.push_back(std::nullopt);
    }
  }
  std::string Exchange(const std::string& name) const { return GetExchangeFolder() + name; }
  static std::string Status(int key, const std::string& path) { return GetLocalizedString(key) + " " + path; }
  // What the commands told in the status bar, without the pick tool's prompts.
  static std::vector<std::string> Told() {
    std::vector<std::string> told;
    for (const std::string& text : Headless().statusTexts) {
      for (const int key : {kCannotWriteMessage, kInvalidFileFormatMessage, kCannotOpenMessage}) {
        if (text.rfind(GetLocalizedString(key), 0) == 0) told.push_back(text);
      }
    }
    return told;
  }

  TempDir user;
  TempDir program;
  TempDir temporary;
  TmpDirScope tmpdir{temporary.path()};
  TempDir folder;
};

TEST_F(ExchangeRowsTest, EachRowResetsFirstAndIsHeldOnce) {
  EXPECT_TRUE(heldTwice.empty());
  const ExpectedRow rows[] = {
      {1003, HandlerKind::kResetFirst, &OnFileImport},      {1004, HandlerKind::kResetFirst, &OnFileExport},
      {1005, HandlerKind::kResetFirst, &ImportTempSla},     {1006, HandlerKind::kResetFirst, &ImportTempDxf},
      {1007, HandlerKind::kResetFirst, &ExportTempSla},     {1008, HandlerKind::kResetFirst, &ExportTempDxfCurves},
      {1009, HandlerKind::kResetFirst, &SendToDeskProto},   {1010, HandlerKind::kResetFirst, &SendToObjetStudio},
      {1011, HandlerKind::kResetFirst, &SendToPerfactory}};
  ExpectRowsRegistered(rows, *holder);
}

TEST_F(ExchangeRowsTest, ExportWritesTheFormatOfEachFilterAndKeepsIt) {
  AddBox();
  struct Case {
    int filter;
    const char* name;
    std::string head;
  };
  // The dialog adds the filter's extension.
  const Case cases[] = {{1, "faces", "0\nSECTION\n2\nENTITIES\n0\n3DFACE\n"},
                        {2, "polyfaces", "0\nSECTION\n2\nENTITIES\n0\nPOLYLINE\n"},
                        {3, "curves", "0\nSECTION\n2\nENTITIES\n0\nENDSEC\n0\nEOF\n"},
                        {4, "patch", "Lumidrex IGES conversion"},
                        {5, "ascii", "solid Lumidrex\n"},
                        {6, "binary", std::string("Lumidrex\0   ", 12)},
                        {7, "viewer", ""}};
  const char* extensions[] = {"dxf", "dxf", "dxf", "igs", "stl", "stl", "lxv"};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.filter);
    Answer(folder.File(c.name), c.filter);
    const std::string path = folder.File(std::string(c.name) + "." + extensions[c.filter - 1]);
    Run(1004);
    if (c.filter == 7) {
      // The viewer file is scrambled afresh on every write; its size is its own.
      const TempDir elsewhere;
      ASSERT_EQ(WriteViewerFile(GetObjectList(), elsewhere.File("reference.lxv")), 1);
      EXPECT_EQ(fs::file_size(path), fs::file_size(elsewhere.File("reference.lxv")));
    } else {
      EXPECT_EQ(Head(path, c.head.size()), c.head);
    }
    EXPECT_EQ(ExportFilterIndex, c.filter);
    // The next dialog opens on the filter chosen last.
    ASSERT_FALSE(Headless().fileRequests.empty());
    EXPECT_EQ(Headless().fileRequests.back().filterIndex, c.filter == 1 ? 1 : c.filter - 1);
    EXPECT_FALSE(Headless().fileRequests.back().open);
    ASSERT_EQ(Headless().fileRequests.back().filters.size(), 7u);
    EXPECT_EQ(Headless().fileRequests.back().filters[6].description, "Lumidrex Viewer File (*.lxv)");
  }
  EXPECT_TRUE(Told().empty());
  EXPECT_EQ(Headless().waitDepth, 0);

  // Cancel writes nothing and keeps the filter.
  Answer(std::nullopt, 0);
  Run(1004);
  EXPECT_EQ(ExportFilterIndex, 7);
  EXPECT_EQ(folder.Entries().size(), 7u);
  EXPECT_TRUE(Told().empty());

  // A target under a path component that is a file (no one may write there, root included): a
  // message box names it.
  folder.Write("plain", "old");
  const std::string bad = folder.File("plain/out.dxf");
  Answer(bad, 1);
  Run(1004);
  EXPECT_TRUE(Told().empty());
  ASSERT_EQ(Headless().messages.size(), 1u);
  EXPECT_EQ(Headless().messages[0].text, "Cannot write to file!\n" + bad);
}

TEST_F(ExchangeRowsTest, ImportRunsTheReaderOfEachFilterAndKeepsIt) {
  // Files of each format written by our own writers: a box, a surface, a box.
  std::unique_ptr<CMeshObject> box = BoxMesh({0, 0, 0}, {1, 1, 1});
  auto surface = std::make_unique<CSurfaceObject>();
  std::vector<Vector3> grid;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) grid.push_back({float(i), float(j), float((i * j) % 3)});
  }
  ASSERT_TRUE(surface->SetGrid(4, 4, grid));
  const std::string dxf = folder.File("box.dxf");
  const std::string igs = folder.File("patch.igs");
  const std::string stl = folder.File("box.stl");
  ASSERT_TRUE(Dxf3DFaceWriter(box.get(), dxf));
  ASSERT_TRUE(IgesWriter(surface.get(), igs));
  ASSERT_TRUE(StlBinaryWriter(box.get(), stl));
  struct Case {
    int filter;
    std::string path;
    int kind;
  };
  const Case cases[] = {{1, dxf, kKindMesh}, {2, igs, kKindSurface}, {3, stl, kKindMesh}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.filter);
    Answer(c.path, c.filter);
    Run(1003);
    const CGeomObject* last = GetObjectList();
    while (last != nullptr && last->next != nullptr) last = last->next;
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->GetKind(), c.kind);
    EXPECT_EQ(last->ObjectState, kStateSelected);
    EXPECT_EQ(ImportFilterIndex, c.filter);
    EXPECT_TRUE(Headless().fileRequests.back().open);
  }
  EXPECT_TRUE(Told().empty());
  EXPECT_EQ(Headless().waitDepth, 0);

  // A missing file, and one that gives nothing: the status bar says which.
  const std::string missing = folder.File("missing.stl");
  const std::string empty = folder.Write("empty.dxf", "0\nEOF\n");
  Answer(missing, 3);
  Run(1003);
  Answer(empty, 1);
  Run(1003);
  EXPECT_EQ(Told(),
            (std::vector<std::string>{Status(kCannotOpenMessage, missing), Status(kInvalidFileFormatMessage, empty)}));
  // Cancel keeps the filter.
  Answer(std::nullopt, 0);
  Run(1003);
  EXPECT_EQ(ImportFilterIndex, 1);
}

// A triangle file holds a subtraction's or an intersection's members, not the cut solid: after
// such an export the status bar says how many groups were written so; a union says nothing, and
// neither does IGES, which carries surfaces rather than solids.
TEST_F(ExchangeRowsTest, ExportsOfCutGroupsSayTheyHoldTheirMembers) {
  const auto group = [](int operation) {
    auto made = std::make_unique<CBooleanObject>();
    made->SetOperation(operation);
    made->subtractBody = 1;
    made->members.Append(BoxMesh({0, 0, 0}, {2, 2, 2}));
    made->members.Append(BoxMesh({1, 1, 1}, {3, 3, 3}));
    made->members.head()->ObjectState = made->members.head()->next->ObjectState = kStateShown;
    std::unique_ptr<CGeomObject> object = std::move(made);
    AddObject(object, 1);
  };
  const std::string two = FillStringArguments(GetLocalizedString(10145), {"2"});
  ASSERT_EQ(two.rfind("2 Boolean groups were written as their members", 0), 0u);
  const struct {
    const char* name;
    std::vector<int> operations;
    int filter;
    std::vector<std::string> told;
  } cases[] = {
      {"a union", {kBooleanUnion}, 6, {}},
      {"a subtraction and an intersection, ASCII STL", {kBooleanSubtraction, kBooleanIntersection}, 5, {two}},
      {"the same, binary STL", {kBooleanSubtraction, kBooleanIntersection}, 6, {two}},
      {"the same, DXF faces", {kBooleanSubtraction, kBooleanIntersection}, 1, {two}},
      {"the same, DXF polyfaces", {kBooleanSubtraction, kBooleanIntersection}, 2, {two}},
      {"the same, IGES", {kBooleanSubtraction, kBooleanIntersection}, 4, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    // The groups of the case before are deleted.
    for (CGeomObject* o = GetObjectList(); o != nullptr; o = o->next) o->ObjectState = -1;
    for (const int operation : c.operations) group(operation);
    Headless().statusTexts.clear();
    Answer(folder.File(c.name), c.filter);
    Run(1004);
    std::vector<std::string> told;
    for (const std::string& text : Headless().statusTexts) {
      if (text.find("Boolean groups") != std::string::npos) told.push_back(text);
    }
    EXPECT_EQ(told, c.told);
  }
}

// Everything one import adds goes in one step of its own: one Undo takes the whole file back and
// nothing that came before it.
TEST_F(ExchangeRowsTest, AnImportIsOneUndoStep) {
  AddBox();
  // Undo takes an added object back by its state; it stays in the list.
  const auto kinds = [] {
    std::vector<int> list;
    for (const CGeomObject* o = GetObjectList(); o != nullptr; o = o->next) {
      if (o->ObjectState >= 0) list.push_back(o->GetKind());
    }
    return list;
  };
  // Two layers' meshes and a line.
  Answer(folder.Write("two.dxf",
                      "0\nSECTION\n2\nENTITIES\n0\n3DFACE\n8\nA\n10\n0\n20\n0\n30\n0\n11\n1\n21\n0\n31\n0\n"
                      "12\n1\n22\n1\n32\n0\n13\n1\n23\n1\n33\n0\n0\n3DFACE\n8\nB\n10\n0\n20\n0\n30\n1\n"
                      "11\n1\n21\n0\n31\n1\n12\n1\n22\n1\n32\n1\n13\n1\n23\n1\n33\n1\n0\nLINE\n10\n0\n20\n0\n"
                      "30\n0\n11\n2\n21\n0\n31\n0\n0\nENDSEC\n0\nEOF\n"),
         1);
  Run(1003);
  ASSERT_EQ(kinds(), (std::vector<int>{kKindMesh, kKindCurve, kKindMesh, kKindMesh}));
  EXPECT_EQ(UndoCommand(), 1);
  EXPECT_EQ(kinds(), (std::vector<int>{kKindMesh}));
  EXPECT_EQ(RedoCommand(), 1);
  EXPECT_EQ(kinds().size(), 4u);
}

// Files from elsewhere carry point decimals, whatever the user's locale.
TEST_F(ExchangeRowsTest, UnderACommaLocaleImportsReadPointDecimals) {
  const CommaLocale comma;
  ASSERT_TRUE(comma.active());
  Answer(folder.Write("line.dxf",
                      "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\nA\n10\n1.5\n20\n0\n30\n0\n11\n2.5\n21\n0\n31\n0\n"
                      "0\nENDSEC\n0\nEOF\n"),
         1);
  Run(1003);
  Answer(folder.Write("facet.stl", "solid t\nfacet normal 0 0 1\nouter loop\nvertex 1.5 0 0\nvertex 2.5 0 0\n"
                                   "vertex 1.5 1 0\nendloop\nendfacet\nendsolid\n"),
         3);
  Run(1003);
  std::vector<int> kinds;
  for (const CGeomObject* o = GetObjectList(); o != nullptr; o = o->next) {
    kinds.push_back(o->GetKind());
    const auto& points = static_cast<const CPointSetObject*>(o)->points;
    std::vector<float> xs;
    for (const Vector3& p : points) xs.push_back(p.x);
    EXPECT_NE(std::find(xs.begin(), xs.end(), 1.5f), xs.end());
    EXPECT_NE(std::find(xs.begin(), xs.end(), 2.5f), xs.end());
  }
  EXPECT_EQ(kinds, (std::vector<int>{kKindCurve, kKindMesh}));
  EXPECT_TRUE(Told().empty());
}

TEST_F(ExchangeRowsTest, CimagraphiExchangesTwoFilesOfTheExchangeFolder) {
  ASSERT_FALSE(GetExchangeFolder().empty());
  EXPECT_EQ(GetExchangeFolder().rfind(temporary.path(), 0), 0u);
  AddBox();
  Run(1007);
  const std::vector<std::uint8_t> sla = ReadWholeFile(Exchange("lxsurface.sla"));
  ASSERT_GT(sla.size(), 84u);
  EXPECT_EQ((sla.size() - 84) % 50, 0u);
  Run(1008);
  EXPECT_EQ(Head(Exchange("lxgeom.dxf"), 100), "0\nSECTION\n2\nENTITIES\n0\nENDSEC\n0\nEOF\n");

  // The STL comes back as one more mesh; the curves file, holding none, says so.
  Run(1005);
  int objects = 0;
  for (const CGeomObject* o = GetObjectList(); o != nullptr; o = o->next) ++objects;
  EXPECT_EQ(objects, 2);
  Run(1006);
  EXPECT_EQ(Told(),
            std::vector<std::string>{Status(kInvalidFileFormatMessage, Exchange("lxgeom.dxf"))});
}

TEST_F(ExchangeRowsTest, DeskProtoRunsTheUsersScriptOnTheStl) {
  const std::string stl = Exchange("lumidrex.stl");
  const std::string script = "lumidrextodeskproto.sh";
  // A failed slicing (nothing to slice) starts nothing.
  Run(1009);
  EXPECT_TRUE(Headless().launches.empty());
  ASSERT_EQ(Headless().messages.size(), 1u);
  EXPECT_EQ(Headless().messages[0].text, "Cannot write to file!\n" + stl);
  Headless().messages.clear();

  AddBox();
  // Neither folder holds the script (a folder of its name does not count): a message says where
  // the file is.
  fs::create_directory(user.File(script));
  Run(1009);
  EXPECT_TRUE(Headless().launches.empty());
  EXPECT_GT(fs::file_size(stl), 84u);
  ASSERT_EQ(Headless().messages.size(), 1u);
  EXPECT_EQ(Headless().messages[0].text, "The file " + stl + " was written. No hand-off script " + script +
                                             " was found in " + user.path() + "/ or in " + program.path() +
                                             "/, so no outside program was started.");

  // In the program folder only.
  program.Write(script, "exit 0\n");
  Run(1009);
  EXPECT_EQ(Started(), (std::vector<std::string>{"/bin/sh", program.File(script), stl}));

  // In both: the user's own comes first.
  Headless().launches.clear();
  fs::remove(user.File(script));
  user.Write(script, "exit 0\n");
  Run(1009);
  EXPECT_EQ(Started(), (std::vector<std::string>{"/bin/sh", user.File(script), stl}));
  EXPECT_EQ(Headless().messages.size(), 1u);
}

TEST_F(ExchangeRowsTest, ObjetStudioAndPerfactoryHandOnTheSliceFileOfCutIntoSlices) {
  AddBox();
  struct Case {
    int id;
    int mode;
    const char* script;
  };
  const Case cases[] = {{1010, 4, "lumidrextoobjetstudio.sh"}, {1011, 3, "lumidrextoperfactory.sh"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    user.Write(c.script, "exit 0\n");
    // Cancel: nothing slices, nothing starts, and the pick tool is current.
    Headless().launches.clear();
    Headless().AnswerDialog(CCutSlicesDlg::kName, [](DialogModel&) { return kAnswerCancel; });
    Run(c.id);
    EXPECT_TRUE(Headless().launches.empty());
    EXPECT_EQ(GetCurrentToolCursorId(), kPickCommand);
    EXPECT_EQ(HandOffMode, 0);

    int modeSeen = -1;
    const std::string named = folder.File("cast.slc");
    Headless().AnswerDialog(CCutSlicesDlg::kName, [&](DialogModel& model) {
      modeSeen = HandOffMode;
      auto& dialog = static_cast<CCutSlicesDlg&>(model);
      dialog.texts[CCutSlicesDlg::kFileEdit] = named;
      return dialog.Validate() ? kAnswerOk : kAnswerCancel;
    });
    Run(c.id);
    EXPECT_EQ(modeSeen, c.mode);
    EXPECT_EQ(HandOffMode, 0);
    // Perfactory's slices always go into the exchange folder.
    const std::string slices = c.mode == 3 ? Exchange("lumidrex.slc") : named;
    EXPECT_GT(fs::file_size(slices), 0u);
    EXPECT_EQ(Started(), (std::vector<std::string>{"/bin/sh", user.File(c.script), slices}));
  }
  EXPECT_TRUE(Headless().messages.empty());
}

}  // namespace
