#pragma once

class SettingsStore;

// The outside programs named in the program folder's "Lumidrex.cfg": whitespace-separated
// words, case ignored. Flags stay as they are for a missing file and unknown words.
void ReadProgramConfig();

// Start-up: the program folder's settings file, then the user's profile (groups "Config" and
// "View", the layers and the custom colours). Missing values keep their defaults.
void LoadAppSettings(SettingsStore& store);
// Shut-down: the same profile values, written back in the same order.
void SaveAppSettings(SettingsStore& store);

// The Zoom 1:1 scale kept as the bits of a float; only a finite scale from 0.001 to 100 is
// taken, anything else gives the default 0.2.
float ZoomFactorFromBits(int bits);
int ZoomFactorBits(float zoom);
