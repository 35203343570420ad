#pragma once

class CGeomObject;

// Picking objects by drawing them in pick mode; the last hit is the object drawn last.

// Every object in state 0 or 1 on a pickable layer, of the kind (0: every kind but axis lines),
// named as pick candidate and drawn in the active viewport's display mode (0 above 99).
void DrawPickableObjects(int kind);

// The object under (x, y), or null. colour 0 or more redraws it highlighted in that colour
// (0x1000000 and above: red).
CGeomObject* PickObjectAt(int x, int y, int kind, int colour);
// The member of the group under (x, y): members below state 2 of the kind or nested groups,
// only the body of a subtraction whose subtractors do not count; a nested group hit is picked
// into in turn. Highlighted as by PickObjectAt; null when nothing is hit.
CGeomObject* PickInGroup(CGeomObject* group, int x, int y, int kind, int colour);
// Redraws the object in the colour (0x1000000 and above: red); a negative colour or a null
// object does nothing.
void HighlightObject(CGeomObject* object, int colour);
