#include "scene/render_view.h"

// The frame itself comes with the view rendering: until then a redraw draws nothing, and the
// rest of a redraw (projection, feedback, dirty state) works as ever.
void RenderView() {}
