#pragma once

// Draws the active view with the scanline renderer: which 0 in interpolated colour (Shading in
// Color), 1 with material shading (Rendering). Only the dirty rectangle when one is in force.
// Does nothing while another render tree is alive, such as during a picture render.
void SoftwareRenderActiveView(int which);
