#pragma once

// The picture behind the views. No picture can be set yet, so there is none to draw: views show
// their background colour alone.
int HasBackgroundImage();
// Draws the picture into the active view: inside a GL frame through DrawImagePixels' GL path.
void DrawViewBackground();
