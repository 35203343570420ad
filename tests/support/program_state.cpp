#include "program_state.h"

#include "kernel/kernel_state.h"

void ResetProgramState() { ResetKernelState(); }
