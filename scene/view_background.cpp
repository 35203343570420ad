#include "scene/view_background.h"

int HasBackgroundImage() { return 0; }

void DrawViewBackground() {}
