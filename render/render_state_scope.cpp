#include "render/render_state_scope.h"

#include "render/shading.h"

RenderStateScope::RenderStateScope()
    : shadingMode_(ShadingMode),
      closedColumns_(ClosedColumnsFlag),
      centreColumn_(viewCentreColumn),
      centreRow_(viewCentreRow),
      rowDirection_(rowDirection),
      halfHeight_(halfHeight),
      background_(GetBackgroundColor()) {}

RenderStateScope::~RenderStateScope() {
  ShadingMode = shadingMode_;
  ClosedColumnsFlag = closedColumns_;
  viewCentreColumn = centreColumn_;
  viewCentreRow = centreRow_;
  rowDirection = rowDirection_;
  halfHeight = halfHeight_;
  SetBackgroundColorRGB(background_[2], background_[1], background_[0]);
}

void SetPictureShadingState(int centreColumn, int centreRow, float direction, int half) {
  viewCentreColumn = static_cast<float>(centreColumn);
  viewCentreRow = static_cast<float>(centreRow);
  rowDirection = direction;
  halfHeight = static_cast<float>(half);
}
