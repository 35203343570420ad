#include "app/command_rows.h"
#include "modelling/curve_edits.h"
#include "modelling/curve_pick_commands.h"
#include "modelling/join_curves_tool.h"
#include "modelling/sketch_tool.h"
#include "modelling/split_curve_tool.h"

// Curves and surfaces.
void AddCurveSurfaceRows(std::vector<CommandRow>& rows) {
  rows.push_back({kSketchCurveCommand, HandlerKind::kDirect, &DoSketchCurve});
  // Close and Open act on the drawing tool's curve while it runs, so they keep the tool.
  rows.push_back({kCurveCloseCommand, HandlerKind::kDirect, &DoCurveClose});
  rows.push_back({kCurveOpenCommand, HandlerKind::kDirect, &DoCurveOpen});
  rows.push_back({kCurveReverseCommand, HandlerKind::kResetFirst, &DoCurveReverse});
  rows.push_back({kJoinCurvesCommand, HandlerKind::kResetFirst, &DoJoinCurves});
  rows.push_back({kSplitCurveCommand, HandlerKind::kResetFirst, &DoSplitCurve});
  rows.push_back({kInBetweenCurveCommand, HandlerKind::kResetFirst, &DoInBetweenCurve});
  rows.push_back({kCurveLengthCommand, HandlerKind::kResetFirst, &DoCurveLength});
}
