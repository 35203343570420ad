#pragma once

#include <string>

#include "platform/raster_canvas.h"

// The splash window's picture, 512 x 320: a dark left area, a light right area, the splash
// picture at the bottom left and the title logo.
inline constexpr int kSplashWidth = 512;
inline constexpr int kSplashHeight = 320;
inline constexpr int kSplashLeftWidth = 220;
inline constexpr int kSplashPictureWidth = 218;
inline constexpr ColorRef kSplashLeftColor = 0x640000;   // RGB(0, 0, 100)
inline constexpr ColorRef kSplashRightColor = 0xFF6400;  // RGB(0, 100, 255)
inline constexpr int kLogoWidth = 245;
inline constexpr int kLogoHeight = 45;
inline constexpr int kLogoX = 240;
inline constexpr int kLogoY = 64;

// The fill, then the rows of the picture at picturePath (row i into the canvas's row i, both
// counted from the bottom; at most 218 pixels of each), then the logo at (240, 64). A picture
// that does not read leaves the plain canvas.
RasterCanvas ComposeSplash(const std::string& picturePath, const RasterCanvas& logo);
// The picture the program shows: "splash.bmp" in the program folder.
std::string SplashPicturePath();
