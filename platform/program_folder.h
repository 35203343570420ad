#pragma once

#include <string>

// The folder of the program's executable, ending in '/'. Language files, the settings file and
// the data files are found there.
const std::string& GetProgramDir();
// Test fixtures put the program folder elsewhere; an empty folder restores the real one.
void SetProgramDirOverride(const std::string& folder);

// The user's own folder for what the program writes beside its files (an installed program's
// folder is not writable): $XDG_CONFIG_HOME/Kelmora/Lumidrex/, or ~/.config/Kelmora/Lumidrex/
// when that variable is unset or relative. Ends in '/'; empty when no home folder is known.
std::string GetUserDataDir();
// Test fixtures put the user's folder elsewhere; an empty folder restores the real one.
void SetUserDataDirOverride(const std::string& folder);
