#pragma once

// Brings the kernel's program-wide state to what start-up leaves: the kind registry filled, no
// current object stream, plain writing, the random sequence from its start, an empty name pool,
// the section reference frame at its start value and no curve refinement matrices built.
void ResetKernelState();
