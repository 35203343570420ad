#include "modelling/grid_spacing.h"

#include "scene/scene_views.h"
#include "services/app_settings.h"

void SetGridSpacing(int on, float spacing) {
  GridSpacing = on != 0 ? spacing : 0.0f;
  RedrawAllViews();
}
