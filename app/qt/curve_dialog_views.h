#pragma once

class QtUiServices;

// The views of the Curve menu's dialogs: the modal parameter dialogs and the modeless Extend
// and Revolve dialogs beside the views, the block dialog that turns curves into a block, and Divide
// Surface, which is Divide Curves with its directions.
void RegisterCurveDialogViews(QtUiServices& ui);
