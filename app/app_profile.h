#pragma once

class SettingsStore;

// Start-up: the program folder's "Lumidrex.cfg" (whitespace-separated words naming outside
// programs, case ignored), then the user's profile: groups "Config" and "View", the layers and
// the custom colours. Missing values keep their defaults. The Zoom 1:1 scale is kept as the bits
// of a float and only a finite scale from 0.001 to 100 is taken; anything else gives 0.2.
// The layers go through the program's settings store, which is the one to pass.
void LoadAppSettings(SettingsStore& store);
// Shut-down: the same profile values, written back in the same order.
void SaveAppSettings(SettingsStore& store);
