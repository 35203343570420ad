#pragma once

class QtUiServices;

// The Transform dialog: four operation buttons that can be double-clicked, their edits enabled
// by the operations chosen, and the copy number and origin shown as the command needs them.
void RegisterTransformDialogView(QtUiServices& ui);
