#pragma once

// Help contents and context help: the program folder's "Lumidrex.chm" in the desktop's viewer
// for it, or "Cannot open file!" when the program folder holds none.
void OpenHelpFile();
