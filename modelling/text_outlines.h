#pragma once

#include <span>
#include <string>
#include <vector>

#include "kernel/vector3.h"

class GlyphSource;

// Model units per pixel of the font's em height.
inline constexpr float kTextModelUnitsPerPixel = 0.05f;

void ReversePoints(std::span<Vector3> points);
// A closed curve through its points (0 steps per span), control points hidden, added selected.
void AddOutlineCurve(std::vector<Vector3> points);

// The text in the chosen font (asking for one when none is chosen yet) as closed outline curves,
// or with block set as one block per character with the block dialog's last values. The text runs
// along the world axis shown horizontally from the origin, upward along the vertical one.
void MakeTextOutlines(const std::string& text, int block, int horizontalAxis, int verticalAxis, int depthAxis);
// The same with the glyphs of a given source.
void MakeTextOutlines(const std::string& text, int block, int horizontalAxis, int verticalAxis, int depthAxis,
                      GlyphSource& glyphs);
