#include "manufacturing/show_slice_tool.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "manufacturing/slc_to_mesh.h"
#include "manufacturing/slice_file_path.h"
#include "platform/command_queue.h"
#include "recording_canvas.h"
#include "scene/drawing_context.h"
#include "scene/pick_tool.h"
#include "scene/scene_views.h"
#include "scene/tool_framework.h"
#include "scene/tool_lifetime.h"
#include "scene_fixture.h"
#include "services/string_table.h"
#include "slc_fixtures.h"
#include "temp_dir.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A pane whose window image records polylines, and which notes each present-at-once by the
// number of polylines drawn by then.
class SweepViewport : public CViewport {
 public:
  CanvasView* WindowImageView() override { return &image; }
  void PresentWindowImageNow() override { presented.push_back(image.canvas.polylines.size()); }
  TestView<RecordingCanvas> image;
  std::vector<std::size_t> presented;
};

using Vertices = std::vector<RecordingCanvas::Vertex>;

// The golden file of the slicer: two boxes, a layer, an empty layer and a layer.
SlcBytes GoldenFile(const char* unit = "MM") {
  const SlcBytes::Boundary square = {{0, 1.5f}, {0, 0}, {2, 0}, {2, 1.5f}, {0, 1.5f}};
  return SlcBytes().UnitHeader(unit).Layer(0, {square}).Layer(0.125f, {}).Layer(0.375f, {square}).Terminator(0.5f);
}

class ShowSliceToolTest : public LumidrexTest {
 protected:
  void SetUp() override {
    LumidrexTest::SetUp();
    view.documentHistory = &document;
    document.views = {&view};
    SetActiveView(&view);
    ShowTenPixelsPerUnit(view);
    ProgramCommandQueue().SetDispatcher([](int id) {
      if (id == kPickCommand) ResetToPickTool();
    });
  }
  CShowSliceToolDlg* Open(const std::string& path) {
    SetSliceFilePath(path);
    OnShowSlices();
    return dynamic_cast<CShowSliceToolDlg*>(GetTool(0));
  }
  // The polylines of the viewer's feedback, drawn into a recording view.
  std::vector<RecordingCanvas::Polyline> Feedback(CShowSliceToolDlg& viewer) {
    TestView<RecordingCanvas> target;
    CanvasView* previous = SetDrawingView(&target);
    ApplyActiveViewProjection();
    viewer.DrawFeedback(0);
    SetDrawingView(previous);
    return target.canvas.polylines;
  }
  std::string Base(const std::string& path) { return GetLocalizedString(32300) + " : " + path; }
  // What the status bar said, leaving out the empty prompts of tool changes.
  static std::vector<std::string> Said() {
    std::vector<std::string> said;
    for (const std::string& text : Headless().statusTexts) {
      if (!text.empty()) said.push_back(text);
    }
    return said;
  }

  TestDocument document;
  SweepViewport view;
  TempDir folder;
};

TEST_F(ShowSliceToolTest, StepsThroughTheLayersOfTheGoldenFile) {
  const std::string path = folder.Write("ring.slc", GoldenFile().bytes);
  CShowSliceToolDlg* viewer = Open(path);
  ASSERT_NE(viewer, nullptr);
  EXPECT_EQ(Headless().modelessOpened, std::vector<std::string>{"Show Slice"});
  // The terminator is not a layer.
  EXPECT_EQ(viewer->layers(), 3);
  EXPECT_EQ(viewer->Title(), Base(path) + " [ 1 / 3 ]");
  EXPECT_EQ(viewer->ScrollMax(), 2);
  EXPECT_TRUE(Said().empty());
  // Pixel (100 + 10 x, 100 - 10 y), each ring closed again by its first vertex.
  const Vertices ring = {{100, 85}, {100, 100}, {120, 100}, {120, 85}, {100, 85}, {100, 85}};
  auto lines = Feedback(*viewer);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].vertices, ring);

  viewer->OnHScroll(CShowSliceToolDlg::kLineLeft, 0);
  EXPECT_EQ(viewer->ScrollPosition(), 0);
  viewer->OnHScroll(CShowSliceToolDlg::kLineRight, 0);
  EXPECT_EQ(viewer->Title(), Base(path) + " [ 2 / 3 ]");
  EXPECT_TRUE(Feedback(*viewer).empty());
  viewer->OnHScroll(CShowSliceToolDlg::kPageRight, 0);
  EXPECT_EQ(viewer->Title(), Base(path) + " [ 3 / 3 ]");
  EXPECT_EQ(viewer->CurrentLayer(), 2);
  viewer->OnHScroll(CShowSliceToolDlg::kThumbTrack, 0);
  EXPECT_EQ(viewer->CurrentLayer(), 0);
  viewer->OnHScroll(CShowSliceToolDlg::kEndScroll, 2);
  EXPECT_EQ(viewer->CurrentLayer(), 0);

  // An inch file draws 25.4 times its numbers.
  const std::string inches = folder.Write("inch.slc", GoldenFile("INCH").bytes);
  Open(inches);
  viewer = dynamic_cast<CShowSliceToolDlg*>(GetTool(0));
  lines = Feedback(*viewer);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].vertices[2], (RecordingCanvas::Vertex{100 + 508, 100}));
  EXPECT_EQ(lines[0].vertices[3].x, 100 + 508);
  EXPECT_NEAR(lines[0].vertices[3].y, 100 - 381, 1);
}

TEST_F(ShowSliceToolTest, DrawAllSweepsEveryLayerThroughTheActiveView) {
  CShowSliceToolDlg* viewer = Open(folder.Write("ring.slc", GoldenFile().bytes));
  ASSERT_NE(viewer, nullptr);
  viewer->PressButton(CShowSliceToolDlg::kDrawAllButton);
  const auto& lines = view.image.canvas.polylines;
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].color, 0xFF0000u);
  EXPECT_EQ(lines[1].color, 0xAAAAAAu);
  EXPECT_EQ(lines[2].color, 0xFF0000u);
  EXPECT_EQ(lines[3].color, 0xAAAAAAu);
  // After each layer, the empty one too.
  EXPECT_EQ(view.presented, (std::vector<std::size_t>{2, 2, 4}));
}

TEST_F(ShowSliceToolTest, TitlesAndStatusOfFilesWithoutLayers) {
  struct Case {
    const char* name;
    std::string path;
    std::string status;  // empty: none
  };
  const std::string missing = folder.File("missing.slc");
  const std::string empty = folder.Write("empty.slc", SlcBytes().UnitHeader("MM").Terminator(0).bytes);
  const std::string other = folder.Write("other.slc", std::string("solid x\n"));
  const std::vector<Case> cases = {
      {"a file without layers", empty, ""},
      {"a missing file", missing, GetLocalizedString(kCannotOpenMessage) + " " + missing},
      {"a file that is not SLC", other, GetLocalizedString(kInvalidFileFormatMessage) + " " + other},
      {"an empty path", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Headless().statusTexts.clear();
    CShowSliceToolDlg* viewer = Open(c.path);
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->Title(), Base(c.path));
    EXPECT_EQ(viewer->ScrollMax(), 0);
    EXPECT_EQ(viewer->layers(), 0);
    EXPECT_TRUE(Feedback(*viewer).empty());
    EXPECT_EQ(Said(), c.status.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.status});
  }
}

TEST_F(ShowSliceToolTest, OpenTakesTheChosenFileAndCancelEndsTheViewer) {
  CShowSliceToolDlg* viewer = Open("");
  const std::string path = folder.Write("ring.slc", GoldenFile().bytes);
  Headless().fileAnswers.push_back(FileDialogAnswer{path, 1});
  viewer->PressButton(CShowSliceToolDlg::kOpenButton);
  ASSERT_EQ(Headless().fileRequests.size(), 1u);
  ASSERT_EQ(Headless().fileRequests[0].filters.size(), 2u);
  EXPECT_EQ(Headless().fileRequests[0].filters[0].pattern, "*.slc");
  EXPECT_TRUE(Headless().fileRequests[0].open);
  EXPECT_EQ(GetSliceFilePath(), path);
  EXPECT_EQ(viewer->Title(), Base(path) + " [ 1 / 3 ]");
  EXPECT_TRUE(viewer->FileOpen());

  ASSERT_EQ(Headless().modelessOpen.size(), 1u);
  Headless().modelessOpen[0]->PressCancel();
  ProgramCommandQueue().Drain();
  EXPECT_EQ(GetCurrentToolCursorId(), kPickCommand);
  EXPECT_EQ(Headless().modelessClosed, std::vector<std::string>{"Show Slice"});
  EXPECT_TRUE(Headless().modelessOpen.empty());
}

// Damaged files: the converter and the viewer take exactly the layers before the damage, never
// allocate what a count claims and never loop on it; the viewer says why in the status bar.
TEST_F(ShowSliceToolTest, DamagedFilesKeepTheLayersBeforeTheDamage) {
  const auto good = [] { return SlcBytes().UnitHeader("MM", 0.5f).Layer(0, {Square10()}); };
  struct Case {
    const char* name;
    Bytes bytes;
    int layers;
  };
  Bytes cutLayer = good().Layer(0.5f, {Square10()}).bytes;
  cutLayer.resize(cutLayer.size() - 12);
  Bytes noMark = SlcBytes().Text("-SLCVER 2.0 -UNIT MM -EXTENTS 0,1,0,1,0,1\r\n").bytes;
  noMark.insert(noMark.end(), 300, ' ');
  Bytes inReserved = SlcBytes().Text("-SLCVER 2.0 -UNIT MM\r\n\x1A").bytes;
  inReserved.insert(inReserved.end(), 100, ' ');
  Bytes nanVertex = good().Layer(0.5f, {{{0, 0}, {std::nanf(""), 0}, {0, 0}}}).Terminator(1).bytes;
  const std::vector<Case> cases = {
      {"a table of 0 entries", SlcBytes().Header("-SLC -UNIT MM", {}).Layer(0, {Square10()}).Terminator(1).bytes, 0},
      {"a boundary of no vertices", good().Layer(0.5f, {{}}).Layer(1, {Square10()}).Terminator(1.5f).bytes, 3},
      {"a vertex count of 2^31 with 40 bytes left",
       good().Floats({0.5f}).U32(1).U32(0x80000000u).U32(0).Floats({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}).bytes, 1},
      {"a layer cut in the middle", cutLayer, 1},
      {"a vertex that is not a number", nanVertex, 1},
      {"a header without its end mark", noMark, 0},
      {"a file ending in the reserved block", inReserved, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = folder.Write("damaged.slc", c.bytes);
    const std::string mesh = folder.File("damaged.stl");
    ASSERT_TRUE(ConvertSlcToMesh(path, mesh, 1, 0, 0));
    // Each whole square layer gives 8 wall facets; the empty boundary none.
    const Bytes stl = ReadWholeFile(mesh);
    EXPECT_EQ(stl.size(), 84u + 50u * 8u * static_cast<std::size_t>(c.layers == 3 ? 2 : c.layers));

    Headless().statusTexts.clear();
    CShowSliceToolDlg* viewer = Open(path);
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->layers(), c.layers);
    EXPECT_EQ(Said(),
              c.layers == 3 ? std::vector<std::string>{}
                            : std::vector<std::string>{GetLocalizedString(kInvalidFileFormatMessage) + " " + path});
    for (int i = 0; i < 3; ++i) viewer->OnHScroll(CShowSliceToolDlg::kLineRight, 0);
    Feedback(*viewer);
  }
}

}  // namespace
