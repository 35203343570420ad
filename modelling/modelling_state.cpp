#include "modelling/modelling_state.h"

#include "modelling/block_dialog.h"
#include "modelling/copy_commands.h"
#include "modelling/copy_tool.h"
#include "modelling/curve_dialogs.h"
#include "modelling/curve_pick_commands.h"
#include "modelling/curve_repeat_commands.h"
#include "modelling/extend_solid_dialog.h"
#include "modelling/extend_tool_dialog.h"
#include "modelling/jewel_type_dialog.h"
#include "modelling/mapping_dialogs.h"
#include "modelling/pipe_surface.h"
#include "modelling/rail_surface_tool.h"
#include "modelling/repeat_tool_dialog.h"
#include "modelling/ring_size_dialog.h"
#include "modelling/round_diamond_size_dialog.h"
#include "modelling/surface_commands.h"
#include "modelling/surface_dialogs.h"
#include "modelling/text_command.h"
#include "modelling/transform_dialog.h"

void ResetModellingState() {
  ForgetInBetweenCurve();
  ResetCurveDialogValues();
  CurveRepeat = CurveRepeatValues();
  ExtendPolarFlag = 0;
  RepeatDialogConfirmed = 0;
  ResetJewelTypeDialog();
  ResetRoundDiamondSize();
  SurfaceCommands = SurfaceCommandValues();
  RailSurfaceDialog = CRailSurfaceDlg();
  ForgetDefaultPipeSection();
  ResetBlockFromCurvesDialog();
  ResetTextCommand();
  ResetTransformDialogs();
  ResetSurfaceDialogs();
  CopyRepeatValues = CurveRepeatValues();
  ResetCopyState();
  ResetRingSizeDialog();
  ResetExtendToSolidDialog();
  ResetMappingCommands();
}
