#pragma once

#include <span>

#include "kernel/matrix4.h"
#include "scene/picking.h"

class CGeomObject;

// Marking of control points.

// withUndo non-zero: an undo record of the marks, then every mark cleared; withUndo 0 and
// keepMarks 0: every mark cleared without undo; withUndo 0 and keepMarks non-zero: nothing.
// Only objects with control points shown take part; a Boolean group passes the call to its
// members below state 2 (of a subtraction whose subtractors do not count, only the body).
// layer has no effect.
void ClearPointSelection(CGeomObject* object, int withUndo, int keepMarks = 0, int layer = 0);

// 1 when (x, y) lies inside the polygon by the even-odd rule, else 0. An edge counts when y lies
// in its half-open height range, so a point level with a vertex crosses once. Points outside
// the bounding box are outside at once.
int PointInPolygon(float x, float y, std::span<const ScreenPoint> points, float xmin, float ymin,
                   float xmax, float ymax);

// Control points whose screen position under transform lies in the closed window: toggle
// non-zero flips their marks, after an undo record for each object that takes part; toggle 0
// redraws their markers, in the picked colour when marked, else in the colour of layer.
void PickPointsInWindow(CGeomObject* object, int x0, int y0, int x1, int y1, const Matrix4& transform,
                        int layer, int toggle);
// The same for the points inside a lasso (positions taken as whole pixels, the box a quick
// test); only toggling does anything.
void PickPointsInLasso(CGeomObject* object, std::span<const ScreenPoint> points, float xmin, float ymin,
                       float xmax, float ymax, const Matrix4& transform, int layer, int toggle);
