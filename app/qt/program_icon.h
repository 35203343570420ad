#pragma once

#include <QIcon>

#include <string>

// The program's own icon (drawn by tools/draw_art.py), as the SVG the desktop installs and as
// the icon of every window.
std::string ProgramIconSvg();
QIcon ProgramIcon();
