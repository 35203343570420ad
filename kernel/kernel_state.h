#pragma once

// Brings the kernel's program-wide state to what start-up leaves: the kind registry filled, no
// current object stream, plain writing, the random sequence from its start, an empty pointer
// list (pooled names included), the section reference frame at its start value, no curve
// refinement matrices built and the bounds switch of the estimates off.
void ResetKernelState();
