#pragma once

class QtUiServices;

// Tells the Qt UI services which view shows each of the application's dialogs.
void RegisterAppDialogViews(QtUiServices& ui);
