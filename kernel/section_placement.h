#pragma once

#include "kernel/vector3.h"

// Sweeps place a cross-section at every vertex of a path. The grid holds a rows of count points,
// row i given in the local frame of path point i (x and y span the section plane, z runs along
// the path), and is rewritten in place with the placed points. Callers set SweepReferenceMatrix
// first: its row 2 is the reference direction, its row 0 (negated) the fallback.
//
// Coincident path points share one frame and make a sharp corner. A closed path whose last point
// repeats the first ends exactly on its placed first row. With a < 1 the grid is left unchanged;
// a path of one distinct point collapses every row onto that point.

// Frames carried from vertex to vertex, the first from the reference direction.
void PlaceSectionsAlongPath(int count, int a, int closed, Vector3* grid, const Vector3* path);
// Every frame from the reference direction.
void PlaceSectionsAlongPathB(int count, int a, int closed, Vector3* grid, const Vector3* path);
// As PlaceSectionsAlongPathB, with smooth vertices scaled so that a one-point section (0, d, 0)
// offsets the path by about d.
void PlaceSectionsAlongPathWithReference(int count, int a, int closed, Vector3* grid,
                                         const Vector3* path);
