#pragma once

#include "kernel/geom_object.h"

// Wrap the flat layout of the active view over a surface by its parameters, or around a curve as
// a one-unit ribbon, with the UV options of the mapping state.
void UVMapOntoSurface(CGeomObject* target);
void UVMapOntoCurve(CGeomObject* target);
// Every shown curve and surface gets its own mapped copy of the selection; the sources are
// deleted (one undo step brings them back).
void UvMapOntoAll();
// The pick tool's answer: the sweep reference from the view, then the mapping.
void UvMapPicked(CGeomObject* target);

// Stores the options; all != 0 maps onto every target at once, otherwise a pick tool takes one.
void DoUVMap(int direction, int uniform, int all, float x0, float x1, float y0, float y1);
void DoUVMapDefaults();
