#pragma once

class QtUiServices;

// The views of NC Machining, NC Show Path and the unit conversion behind their "<" buttons.
void RegisterNcDialogViews(QtUiServices& ui);
