#pragma once

class QtUiServices;

// The Surface Step dialog, whose step fields tick their boxes when the user moves into them,
// and the Pipe Surface dialog, which ends with one of its three mode buttons instead of OK.
void RegisterSurfaceParameterViews(QtUiServices& ui);
