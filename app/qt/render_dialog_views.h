#pragma once

class QtUiServices;

// The views of Render to File, the material browser and the material editor.
void RegisterRenderDialogViews(QtUiServices& ui);
