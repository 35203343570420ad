#pragma once

#include <memory>
#include <vector>

#include "kernel/curve_object.h"
#include "modelling/curve_command_ids.h"
#include "scene/tool.h"

// Joins picked curves into one: each press appends a picked curve's points in the order picked.
// The tool owns the joined curve while it runs and shows it as feedback; when it ends with
// points, the joined curve is added and the picked curves are deleted, one undo step bringing
// them back. Ending with none leaves the scene and the history as they were.
class CJoinCurvesTool : public CTool {
 public:
  static constexpr int kMaxPicks = 256;

  CJoinCurvesTool() : CTool(0) {}
  ~CJoinCurvesTool() override;

  int GetCursorId() const override { return kJoinCurvesCommand; }
  // Takes back the most recent pick; a right press comes here too.
  void OnLButtonDblClk(int flags, int x, int y) override;
  void OnLButtonDown(int flags, int x, int y) override;
  void DrawFeedback(int paneButtonBits) override;

  const CCurveObject& Joined() const { return *joined_; }
  int PickCount() const { return static_cast<int>(picked_.size()); }

 private:
  std::unique_ptr<CCurveObject> joined_ = std::make_unique<CCurveObject>();
  struct Pick {
    CCurveObject* curve;
    int pointCount;
  };
  std::vector<Pick> picked_;
};

// Curve > Join Curves.
void DoJoinCurves();
