#include "modelling/modelling_state.h"

#include "modelling/block_dialog.h"
#include "modelling/curve_dialogs.h"
#include "modelling/curve_pick_commands.h"
#include "modelling/curve_repeat_commands.h"
#include "modelling/extend_tool_dialog.h"
#include "modelling/repeat_tool_dialog.h"
#include "modelling/text_command.h"

void ResetModellingState() {
  ForgetInBetweenCurve();
  ResetCurveDialogValues();
  CurveRepeat = CurveRepeatValues();
  ExtendPolarFlag = 0;
  RepeatDialogConfirmed = 0;
  ResetBlockFromCurvesDialog();
  ResetTextCommand();
}
