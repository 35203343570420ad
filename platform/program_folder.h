#pragma once

#include <string>

// The folder of the program's executable, ending in '/'. Language files, the settings file and
// the data files are found there.
const std::string& GetProgramDir();
// Test fixtures put the program folder elsewhere; an empty folder restores the real one.
void SetProgramDirOverride(const std::string& folder);
