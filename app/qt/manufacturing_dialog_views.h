#pragma once

class QtUiServices;

// The views of the ring size, weight, Extend to Solid, one-side STL and slicing dialogs.
void RegisterManufacturingDialogViews(QtUiServices& ui);
