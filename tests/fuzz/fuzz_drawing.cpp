#include "fuzz_drawing.h"

#include <algorithm>
#include <cstring>

#include "render/view_renderer.h"
#include "scene/active_view_renderer.h"
#include "scene/gl_table.h"
#include "scene/object_picking.h"
#include "scene/viewport.h"
#include "scene/zoom_tools.h"

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;

constexpr int kDisplayModes[] = {kDisplayQuickWire, kDisplayNormalWire, kDisplayMeshWire,
                                 kDisplayFastShading, kDisplayShadingInColor, kDisplayRendering};

}  // namespace

void ReadingGl::GetFloatv(GlEnum, float* values) {
  std::fill_n(values, 16, 0.0f);
  for (int i = 0; i < 16; i += 5) values[i] = 1.0f;
}

void ReadingGl::ReadVertex(std::uint32_t index) {
  for (int k = 0; k < 3; ++k) sum_ += vertices_[3 * index + k] + normals_[3 * index + k];
}

void ReadingGl::DrawElements(GlEnum, int count, GlEnum type, const void* indices) {
  if (type != kGlUnsignedInt) FuzzCheckFailed("indices of another type than 32-bit");
  const auto* index = static_cast<const std::uint32_t*>(indices);
  for (int i = 0; i < count; ++i) ReadVertex(index[i]);
}

void ReadingGl::DrawArrays(GlEnum, int first, int count) {
  for (int i = first; i < first + count; ++i) ReadVertex(static_cast<std::uint32_t>(i));
}

void ReadingGl::ReadPixels(int, int, int width, int height, GlEnum format, GlEnum, void* pixels) {
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  if (format == kGlDepthComponent) {
    std::fill_n(static_cast<float*>(pixels), count, 1.0f);
  } else {
    std::memset(pixels, 0, static_cast<std::size_t>((3 * width + 3) / 4 * 4) * static_cast<std::size_t>(height));
  }
}

FuzzDrawing::FuzzDrawing() : canvas_(kWidth, kHeight) {
  // A fixed view, which draws its grid and axes too.
  CViewport& pane = view_.pane();
  pane.SetSize(kWidth, kHeight);
  pane.viewType = kViewFront;
  pane.SetAxes(0, 2, 1, 1, 1, -1);
  SetDrawingView(this);
  ResizeDepthRaster(&depth_, kWidth, kHeight, CanvasLife());
  InstallGlCalls(&gl_);
  RegisterActiveViewRenderer(&SoftwareRenderActiveView);
}

FuzzDrawing::~FuzzDrawing() {
  RegisterActiveViewRenderer(nullptr);
  InstallGlCalls(nullptr);
  SetDrawingView(nullptr);
}

void FuzzDrawing::Frame(int displayMode) {
  view_.pane().displayMode = displayMode;
  RedrawView(&view_.pane());
}

void FuzzDrawing::Shade() { Frame(kDisplayFastShading); }

void FuzzDrawing::DrawEveryWay() {
  ZoomAll();
  for (const int mode : kDisplayModes) Frame(mode);
  PickObjectAt(kWidth / 2, kHeight / 2, 0, -1);
}
