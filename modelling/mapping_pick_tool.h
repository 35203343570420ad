#pragma once

#include "kernel/vector3.h"
#include "scene/pick_callback_tool.h"

// Takes one curve or surface (a surface may be a group member) and projects onto it with the
// options of its command. A default tool: after its one pick the pick tool comes back.
class CMappingPickTool : public CPickCallbackTool {
 public:
  CMappingPickTool(int lowest, int touch, int keep, Vector3 direction)
      : CPickCallbackTool(nullptr, 2, 3, 0),
        lowestHit(lowest),
        justTouch(touch),
        keepSections(keep),
        vector(direction) {}
  void RunCallback() override;

  int lowestHit;
  int justTouch;
  int keepSections;
  Vector3 vector;
};

// Direction type 0: screen vertical; 1: screen horizontal; 2: depth; 3: (vx, vy, vz) in view
// terms. Makes the mapping pick tool current (none without an active viewport).
void DoProjectMap(int lowestHit, int justTouch, int directionType, float vx, float vy, float vz,
                  int keepSections);
