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

// The user's private folder for files handed between steps of a job ("vorn.bmp" before its
// conversion): "lumidrex" in $TMPDIR, or in /tmp when that is unset or empty, made with mode
// 0700. The system's temporary folder is shared by every user, so that folder is used only when
// it is a real folder of this user that nobody else may write to; otherwise the run makes a
// fresh "lumidrex-XXXXXX" beside it. Settled once per run; ends in '/'; empty when no folder
// could be made.
const std::string& GetExchangeFolder();
// Forgets the folder settled, so the next call looks again.
void ResetExchangeFolder();
