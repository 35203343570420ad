#include "render/render_to_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "mesh_fixtures.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "scene/pick_tool.h"
#include "scene/scene.h"
#include "scene/tool_framework.h"
#include "scene/view_background.h"
#include "scene_fixture.h"
#include "services/bmp_picture_codec.h"
#include "services/ui_utilities.h"
#include "temp_dir.h"
#include "tmpdir_scope.h"

namespace {

using D = CRenderToFileDlg;

constexpr std::uint32_t kSwatch = 0x306090;  // red 0x90, green 0x60, blue 0x30
constexpr int kHeldCursor = 4242;

// A tool the user had before the command.
class HeldTool : public CTool {
 public:
  HeldTool() : CTool(0) {}
  int GetCursorId() const override { return kHeldCursor; }
};

class RenderToFileTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    // The Front view of 8 x 6 pixels, a box in its middle.
    view.SetSize(8, 6);
    view.viewType = kViewFront;
    view.SetAxes(0, 2, 1, 1, 1, -1);
    view.viewExtent = 3;
    view.zoomScale = 1;
    auto box = BoxMesh({-1, -1, -1}, {1, 1, 1});
    AddObject(box, 1)->ObjectState = kStateShown;
    ResetBackgroundColor();
    configured = GetBackgroundColor();
    new HeldTool;
    SetToolCursor();
  }

  // Answers the dialog once as a user typing name, 8 x 6 and anti-aliasing "1" would.
  void Answer(const std::string& name, int button = kAnswerOk) {
    Headless().AnswerDialog(D::kName, [name, button](DialogModel& model) {
      auto& dialog = static_cast<D&>(model);
      dialog.texts[D::kFileEdit] = name;
      dialog.texts[D::kWidthEdit] = "8";
      dialog.texts[D::kHeightEdit] = "6";
      dialog.antiAliasing = 0;
      dialog.backgroundColour = kSwatch;
      EXPECT_TRUE(dialog.Validate());
      return button;
    });
  }

  std::vector<std::string> OpenedFiles() const {
    std::vector<std::string> files;
    for (const auto& launch : Headless().launches) {
      if (launch.kind == HeadlessPlatform::Launch::Kind::kFile) files.push_back(launch.arguments.at(0));
    }
    return files;
  }

  TempDir temporary;
  TmpDirScope tmp{temporary.path()};
  TempDir folder;
  BackgroundColor configured{};
};

bool IsSwatchBmp(const std::vector<std::uint8_t>& bytes) {
  constexpr std::size_t kRowBytes = 24;
  if (bytes.size() != 54 + 6 * kRowBytes || bytes[0] != 'B' || bytes[1] != 'M') return false;
  for (const std::size_t offset : {std::size_t{54}, std::size_t{54 + 7 * 3}, 54 + 5 * kRowBytes, 54 + 5 * kRowBytes + 7 * 3}) {
    if (bytes[offset] != 0x30 || bytes[offset + 1] != 0x60 || bytes[offset + 2] != 0x90) return false;
  }
  return true;
}

TEST_F(RenderToFileTest, TheNameGivesTheBmpTarget) {
  struct Case {
    const char* typed;
    const char* written;
  };
  // Only ".jpg" is JPEG; a name with its own extension keeps it, a name without one gets ".bmp".
  const Case cases[] = {{"ring", "ring.bmp"}, {"ring.png", "ring.png"}, {"a.b", "a.b"}, {"ring.jpeg", "ring.jpeg.bmp"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    Headless().launches.clear();
    new HeldTool;
    Answer(folder.File(c.typed));
    OnRenderToFile();
    const std::string written = folder.File(c.written);
    EXPECT_TRUE(IsSwatchBmp(ReadWholeFile(written)));
    EXPECT_EQ(OpenedFiles(), std::vector<std::string>{written});
    EXPECT_EQ(GetBackgroundColor(), configured);
    EXPECT_NE(dynamic_cast<CPickTool*>(GetTool(0)), nullptr);
  }
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"a.b", "ring.bmp", "ring.jpeg.bmp", "ring.png"}));
  EXPECT_TRUE(Headless().messages.empty());
}

TEST_F(RenderToFileTest, CancelRendersNothingAndKeepsTheTool) {
  CTool* held = GetTool(0);
  Answer(folder.File("ring"), kAnswerCancel);
  OnRenderToFile();
  EXPECT_TRUE(folder.Entries().empty());
  EXPECT_TRUE(OpenedFiles().empty());
  EXPECT_EQ(GetTool(0), held);
  EXPECT_EQ(GetCurrentToolCursorId(), kHeldCursor);
}

TEST_F(RenderToFileTest, FailedRendersOpenNothing) {
  RegisterBmpPictureCodec();
  const std::vector<std::uint8_t> older = {'o', 'l', 'd'};
  struct Case {
    const char* what;
    std::function<std::string()> prepare;  // the typed name
    std::string message;                   // the last message shown
  };
  // A folder no one may write to, root included: a path under a regular file.
  const std::string blocked = folder.File("plain/ring");
  const Case cases[] = {
      {"a JPEG render cancelled at the first band",
       [&] {
         Headless().messageAnswers = {kAnswerYes};
         Headless().onProgressPump = [](ProgressWindowClient& client) { client.OnCancel(); };
         return folder.Write("ring.jpg", older);
       },
       "Are you sure to Cancel?"},
      {"a target under a regular file",
       [&] {
         folder.Write("plain", older);
         return blocked;
       },
       "Cannot write to file!\n" + blocked + ".bmp"},
      {"a JPEG under a regular file", [&] { return blocked + ".jpg"; }, "Cannot write to file!\n" + blocked + ".jpg"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string target = c.prepare();
    Headless().messages.clear();
    Answer(target);
    OnRenderToFile();
    ASSERT_FALSE(Headless().messages.empty());
    EXPECT_EQ(Headless().messages.back().text, c.message);
    EXPECT_TRUE(OpenedFiles().empty());
    EXPECT_FALSE(std::filesystem::exists(GetExchangeFolder() + "vorn.bmp"));
    EXPECT_EQ(GetBackgroundColor(), configured);
    Headless().onProgressPump = nullptr;
  }
  EXPECT_EQ(ReadWholeFile(folder.File("ring.jpg")), older);
  EXPECT_EQ(ReadWholeFile(folder.File("plain")), older);
}

// Without a program for pictures the status bar says where the picture went.
TEST_F(RenderToFileTest, APictureNoProgramOpensIsNamedInTheStatusBar) {
  Headless().launchSucceeds = false;
  Answer(folder.File("ring"));
  OnRenderToFile();
  EXPECT_TRUE(IsSwatchBmp(ReadWholeFile(folder.File("ring.bmp"))));
  EXPECT_TRUE(Headless().messages.empty());
  ASSERT_FALSE(Headless().statusTexts.empty());
  EXPECT_EQ(Headless().statusTexts.back(), "The picture was written to " + folder.File("ring.bmp") + ".");
}

TEST_F(RenderToFileTest, TheDialogChecksItsRangesAndKeepsItsValues) {
  D& dialog = RenderToFileDialog();
  dialog.OnInitDialog();
  const auto opened = dialog.texts;
  struct Case {
    int field;
    std::string text;
    bool accepted;
  };
  const Case cases[] = {
      {D::kWidthEdit, "0", false},         {D::kWidthEdit, "10001", false}, {D::kWidthEdit, "1", true},
      {D::kHeightEdit, "10000", true},     {D::kHeightEdit, "0", false},    {D::kOutlineValueEdit, "0", false},
      {D::kOutlineValueEdit, "101", false}, {D::kOutlineValueEdit, "100", true},
      {D::kFileEdit, std::string(251, 'r'), false}, {D::kFileEdit, std::string(250, 'r'), true},
      // Characters, not bytes: 250 two-byte letters fit.
      {D::kFileEdit, [] { std::string s; for (int i = 0; i < 250; ++i) s += "\xC3\xA9"; return s; }(), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 12));
    dialog.texts = opened;
    dialog.texts[c.field] = c.text;
    EXPECT_EQ(dialog.Validate(), c.accepted);
    if (!c.accepted) {
      EXPECT_EQ(dialog.failedField, c.field);
    }
  }

  // A list entry fills both fields, which stay editable.
  dialog.OnInitDialog();
  dialog.OnPictureSize(6);
  EXPECT_EQ(dialog.texts[D::kWidthEdit], "1600");
  EXPECT_EQ(dialog.texts[D::kHeightEdit], "1200");
  dialog.texts[D::kHeightEdit] = "900";
  ASSERT_TRUE(dialog.Validate());
  EXPECT_EQ(dialog.width, 1600);
  EXPECT_EQ(dialog.height, 900);

  // "Image File" with the JPEG filter and the name "ring" typed.
  Headless().fileAnswers = {FileDialogAnswer{"ring", 2}};
  dialog.OnImageFile();
  EXPECT_EQ(dialog.fileName, "ring.jpg");
  EXPECT_EQ(dialog.texts[D::kFileEdit], "ring.jpg");
  EXPECT_EQ(dialog.texts[D::kWidthEdit], "1600");
  ASSERT_EQ(Headless().fileRequests.size(), 1u);
  EXPECT_FALSE(Headless().fileRequests[0].open);

  // The next run opens with these values.
  Headless().AnswerDialog(D::kName, [](DialogModel& model) {
    auto& again = static_cast<D&>(model);
    EXPECT_EQ(again.texts[D::kFileEdit], "ring.jpg");
    EXPECT_EQ(again.texts[D::kWidthEdit], "1600");
    EXPECT_EQ(again.texts[D::kHeightEdit], "900");
    return kAnswerCancel;
  });
  OnRenderToFile();
  EXPECT_EQ(Headless().dialogsRun, std::vector<std::string>{D::kName});
}

}  // namespace
