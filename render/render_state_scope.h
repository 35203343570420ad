#pragma once

#include <cstdint>

#include "render/render_state.h"
#include "scene/view_background.h"

// What every render entry point changes of the program-wide state: the shading mode, closed
// columns, the shading state of the picture, the background colour and the render matrix stack
// (one push). All of it is put back on every path out, early returns and exceptions included.
class RenderStateScope {
 public:
  RenderStateScope();
  ~RenderStateScope();
  RenderStateScope(const RenderStateScope&) = delete;
  RenderStateScope& operator=(const RenderStateScope&) = delete;

 private:
  std::int16_t shadingMode_;
  int closedColumns_;
  float centreColumn_;
  float centreRow_;
  float rowDirection_;
  float halfHeight_;
  BackgroundColor background_;
  RenderMatrixScope matrix_;
};

// Sets the shading state for a picture whose pixel (centreColumn, centreRow) lies on the view
// axis; rows run downwards in views (-1) and upwards in files (+1).
void SetPictureShadingState(int centreColumn, int centreRow, float rowDirection, int halfHeight);
