#include "render/picture_render.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "kernel/curve_object.h"
#include "kernel/mesh_object.h"
#include "kernel/surface_object.h"
#include "platform/ui_services.h"
#include "render/material_editor.h"
#include "render/picture_buffer.h"
#include "render/render_state.h"
#include "scene/view_background.h"
#include "scene_fixture.h"
#include "scratch_file.h"
#include "services/string_table.h"
#include "temp_dir.h"

namespace {

using Outline2 = std::vector<std::pair<float, float>>;

// A prism standing along z over a convex outline in (x, y), counter-clockwise seen from +z. In
// the Front view below, the viewer looks along +y, so the outline's low-y side faces the viewer.
std::unique_ptr<CMeshObject> Prism(const Outline2& outline, float z0, float z1) {
  const auto n = static_cast<std::int32_t>(outline.size());
  std::vector<Vector3> points;
  for (const float z : {z0, z1}) {
    for (const auto& [x, y] : outline) points.push_back({x, y, z});
  }
  std::vector<std::int32_t> sizes = {n, n};
  std::vector<std::int32_t> indices;
  for (std::int32_t i = 0; i < n; ++i) indices.push_back(n + i);
  for (std::int32_t i = n - 1; i >= 0; --i) indices.push_back(i);
  for (std::int32_t i = 0; i < n; ++i) {
    const std::int32_t j = (i + 1) % n;
    sizes.push_back(4);
    indices.insert(indices.end(), {i, j, n + j, n + i});
  }
  auto mesh = std::make_unique<CMeshObject>();
  mesh->SetPoints(static_cast<int>(points.size()), points);
  EXPECT_TRUE(mesh->SetFaces(sizes, indices));
  return mesh;
}

// A picture file's pixels, bottom row first as the file stores them.
struct Picture {
  int width = 0;
  int height = 0;
  Bytes bytes;
  const std::uint8_t* Pixel(int column, int fileRow) const {
    const int rowBytes = (width * 3 + 3) & ~3;
    return bytes.data() + 54 + fileRow * rowBytes + 3 * column;
  }
  bool Is(int column, int fileRow, std::uint8_t b, std::uint8_t g, std::uint8_t r) const {
    const std::uint8_t* p = Pixel(column, fileRow);
    return p[0] == b && p[1] == g && p[2] == r;
  }
  bool White(int column, int fileRow) const { return Is(column, fileRow, 255, 255, 255); }
};

// A Front view (x right, z up, the viewer looking along +y) whose picture at the pane's own size
// has one pixel per model unit: pixel column x + width / 2, file row z + height / 2.
class PictureRenderTest : public SceneTest {
 protected:
  void ShowFront(int width, int height) {
    view.SetSize(width, height);
    view.viewType = kViewFront;
    view.SetAxes(0, 2, 1, 1, 1, -1);
    view.viewExtent = static_cast<float>(height) * 0.5f;
    view.zoomScale = 1.0f;
  }

  template <class T>
  T* Add(std::unique_ptr<T> object) {
    T* added = AddObject(object, 1);
    added->ObjectState = kStateShown;
    return added;
  }

  Picture Render(int width, int height, int samples, int outline, int outlineValue = 10) {
    EXPECT_EQ(RenderToPictureFile(path, width, height, samples, outline, outlineValue), 0);
    return {width, height, ReadWholeFile(path)};
  }

  TempDir folder;
  const std::string path = folder.File("picture.bmp");
};

TEST_F(PictureRenderTest, OutlineOfAnEmptySceneIsWhiteByteForByte) {
  ShowFront(5, 3);
  view.zoomScale = static_cast<float>(1.26);  // resolution 1.26 x 3 x 20 = 75.6, rounded to 76
  const Picture picture = Render(5, 3, 1, 1);
  Bytes expected = {'B', 'M'};
  Append(&expected, std::uint32_t{54 + 3 * 16});
  Append(&expected, std::uint32_t{0});
  Append(&expected, std::uint32_t{54});
  Append(&expected, std::uint32_t{40});
  Append(&expected, std::int32_t{5});
  Append(&expected, std::int32_t{3});
  Append(&expected, std::uint16_t{1});
  Append(&expected, std::uint16_t{24});
  Append(&expected, std::uint32_t{0});
  Append(&expected, std::uint32_t{0});
  Append(&expected, std::int32_t{76});
  Append(&expected, std::int32_t{76});
  Append(&expected, std::uint32_t{0});
  Append(&expected, std::uint32_t{0});
  for (int row = 0; row < 3; ++row) {
    expected.insert(expected.end(), 15, 255);
    expected.push_back(0);
  }
  EXPECT_EQ(picture.bytes, expected);
}

TEST_F(PictureRenderTest, OutlineDrawsSilhouettesAndCreasesOfTheThreshold) {
  // A prism 16 wide and 6 high whose front turns away by the angle right of x = 0: its crease
  // lies near column 10, its silhouettes near columns 2 and 18 and rows 2 and 8.
  struct Case {
    double degrees;
    bool crease;
  };
  for (const Case c : {Case{0, false}, Case{25, false}, Case{27, true}}) {
    SCOPED_TRACE(c.degrees);
    SetUp();
    ShowFront(21, 11);
    const auto t = static_cast<float>(std::tan(c.degrees * std::numbers::pi / 180));
    Add(Prism({{-8, 0}, {0, 0}, {8, 8 * t}, {8, 10}, {-8, 10}}, -3, 3));
    const Picture picture = Render(21, 11, 1, 1);
    ASSERT_EQ(picture.bytes.size(), 54u + 11 * 64);
    const auto blackIn = [&](int fileRow, int first, int last) {
      int count = 0;
      for (int column = first; column <= last; ++column) count += picture.Is(column, fileRow, 0, 0, 0) ? 1 : 0;
      return count;
    };
    // Off the prism, and on its faces away from edges and crease, all is white.
    for (int column = 0; column < 21; ++column) EXPECT_TRUE(picture.White(column, 10)) << column;
    EXPECT_TRUE(picture.White(20, 4));
    EXPECT_EQ(blackIn(4, 5, 7), 0);
    EXPECT_EQ(blackIn(4, 13, 15), 0);
    // The silhouettes: left, right, bottom and top.
    EXPECT_GT(blackIn(4, 0, 3), 0);
    EXPECT_GT(blackIn(4, 16, 19), 0);
    int bottom = 0, top = 0;
    for (int row = 0; row <= 2; ++row) bottom += picture.Is(6, row, 0, 0, 0) ? 1 : 0;
    for (int row = 6; row <= 9; ++row) top += picture.Is(6, row, 0, 0, 0) ? 1 : 0;
    EXPECT_GT(bottom, 0);
    EXPECT_GT(top, 0);
    EXPECT_EQ(blackIn(4, 8, 12) > 0, c.crease);
  }
}

TEST_F(PictureRenderTest, ASceneInTheUpperHalfLandsInTheLastRowsOfTheFile) {
  ShowFront(4, 4);
  SetBackgroundColorRGB(30, 20, 10);
  // Rows are sampled at whole row numbers: rows 2 and 3 only.
  Add(Prism({{-3, 0}, {3, 0}, {3, 1}, {-3, 1}}, -0.5f, 3));
  const Picture picture = Render(4, 4, 1, 0);
  for (int column = 0; column < 4; ++column) {
    SCOPED_TRACE(column);
    EXPECT_TRUE(picture.Is(column, 0, 10, 20, 30));
    EXPECT_TRUE(picture.Is(column, 1, 10, 20, 30));
    EXPECT_FALSE(picture.Is(column, 2, 10, 20, 30));
    EXPECT_FALSE(picture.Is(column, 3, 10, 20, 30));
  }
  EXPECT_EQ(RenderNestingCount, 0);
}

TEST_F(PictureRenderTest, ProgressCaptionsOfBothPasses) {
  ShowFront(1, 2);
  Render(1, 2, 1, 0);
  const auto& captions = Headless().progress.captions;
  EXPECT_NE(std::find(captions.begin(), captions.end(), "Rendering to file... 50%"), captions.end());
  Render(1, 2, 1, 1);
  EXPECT_NE(std::find(captions.begin(), captions.end(), "Processing Outline Drawing... 50%"), captions.end());
}

// Every way a picture can fail: -1, the older picture at the path as it was and no temporary
// file beside it, the render state as before.
TEST_F(PictureRenderTest, CancelsAndFailuresLeaveTheOlderPicture) {
  const Bytes older = {'o', 'l', 'd'};
  // Presses Cancel at pumps whose caption starts with the prefix, and confirms.
  const auto cancelDuring = [](const std::string& prefix) {
    Headless().messageAnswers = {kAnswerYes};
    Headless().onProgressPump = [prefix](ProgressWindowClient& client) {
      if (Headless().progress.captions.back().rfind(prefix, 0) == 0) client.OnCancel();
    };
  };
  struct Case {
    const char* name;
    int outline;
    std::function<std::string()> prepare;  // returns the target
    bool olderFile;
    std::vector<std::string> messages;
    bool rendered;
  };
  const std::string noMemory = GetLocalizedString(kNotEnoughMemoryMessage);
  const std::vector<Case> cases = {
      {"a cancel at the first band", 0,
       [&] {
         cancelDuring("Rendering");
         return path;
       },
       true, {"Are you sure to Cancel?"}, true},
      {"a cancel in the outline's second pass", 1,
       [&] {
         cancelDuring("Processing");
         return path;
       },
       true, {"Are you sure to Cancel?"}, true},
      {"a failed shaded band buffer", 0,
       [&] {
         FailNextPictureBuffer(true);
         return path;
       },
       false, {noMemory}, false},
      {"a failed outline raster", 1,
       [&] {
         FailNextPictureBuffer(true);
         return path;
       },
       false, {noMemory}, false},
      {"a target under a file", 0,
       [&] { return folder.Write("plain", older) + "/picture.bmp"; }, false, {}, false},
      {"a target without write bits", 0,
       [&] {
         chmod(path.c_str(), 0444);
         return path;
       },
       true, {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    ShowFront(4, 4);
    Add(Prism({{-1, 0}, {1, 0}, {1, 1}, {-1, 1}}, -1, 1));
    if (c.olderFile) WriteWholeFile(path, older);
    const std::int16_t mode = ShadingMode;
    SetBackgroundColorRGB(1, 2, 3);
    const std::string target = c.prepare();
    const std::vector<std::string> before = folder.Entries();

    // A failure that says nothing itself is a file that could not be written.
    EXPECT_EQ(RenderToPictureFile(target, 4, 4, 1, c.outline, 10), c.messages.empty() ? kPictureNotWritten : -1);

    std::vector<std::string> shown;
    for (const auto& message : Headless().messages) shown.push_back(message.text);
    EXPECT_EQ(shown, c.messages);
    EXPECT_EQ(Headless().progress.windowsOpened > 0, c.rendered);
    EXPECT_EQ(folder.Entries(), before);
    if (c.olderFile) {
      EXPECT_EQ(ReadWholeFile(path), older);
    }
    EXPECT_EQ(RenderNestingCount, 0);
    EXPECT_EQ(ShadingMode, mode);
    EXPECT_EQ(RenderMatrixTop(), kIdentityMatrix);
    EXPECT_EQ(GetBackgroundColor(), (BackgroundColor{3, 2, 1}));
    chmod(path.c_str(), 0644);
    std::remove(path.c_str());
    std::remove(folder.File("plain").c_str());
  }
}

// Stands for a file that fails at one row.
class FailingRows final : public PictureRowWriter {
 public:
  explicit FailingRows(int failAt) : failAt_(failAt) {}
  bool WriteRows(const std::uint8_t* const*, int, int count) override {
    const bool ok = calls != failAt_;
    calls += count;
    return ok;
  }
  int calls = 0;

 private:
  int failAt_;
};

TEST_F(PictureRenderTest, RowLoopsStopAtTheFirstFailedRow) {
  for (const int n : {1, 3}) {
    SCOPED_TRACE(n);
    FailingRows shaded(1);
    std::vector<std::uint8_t> band(static_cast<std::size_t>(3 * 4 * n) * n);
    EXPECT_EQ(RenderShadedImage(shaded, nullptr, 4 * n, 3 * n, n, band.data()), kPictureNotWritten);
    EXPECT_EQ(shaded.calls, 2);

    FailingRows outline(2);
    std::vector<float> raster(static_cast<std::size_t>(4 * n + 3) * (3 * n + 3));
    EXPECT_EQ(RenderImage(outline, nullptr, 4 * n + 3, 3 * n + 3, n, 0.1f, raster.data()), kPictureNotWritten);
    EXPECT_EQ(outline.calls, 3);

    FailingRows none(-1);
    EXPECT_EQ(RenderShadedImage(none, nullptr, 4 * n, 3 * n, n, band.data()), 0);
    EXPECT_EQ(none.calls, 3);
  }
}

TEST_F(PictureRenderTest, ObjectPictureOnAWhiteBackground) {
  SetBackgroundColorRGB(255, 255, 255);
  // The material editor's shape, like a sphere, seen along z.
  const auto surface = MaterialPreviewSurface();
  ASSERT_EQ(RenderObjectToPicture(surface.get(), path, 100, 100, 3), 0);
  const Picture picture{100, 100, ReadWholeFile(path)};
  ASSERT_EQ(picture.bytes.size(), 54u + 100 * 300);
  for (const auto& [column, row] : {std::pair{0, 0}, {99, 0}, {0, 99}, {99, 99}}) {
    EXPECT_TRUE(picture.White(column, row)) << column << " " << row;
  }
  EXPECT_FALSE(picture.White(50, 50));
  EXPECT_EQ(RenderNestingCount, 0);

  // Nothing to render: the count still goes up and down, and the picture is the background.
  CCurveObject curve;
  curve.SetPoints(3, {{-1, 0, 0}, {0, 1, 0}, {1, 0, 0}});
  ASSERT_EQ(RenderObjectToPicture(&curve, path, 4, 3, 1), 0);
  const Picture blank{4, 3, ReadWholeFile(path)};
  ASSERT_EQ(blank.bytes.size(), 54u + 3 * 12);
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 4; ++column) EXPECT_TRUE(blank.White(column, row));
  }
  EXPECT_EQ(RenderNestingCount, 0);
  EXPECT_TRUE(Headless().messages.empty());
}

}  // namespace
