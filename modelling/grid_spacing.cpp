#include "modelling/grid_spacing.h"

#include "app/core/app_settings.h"
#include "scene/scene_views.h"

void SetGridSpacing(int on, float spacing) {
  GridSpacing = on != 0 ? spacing : 0.0f;
  RedrawAllViews();
}
