#include "render/view_render_scan.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/device_context.h"
#include "render/material.h"
#include "render/render_node.h"
#include "render/render_state.h"
#include "render/shading.h"
#include "scene/depth_raster.h"
#include "scene/drawing_context.h"
#include "scene/scene.h"
#include "scene/view_background.h"
#include "scene/viewport.h"
#include "services/ui_utilities.h"

namespace {

// Coincident front and back faces, such as a solid thinner than the depth resolution, would
// otherwise flicker between the two.
CrossingEntry* DropCoincidentPairs(CrossingEntry* head) {
  while (head != nullptr && head->next != nullptr && std::fabs(head->depth - head->next->depth) < 0.001f) {
    CrossingEntry* rest = head->next->next;
    ReleaseCrossingEntry(head->next);
    ReleaseCrossingEntry(head);
    head = rest;
  }
  return head;
}

// Interpolation can overshoot 0..1 a little; NaN from a degenerate normal paints black.
std::uint8_t TruncatedColourByte(float c) {
  const float scaled = c * 255.0f;
  if (!(scaled > 0.0f)) return 0;
  return scaled >= 255.0f ? 255 : static_cast<std::uint8_t>(scaled);
}

void PaintInterpolatedColour(const CrossingEntry* front, std::uint8_t* pixel) {
  const EdgeAttributes* a = front->span->attributes;
  if (a == nullptr) return;
  pixel[0] = TruncatedColourByte(a->value[kAttrColour + 2]);
  pixel[1] = TruncatedColourByte(a->value[kAttrColour + 1]);
  pixel[2] = TruncatedColourByte(a->value[kAttrColour]);
}

Vector3 AttributeVector(const EdgeAttributes* a, int first) {
  return {a->value[first], a->value[first + 1], a->value[first + 2]};
}

// Restores the engine's column window on every path out.
class ColumnWindowScope {
 public:
  ColumnWindowScope(int first, int last)
      : first_(RenderWindowFirstColumn()), last_(RenderWindowLastColumn()) {
    SetRenderColumnWindow(first, last);
  }
  ~ColumnWindowScope() { SetRenderColumnWindow(first_, last_); }
  ColumnWindowScope(const ColumnWindowScope&) = delete;
  ColumnWindowScope& operator=(const ColumnWindowScope&) = delete;

 private:
  int first_;
  int last_;
};

void FillBackgroundRow(std::uint8_t* pixels, int firstColumn, int width, int row) {
  for (int i = 0; i < width; ++i) {
    const BackgroundColor c = GetBackgroundPixel(firstColumn + i, row);
    std::copy(c.begin(), c.end(), pixels + 3 * i);
  }
}

}  // namespace

CrossingEntry* ShadeCrossings(CrossingEntry* head, std::uint8_t* pixel, int column, int row) {
  head = DropCoincidentPairs(head);
  if (head == nullptr) return nullptr;
  const EdgeAttributes* a = head->span->attributes;
  if (a == nullptr) return head;
  const CMaterial& material = MaterialOrDefault(a->material);
  // Farther surfaces first, so the nearer one blends over them.
  if (material.transparency > 0.0f) head->next = ShadeCrossings(head->next, pixel, column, row);
  frontDepth = head->depth;
  PixelShadeInput input;
  input.pixel = pixel;
  input.column = column;
  input.row = row;
  input.u = a->value[kAttrTextureU];
  input.v = a->value[kAttrTextureV];
  input.position = AttributeVector(a, kAttrPosition);
  input.normal = AttributeVector(a, kAttrNormal);
  input.tangentU = AttributeVector(a, kAttrTangentU);
  input.tangentV = AttributeVector(a, kAttrTangentV);
  material.ShadePixel(input);
  return head;
}

void RenderViewRows(CRenderNode* root, int firstColumn, int lastColumn, int firstRow, int lastRow) {
  if (lastColumn < firstColumn) return;
  const int width = lastColumn - firstColumn + 1;
  // Padded to whole 4-byte groups: the blit takes nothing shorter.
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(DibRowBytes(width)));
  ColumnWindowScope window(firstColumn, lastColumn);
  const DepthRaster* raster = DrawingViewDepthRaster();
  const float emptyDepth = raster != nullptr ? raster->emptyDepth : 0.0f;
  for (int row = firstRow; row <= lastRow; ++row) {
    if (CheckUserAbort() != 0) break;
    FillBackgroundRow(pixels.data(), firstColumn, width, row);
    // Where this frame hits nothing, the depths of an older frame (often another camera's) would
    // snap tools onto surfaces that are no longer there. The depth test needs the old values.
    if (DepthTestFlag == 0) {
      for (int column = firstColumn; column <= lastColumn; ++column) *GetDepthPixel(column, row) = emptyDepth;
    }
    if (root != nullptr && root->firstRow <= row) {
      root->AdvanceToScanline(row);
      for (int column = std::max(firstColumn, root->firstColumn); column <= lastColumn; ++column) {
        CrossingEntry* list = DropCoincidentPairs(root->GetSpans(column));
        if (list == nullptr) continue;
        float* depth = GetDepthPixel(column, row);
        if (DepthTestFlag == 0 || *depth < list->depth) {
          *depth = list->depth;
          std::uint8_t* pixel = pixels.data() + 3 * (column - firstColumn);
          if (ShadingMode == 0) {
            PaintInterpolatedColour(list, pixel);
          } else {
            list = ShadeCrossings(list, pixel, column, row);
          }
        }
        ReleaseCrossingList(list);
      }
    }
    BlitDib(firstColumn, row, width, 1, pixels);
    if (CViewport* viewport = GetActiveView()) viewport->WindowImageChanged();
  }
}
