#pragma once

class QtUiServices;

// The Project Mapping and UVMap dialogs.
void RegisterMappingDialogViews(QtUiServices& ui);
