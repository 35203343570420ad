#pragma once

// Brings the manufacturing writers' program-wide state to what start-up leaves: the writers'
// stacks at their start value, no binary STL count, the ASCII STL mesh writer current, no mesh
// output file, no injected write failure, the slicer's pools freed, no slice file
// path and the NC dialogs forgotten.
void ResetManufacturingState();
