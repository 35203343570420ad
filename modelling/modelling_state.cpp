#include "modelling/modelling_state.h"

#include "modelling/curve_pick_commands.h"

void ResetModellingState() { ForgetInBetweenCurve(); }
