#include "app/command_rows.h"
#include "modelling/curve_drawing_commands.h"

// Curves and surfaces.
void AddCurveSurfaceRows(std::vector<CommandRow>& rows) {
  const auto direct = [&rows](int id, void (*worker)()) { rows.push_back({id, HandlerKind::kDirect, worker}); };
  direct(7000, &DoCurveSimple);
  direct(7001, &DoCurveVerticalMirror);
  direct(7002, &DoCurveHorizontalMirror);
  direct(7003, &DoCurveRevolve180);
  direct(7004, &DoCurveCycle);
  direct(7030, &DoAdjustSimple);
  direct(7031, &DoAdjustVerticalMirror);
  direct(7032, &DoAdjustHorizontalMirror);
  direct(7033, &DoAdjustRevolve180);
  direct(7034, &DoAdjustCycle);
}
