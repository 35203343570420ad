#pragma once

#include <cstddef>

// What an exchange reader made of a file. The readers stay silent, since the outside-program
// exchange runs unattended; the commands turn this into a status-bar text, so a user whose file
// was damaged learns it without being stopped.
struct ImportResult {
  bool opened = false;    // the file could be opened at all
  std::size_t added = 0;  // objects added to the scene
  bool dropped = false;   // damaged or cut-off data was left out; what was whole stays
  // The farthest an added surface lies from the one the file describes, in millimetres.
  double largestDeviation = 0;
};
