#pragma once

// Command 1102: the Hotkeys dialog; after OK with hotkeys set, a fresh pick tool.
void OnHotkeys();
