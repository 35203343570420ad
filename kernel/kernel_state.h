#pragma once

// Brings the kernel's program-wide state to what start-up leaves: the kind registry filled, no
// current object stream, plain writing, the random sequence from its start, an empty name pool
// and the section reference frame at its start value.
void ResetKernelState();
