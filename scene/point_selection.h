#pragma once

class CGeomObject;

// Marking of control points.

// withUndo non-zero: an undo record of the marks, then every mark cleared; withUndo 0 and
// keepMarks 0: every mark cleared without undo; withUndo 0 and keepMarks non-zero: nothing.
// Only objects with control points shown take part; a Boolean group passes the call to its
// members below state 2 (of a subtraction whose subtractors do not count, only the body).
// layer has no effect.
void ClearPointSelection(CGeomObject* object, int withUndo, int keepMarks = 0, int layer = 0);
