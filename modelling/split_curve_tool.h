#pragma once

#include "modelling/curve_command_ids.h"
#include "scene/tool.h"

class CCurveObject;

// Splits a picked curve at the inner control point under the release into two open curves that
// share that point; one undo step brings the source back.
class CSplitCurveTool : public CTool {
 public:
  CSplitCurveTool() : CTool(0) {}

  int GetCursorId() const override { return kSplitCurveCommand; }
  void OnLButtonDown(int flags, int x, int y) override;
  void OnLButtonUp(int flags, int x, int y) override;

 private:
  CCurveObject* picked_ = nullptr;
};

// Curve > Split Curve.
void DoSplitCurve();
