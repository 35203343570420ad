#pragma once

class CViewport;

// The grid (every GridSpacing model units, in the grid colour) and the two axis lines through
// the origin (in the axis colour) of a fixed-orientation viewport, drawn through the drawing
// context under the viewport's projection. Grid lines closer than 2 pixels on screen, or more
// of them than the pane has pixel columns or rows, are left out; the axis lines are drawn
// whenever the origin's lines cross the view.
void DrawGridAndAxes(const CViewport& viewport);
