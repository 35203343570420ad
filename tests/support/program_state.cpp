#include "program_state.h"

#include "kernel/kernel_state.h"
#include "scene/drawing_context.h"

void ResetProgramState() {
  ResetKernelState();
  ResetDrawingContext();
}
