#include "modelling/mapping_pick_tool.h"

#include "modelling/projection_mapping.h"
#include "modelling/start_tool.h"

void CMappingPickTool::RunCallback() {
  if (picked != nullptr) RunProjectMap(picked, lowestHit, justTouch, vector, keepSections);
}

void DoProjectMap(int lowestHit, int justTouch, int directionType, float vx, float vy, float vz,
                  int keepSections) {
  Vector3 direction = {0.0f, 1.0f, 0.0f};
  if (directionType == 1) direction = {1.0f, 0.0f, 0.0f};
  if (directionType == 2) direction = {0.0f, 0.0f, 1.0f};
  if (directionType == 3) direction = {vx, vy, vz};
  StartDefaultTool<CMappingPickTool>(10076, lowestHit, justTouch, keepSections, direction);
}
