#include "modelling/modelling_state.h"

void ResetModellingState() {}
