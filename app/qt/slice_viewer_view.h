#pragma once

class QtUiServices;

// The slice viewer's window: Open, Draw All and the scroll bar over the layers.
void RegisterSliceViewerView(QtUiServices& ui);
