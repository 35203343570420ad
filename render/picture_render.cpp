#include "render/picture_render.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <memory>
#include <new>
#include <vector>

#include "kernel/bmp_image.h"
#include "kernel/matrix4.h"
#include "render/picture_buffer.h"
#include "render/picture_pixels.h"
#include "render/render_node.h"
#include "render/render_row_scan.h"
#include "render/render_state.h"
#include "render/render_state_scope.h"
#include "render/render_tree.h"
#include "render/view_render_scan.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/view_background.h"
#include "scene/viewport.h"
#include "services/progress.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

namespace {

constexpr int kRenderingToFile = 10124;    // "Rendering to file..."
constexpr int kProcessingOutline = 10125;  // "Processing Outline Drawing..."
// The outline raster's depth where nothing was hit.
constexpr float kNothing = -1e20f;
// The outline raster reaches past the picture's samples for the bends at its edges.
constexpr int kOutlineMargin = 3;
// Sample counts a side beyond this would overflow the engine's int columns and rows.
constexpr std::int64_t kMostSamplesASide = std::int64_t{1} << 28;

bool SizesFit(int width, int height, int samples) {
  return width >= 1 && height >= 1 && samples >= 1 &&
         std::int64_t{width} * samples <= kMostSamplesASide && std::int64_t{height} * samples <= kMostSamplesASide;
}

void ShowNotEnoughMemory() { ShowMessageBox(GetLocalizedString(kNotEnoughMemoryMessage)); }

// Row order of the files: the first band computed is the picture's bottom row.
bool WriteOneRow(PictureRowWriter& rows, const std::vector<std::uint8_t>& row, int width) {
  const std::uint8_t* const list[1] = {row.data()};
  return rows.WriteRows(list, width, 1);
}

// Puts only a complete picture in place; a failed close fails the picture too.
int FinishPicture(int result, std::unique_ptr<BmpFile> file) {
  if (result == 0 && !file->Close()) result = kPictureNotWritten;
  file.reset();
  RedrawAllViews();
  return result;
}

// Lowers the count raised for a tree that was never made.
CRenderNode* BuildObjectTree(CGeomObject* object) {
  ++RenderNestingCount;
  try {
    return BuildRenderNodes(object, RenderProjection, 1);
  } catch (...) {
    ReleaseRenderTree(nullptr);
    throw;
  }
}

int RenderObjectPicture(CGeomObject* object, const std::string& path, int width, int height, int n) {
  const int W = width * n;
  const int H = height * n;
  RenderStateScope saved;
  ShadingMode = 1;
  // Before the file, so that too little memory leaves none.
  std::unique_ptr<std::uint8_t[]> band = AllocatePictureBuffer<std::uint8_t>(std::uint64_t{3} * W * n);
  if (!band) {
    ShowNotEnoughMemory();
    return -1;
  }
  std::unique_ptr<BmpFile> file = CreateBmpFile(path, width, height, 1000, 1000);
  if (!file) return kPictureNotWritten;
  RenderMatrixTop() = kIdentityMatrix;
  Matrix4 projection = kIdentityMatrix;
  projection[0] = projection[5] = static_cast<float>(H) * 0.5f;
  projection[12] = static_cast<float>(W) * 0.5f;
  projection[13] = static_cast<float>(H) * 0.5f;
  RenderProjection = projection;
  int result = -1;
  {
    // An object with no nodes (a curve) gives a null root: the background alone.
    RenderTreeGuard tree(BuildObjectTree(object));
    result = RenderShadedImage(*file, tree.get(), W, H, n, band.get());
  }
  return FinishPicture(result, std::move(file));
}

int RenderViewPicture(const CViewport& view, const std::string& path, int width, int height, int n, int outline,
                      int outlineValue) {
  const int W = width * n;
  const int H = height * n;
  RenderStateScope saved;
  ShadingMode = 1;
  // Before the file, so that too little memory leaves none. 64-bit sizes: the largest outline
  // raster holds about 900 million depths.
  std::unique_ptr<std::uint8_t[]> band;
  std::unique_ptr<float[]> raster;
  if (outline != 0) {
    raster = AllocatePictureBuffer<float>(static_cast<std::uint64_t>(W + kOutlineMargin) *
                                          static_cast<std::uint64_t>(H + kOutlineMargin));
  } else {
    band = AllocatePictureBuffer<std::uint8_t>(std::uint64_t{3} * W * n);
  }
  if (!band && !raster) {
    ShowNotEnoughMemory();
    return -1;
  }
  const std::int32_t resolution = PictureResolution(view.zoomScale, height);
  std::unique_ptr<BmpFile> file = CreateBmpFile(path, width, height, resolution, resolution);
  if (!file) return kPictureNotWritten;

  ApplyActiveViewProjection();
  const Matrix4 viewMatrix = GetActiveViewMatrix();
  RenderMatrixTop() = viewMatrix;
  // The picture shows what the view shows, scaled to the picture's height. Its centre is H x 0.5
  // where the view's own is (height - 1) / 2.
  const float g = static_cast<float>(H) * 0.5f / view.viewExtent * view.zoomScale;
  Matrix4 projection = kIdentityMatrix;
  projection[0] = projection[5] = g;
  projection[12] = static_cast<float>(W) * 0.5f;
  projection[13] = static_cast<float>(H) * 0.5f;
  RenderProjection = projection;
  Matrix4 points = RenderProjection;
  if (outline != 0) {
    ShadingMode = 2;
    // Depths in pixels like x and y, so that the bends measure true angles.
    Matrix4 depthScale = kIdentityMatrix;
    depthScale[10] = g;
    points = MatMultiply(MatMultiply(viewMatrix, RenderProjection), depthScale);
  }
  int result = -1;
  {
    RenderTreeGuard tree(BuildRenderTree(points, 0));
    const float e = static_cast<float>(view.height) / static_cast<float>(H);
    SetBackgroundRenderFrame((static_cast<float>(view.width) - static_cast<float>(W) * e) * 0.5f,
                             static_cast<float>(view.height), e, -e);
    if (outline != 0) {
      result = RenderImage(*file, tree.get(), W + kOutlineMargin, H + kOutlineMargin, n,
                           1.0f / static_cast<float>(outlineValue), raster.get());
    } else {
      result = RenderShadedImage(*file, tree.get(), W, H, n, band.get());
    }
  }
  return FinishPicture(result, std::move(file));
}

}  // namespace

int RenderShadedImage(PictureRowWriter& rows, CRenderNode* tree, int W, int H, int n, std::uint8_t* band) {
  SetRenderColumnWindow(0, W - 1);
  SetPictureShadingState(W / 2, H / 2, 1.0f, H / 2);
  const std::size_t rowBytes = static_cast<std::size_t>(W) * 3;
  std::vector<std::uint8_t> out(static_cast<std::size_t>(W / n) * 3);
  CProgress progress;
  progress.OpenWithStringId(H, kRenderingToFile, n);
  const int bands = H / n;
  for (int b = 0; b < bands; ++b) {
    for (int i = 0; i < n; ++i) {
      const int row = b * n + i;
      std::uint8_t* pixels = band + static_cast<std::size_t>(i) * rowBytes;
      for (int column = 0; column < W; ++column) {
        const BackgroundColor c = GetBackgroundPixel(column, row);
        std::copy(c.begin(), c.end(), pixels + 3 * column);
      }
      ScanRenderRow(tree, row, W, [&](int column, CrossingEntry* list) {
        ReleaseCrossingList(ShadeCrossings(list, pixels + 3 * column, column, row));
      });
    }
    ReduceBand(band, W, n, out.data());
    if (!WriteOneRow(rows, out, W / n)) return kPictureNotWritten;
    const bool cancelled = progress.StepIt() == 1;
    // A cancel after the last band stops nothing: every row is written.
    if (cancelled && b + 1 < bands) return -1;
  }
  return 0;
}

int RenderImage(PictureRowWriter& rows, CRenderNode* tree, int W3, int H3, int n, float threshold, float* raster) {
  SetRenderColumnWindow(0, W3 - 1);
  const std::size_t stride = static_cast<std::size_t>(W3);
  std::fill(raster, raster + stride * static_cast<std::size_t>(H3), kNothing);
  {
    CProgress progress;
    progress.OpenWithStringId(H3, kRenderingToFile, 1);
    for (int row = 0; row < H3; ++row) {
      float* depths = raster + static_cast<std::size_t>(row) * stride;
      ScanRenderRow(tree, row, W3, [&](int column, CrossingEntry* list) {
        // Coincident faces in front hide nothing.
        const CrossingEntry* front = list;
        while (front != nullptr && front->next != nullptr && std::fabs(front->depth - front->next->depth) < 0.001f) {
          front = front->next->next;
        }
        if (front != nullptr) depths[column] = front->depth;
        ReleaseCrossingList(list);
      });
      if (progress.StepIt() == 1) return -1;
    }
  }
  const int W = W3 - kOutlineMargin;
  const int H = H3 - kOutlineMargin;
  const int width = W / n;
  const int outRows = H / n;
  std::vector<std::uint8_t> out(static_cast<std::size_t>(width) * 3);
  std::vector<int> whites(static_cast<std::size_t>(width));
  CProgress progress;
  progress.OpenWithStringId(H, kProcessingOutline, n);
  for (int r = 0; r < outRows; ++r) {
    std::fill(whites.begin(), whites.end(), 0);
    for (int y = 1 + r * n; y <= (r + 1) * n; ++y) {
      for (int x = 1; x <= width * n; ++x) {
        whites[static_cast<std::size_t>((x - 1) / n)] += OutlinePointIsWhite(raster, W3, x, y, threshold) ? 1 : 0;
      }
    }
    for (int i = 0; i < width; ++i) {
      const auto grey = static_cast<std::uint8_t>(whites[static_cast<std::size_t>(i)] * 255 / (n * n));
      std::fill_n(out.begin() + 3 * i, 3, grey);
    }
    if (!WriteOneRow(rows, out, width)) return kPictureNotWritten;
    const bool cancelled = progress.StepIt() == 1;
    if (cancelled && r + 1 < outRows) return -1;
  }
  return 0;
}

int RenderToPictureFile(const std::string& path, int width, int height, int samples, int outline, int outlineValue) {
  const CViewport* view = GetActiveView();
  if (view == nullptr || !SizesFit(width, height, samples)) return -1;
  try {
    return RenderViewPicture(*view, path, width, height, samples, outline, outlineValue);
  } catch (const std::bad_alloc&) {
    ShowNotEnoughMemory();
    return -1;
  }
}

int RenderObjectToPicture(CGeomObject* object, const std::string& path, int width, int height, int samples) {
  if (object == nullptr || !SizesFit(width, height, samples)) return -1;
  try {
    return RenderObjectPicture(object, path, width, height, samples);
  } catch (const std::bad_alloc&) {
    ShowNotEnoughMemory();
    return -1;
  }
}
