#pragma once

// Brings the exchange writers' and commands' program-wide state to what start-up leaves: the
// writers' stacks at their start value, no binary STL count, no Boolean groups counted, the ASCII
// STL mesh writer current, no mesh output file, no injected write failure, and the Import and
// Export filters at the first.
void ResetExchangeState();
