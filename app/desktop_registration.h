#pragma once

#include <string>

// The name of the program's desktop entry and of its icon, as the desktop looks them up.
inline constexpr const char* kDesktopName = "lumidrex";

// Makes the user's desktop open designs ("*.lxd") with this program: a MIME package, the program
// icon (iconSvg, in the hicolor theme) and a desktop entry under $XDG_DATA_HOME (by default
// ~/.local/share). A file is written only when its content changes, and then the desktop's
// caches are rebuilt by their tools where those are installed. Failure is silent: the program
// runs the same without it.
void RegisterDesktopFileType(const std::string& executablePath, const std::string& iconSvg);
