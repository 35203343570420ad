#pragma once

#include "kernel/geom_object.h"
#include "modelling/mapping_trees.h"

// F from a world direction: row 2 the direction, row 1 normalise(H x D) with H the world axis
// shown horizontally (vertically when nearly parallel), row 0 = row 1 x row 2. Also F-transposed.
void BuildProjectionFrame(Vector3 direction);

// One segment of the target polyline (both points in the frame) tried against the items under it.
void ProjectSegment(const AxisTreeNode* tree, Vector3 P, Vector3 Q);
// The two triangles (A, B, C) and (D, B, C) of a tessellated cell tried against the items under it;
// the tree keeps the best depths it finds.
void ProjectCell(QuadTree& tree, Vector3 A, Vector3 B, Vector3 C, Vector3 D);

// Drop the selected objects and the marked points of shown objects onto the target along the
// frame's depth axis. The mapping state's frame, flags and axes are set by the caller.
void ProjectOntoCurve(CGeomObject* target, int keepSections);
void ProjectOntoSurface(CGeomObject* target, int keepSections);

// The whole run: the view vector (horizontal, vertical, in/out) in world terms, the frame, the
// projection and the redraw, under the wait cursor.
void RunProjectMap(CGeomObject* target, int lowestHit, int justTouch, Vector3 viewVector,
                   int keepSections);
