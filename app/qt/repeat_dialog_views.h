#pragma once

class QtUiServices;

// The Extend and Revolve dialogs: tool windows beside the views while their tool part takes
// the view's drags.
void RegisterRepeatDialogViews(QtUiServices& ui);
