#pragma once

class QtUiServices;

// The views of the Curve menu's dialogs: the modal parameter dialogs and the modeless Extend
// and Revolve dialogs beside the views, and the block dialog that turns curves into a block.
void RegisterCurveDialogViews(QtUiServices& ui);
