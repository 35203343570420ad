#pragma once

#include "render/render_records.h"

class CMaterial;

// Sets the side from P (the upper end) to Q up for the row: its x, depth and attributes at the
// later of the row and P's rounded row, with their steps per row. Both triangles of a shared
// edge set it up from the same end with the same arithmetic, which keeps meshes watertight.
// The side's attribute record is made when the shading mode has attributes and it has none.
void SetUpSide(TriangleSide* side, const PolygonVertex* p, const PolygonVertex* q, int row,
               const CMaterial* material);
// One row further down.
void StepSide(TriangleSide* side);

// Orders the span's sides left to right, sets its facing and its columns (both samplings with
// closed columns), and, unless it covers no column of the window, its depth and attributes at its
// first column clipped to the window.
void SetUpSpanColumns(ColumnSpan* span, int windowFirst, int windowLast);

// One column further.
void StepAttributes(EdgeAttributes* attributes);
