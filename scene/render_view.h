#pragma once

#include <functional>

#include "kernel/geom_object.h"
#include "kernel/matrix4.h"

// Program-wide state of view drawing.

// 1 while the view's navigation drags and the interactive tools redraw during a mouse move:
// display modes above 100 then draw as Fast Shading.
extern int DragRedrawFlag;
// Set by the copy-placing tool while it runs. Every shaded frame without a tool preview reads
// its depth back, so frames do not consult it.
extern int DepthReadBackFlag;
// 1 while the background picture is drawn inside a GL frame: DrawImagePixels then draws with GL.
extern int GlFrameFlag;
// The objects an interactive placing tool shows, linked by their next fields, and the matrix
// they are drawn under (the identity at start). Not owned: the tool keeps them.
extern CGeomObject* ToolPreviewList;
extern Matrix4 ToolPreviewMatrix;

// Draws the active viewport into the drawing view in its display mode: wire frames (10, 0, 20)
// on the background colour, Fast Shading (100) through OpenGL, modes 300 and 400 through the
// registered software renderer; then the grid and axes of fixed views, curves and axis lines
// over shaded pictures, and the tool preview. A pane of no width or height draws nothing.
void RenderView();

// Not re-entrant: while a frame is drawn (the abort check lets paints and other events through),
// a redraw or a resize asked meanwhile waits. RunAfterViewFrame runs work at once when no frame
// is being drawn, else after the frame, in the order asked.
bool ViewFrameRunning();
void RunAfterViewFrame(std::function<void()> work);

void ResetViewRendering();
