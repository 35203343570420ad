#include "app/command_rows.h"
#include "modelling/block_dialog.h"
#include "modelling/text_command.h"

#include "manufacturing/cut_slices.h"
#include "manufacturing/estimate_commands.h"
#include "manufacturing/nc_program_command.h"
#include "manufacturing/nc_show_path.h"
#include "manufacturing/one_side_stl_commands.h"
#include "manufacturing/show_slice_tool.h"
#include "modelling/axis_line_tool.h"
#include "modelling/boolean_commands.h"
#include "modelling/extend_solid_dialog.h"
#include "modelling/facet_commands.h"
#include "modelling/jewel_commands.h"
#include "modelling/measure_tool.h"
#include "modelling/ring_size_dialog.h"
#include "modelling/round_jewel_count.h"
#include "render/render_to_file.h"

// Booleans, jewels, text, rendering and manufacturing output.
void AddBooleanOutputRows(std::vector<CommandRow>& rows) {
  const auto direct = [&rows](int id, void (*worker)()) { rows.push_back({id, HandlerKind::kDirect, worker}); };
  const auto resetFirst = [&rows](int id, void (*worker)()) {
    rows.push_back({id, HandlerKind::kResetFirst, worker});
  };
  resetFirst(9000, &DoBooleanUnion);
  resetFirst(9001, &DoBooleanIntersect);
  // The subtract tool replaces the pick tool itself; the selection names the subtractors.
  direct(9002, &DoBooleanSubtract);
  resetFirst(9003, &DoDisBoolean);
  resetFirst(9004, &DoShowSubtractors);
  resetFirst(9005, &DoHideSubtractors);
  // The jewel resets once a cut is chosen, so Cancel keeps the tool; the count resets itself.
  direct(9010, &OnMakeBlockFromCurves);
  direct(9030, &OnJewel);
  direct(9031, &DoCountRoundJewel);
  direct(9040, &OnText);
  // The render resets to the pick tool only after OK, so Cancel keeps the tool.
  direct(9100, &OnRenderToFile);
  // The viewer stays the current tool.
  direct(kShowSlicesCommand, &OnShowSlices);
  direct(9041, &DoAxisLine);
  direct(9300, &DoMeasureDistance);
  resetFirst(9020, &DoFlatShaded);
  resetFirst(9021, &DoSmoothShaded);
  resetFirst(9022, &DoFlipMeshNormal);
  resetFirst(9023, &OnExtendToSolid);
  // The weight resets once its dialog is confirmed, so Cancel keeps the tool.
  direct(9200, &OnWeight);
  // The slicing resets once its dialog is confirmed.
  direct(9110, &CutIntoSlices);
  direct(9301, &OnRingSize);
  resetFirst(9201, &OnVolume);
  resetFirst(9202, &OnCenterOfGravity);
  resetFirst(9130, &OnStlForSupport);
  resetFirst(9131, &OnStlFor3AxisNc);
  resetFirst(9132, &OnStlForRotaryNc);
  // The program is written only after OK, which resets to the pick tool; Cancel keeps the tool.
  direct(kNcProgramCommand, &OnNcProgram);
  // The path is shown only after OK, which resets to the pick tool; Cancel keeps the tool.
  direct(9121, &OnShowNcProgram);
}
