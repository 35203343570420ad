#pragma once

class QtUiServices;

// The Surface menu's dialogs: the modal Rail Surface dialog with its extent pictures, and the
// Loft bar beside the views while its tool runs.
void RegisterSurfaceDialogViews(QtUiServices& ui);
