#pragma once

#include <array>

#include "scene/tool.h"

class CCurveObject;
class CSurfaceObject;

inline constexpr int kPipeSurfaceCommand = 8005;

// What a pipe places along its paths: the first and last section, blended from one to the other
// along the path, read in their frame (first in-plane, second in-plane, normal) and scaled.
struct PipeSections {
  const CCurveObject* first = nullptr;
  const CCurveObject* second = nullptr;
  std::array<int, 3> axes{0, 1, 2};
  float scale = 1.0f;
  // The circular pipe keeps its radius round bends: its sections are placed where the path's
  // curve passes at its knots, and its rows solved to pass through them there.
  bool onPathCurve = false;
};

// The pipe of one path; none for a path that is one of the sections or has fewer than two
// points (it gives the blend no length and the placement no direction). The surface, added, or
// null.
CSurfaceObject* BuildSurfaceFromTool(const PipeSections& sections, CCurveObject* path);
// Every selected curve piped and removed, under the reference frame of the active view.
void PipeSelectedCurves(const PipeSections& sections);

// The circular section of six points at radius 1.2 in the xy plane, closed: made on first use,
// kept out of the scene for the run.
CCurveObject* GetDefaultPipeSection();
void ForgetDefaultPipeSection();

// Every selected curve piped with the default section scaled by the radius.
void BuildCircularPipes(float radius);

// Picks the section (mode 1) or the first and last sections (mode 2), then pipes every selected
// curve and returns to picking.
class CPipeSectionPickTool : public CTool {
 public:
  CPipeSectionPickTool(int mode, int vertical);

  int GetCursorId() const override { return kPipeSurfaceCommand; }
  void OnLButtonDown(int flags, int x, int y) override;
  void OnLButtonUp(int flags, int x, int y) override;

  const PipeSections& Sections() const { return sections_; }
  int Count() const { return count_; }
  int Mode() const { return mode_; }

 private:
  int mode_;
  int vertical_;
  int count_ = 0;
  PipeSections sections_;
};

// The Pipe dialog's worker: mode 1 one section, 2 two sections (both picked), 3 the circular
// section of the radius, built at once.
void DoPipeSurface(int mode, int vertical, float radius);
