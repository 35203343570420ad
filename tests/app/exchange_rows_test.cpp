#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "../render/mesh_fixtures.h"
#include "app/command_table.h"
#include "app/core/string_table.h"
#include "manufacturing/cut_slices.h"
#include "modelling/exchange_commands.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "platform/program_folder.h"
#include "routed_view_fixture.h"
#include "row_checks.h"
#include "scene/pick_tool.h"
#include "scene/scene.h"
#include "scene/tool_framework.h"
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
      {1007, HandlerKind::kResetFirst, &ExportTempSla},     {1008, HandlerKind::kResetFirst, &ExportTempDxfCurves},
      {1009, HandlerKind::kResetFirst, &SendToDeskProto},   {1010, HandlerKind::kResetFirst, &SendToObjetStudio},
      {1011, HandlerKind::kResetFirst, &SendToPerfactory}};
  ExpectRowsRegistered(rows, *holder);
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
}

TEST_F(ExchangeRowsTest, DeskProtoRunsTheUsersScriptOnTheStl) {
  const std::string stl = Exchange("lumidrex.stl");
  const std::string script = "lumidrextodeskproto.sh";
  // A failed slicing (nothing to slice) starts nothing.
  Run(1009);
  EXPECT_TRUE(Headless().launches.empty());
  EXPECT_EQ(Told(), std::vector<std::string>{Status(kCannotWriteMessage, stl)});
  EXPECT_TRUE(Headless().messages.empty());

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
