#pragma once

class CMainFrame;

// Fills the main frame's accelerator table from the user's hotkey file.
void LoadHotkeys(CMainFrame& frame);
