#pragma once

// Edit > Object Layers: the Layers dialog on the current layer, with moving the selection to it
// offered; at OK its table and choices take effect, the move in one undo step.
void RunLayerDialog();
