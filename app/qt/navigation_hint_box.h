#pragma once

class RasterCanvas;

// Paints the box that explains the mouse gestures of Tab navigation (strings 20001 and 20002)
// over the top-left corner of a view's window image, as a client DC would draw it: the box
// filled pale yellow with a black outline, the text dark blue on it.
void PaintNavigationHintBox(RasterCanvas& windowImage);
