#include "app/command_rows.h"
#include "modelling/curve_dialogs.h"
#include "modelling/curve_drawing_commands.h"
#include "modelling/curve_edits.h"
#include "modelling/curve_pick_commands.h"
#include "modelling/curve_repeat_commands.h"
#include "modelling/join_curves_tool.h"
#include "modelling/loft_tool.h"
#include "modelling/pipe_surface.h"
#include "modelling/rail_surface_tool.h"
#include "modelling/selection_commands.h"
#include "modelling/sketch_tool.h"
#include "modelling/surface_edits.h"
#include "modelling/split_curve_tool.h"
#include "modelling/surface_commands.h"
#include "modelling/surface_dialogs.h"
#include "modelling/transform_dialog.h"

// Curves and surfaces.
void AddCurveSurfaceRows(std::vector<CommandRow>& rows) {
  const auto direct = [&rows](int id, void (*worker)()) { rows.push_back({id, HandlerKind::kDirect, worker}); };
  const auto resetFirst = [&rows](int id, void (*worker)()) {
    rows.push_back({id, HandlerKind::kResetFirst, worker});
  };
  direct(7000, &DoCurveSimple);
  direct(7001, &DoCurveVerticalMirror);
  direct(7002, &DoCurveHorizontalMirror);
  direct(7003, &DoCurveRevolve180);
  direct(7004, &DoCurveCycle);
  direct(7005, &DoCurveExtend);
  direct(7006, &DoCurveRevolve);
  direct(kSketchCurveCommand, &DoSketchCurve);
  direct(kMakeLineCommand, &RunMakeLineDialog);
  direct(kMakeCircleCommand, &RunMakeCircleDialog);
  direct(kMakePolygonCommand, &RunPolygonDialog);
  direct(kMakeHelixCommand, &RunHelixDialog);
  direct(7030, &DoAdjustSimple);
  direct(7031, &DoAdjustVerticalMirror);
  direct(7032, &DoAdjustHorizontalMirror);
  direct(7033, &DoAdjustRevolve180);
  direct(7034, &DoAdjustCycle);
  direct(7035, &DoAdjustExtend);
  direct(7036, &DoAdjustRevolve);
  // Close and Open act on the drawing tool's curve while it runs, so they keep the tool.
  direct(kCurveCloseCommand, &DoCurveClose);
  direct(kCurveOpenCommand, &DoCurveOpen);
  resetFirst(kCurveReverseCommand, &DoCurveReverse);
  direct(kCurveDivideCommand, &RunDivideCurvesDialog);
  resetFirst(kJoinCurvesCommand, &DoJoinCurves);
  resetFirst(kSplitCurveCommand, &DoSplitCurve);
  // Reset first, so even a cancelled Offset leaves the pick tool current.
  resetFirst(kOffsetCurveCommand, &RunCurveOffsetDialog);
  resetFirst(kInBetweenCurveCommand, &DoInBetweenCurve);
  resetFirst(kCurveLengthCommand, &DoCurveLength);
  resetFirst(7200, &DoRestoreRemovedCurves);
  direct(kExtendSurfaceCommand, &DoExtendSurface);
  direct(kVerticalRevolveSurfaceCommand, &DoVerticalRevolveSurface);
  direct(kHorizontalRevolveSurfaceCommand, &DoHorizontalRevolveSurface);
  direct(kLoftSurfaceCommand, &OnLoftSurface);
  direct(kRailSurfaceCommand, &OnRailSurface);
  resetFirst(kCylinderSurfaceCommand, &MakeCylinderSurface);
  resetFirst(kConeSurfaceCommand, &MakeConeSurface);
  resetFirst(kSphereSurfaceCommand, &MakeSphereSurface);
  resetFirst(8100, &DoSurfaceCloseU);
  resetFirst(8101, &DoSurfaceOpenU);
  resetFirst(8102, &DoSurfaceReverseU);
  resetFirst(8110, &DoSurfaceCloseV);
  resetFirst(8111, &DoSurfaceOpenV);
  resetFirst(8112, &DoSurfaceReverseV);
  resetFirst(8122, &DoSwapUV);
  resetFirst(8123, &DoFlipNormal);
  direct(7010, &OnCurveTransform);
  direct(7040, &OnAdjustCurveTransform);
  direct(8003, &OnSurfaceTransform);
  direct(kPipeSurfaceCommand, &RunPipeSurfaceDialog);
  direct(8120, &RunDivideSurfaceDialog);
  direct(8121, &RunSurfaceStepDialog);
  // Reset first, so even a cancelled Offset leaves the pick tool current, as for curves.
  resetFirst(8124, &RunSurfaceOffsetDialog);
}
