#pragma once

#include "kernel/matrix4.h"
#include "kernel/surface_span_tables.h"

// Evaluation of a surface at global parameters (u in U spans, v in V spans) through its span
// tables. A parameter outside [0, spans) wraps around when its wrap flag is set; otherwise it
// extrapolates the polynomial of the end patch. A parameter that is not finite is taken as 0.
// Directions with no spans (or spans the tables do not hold) have no patch to evaluate.

// The surface point moved by distance along the unit normal dP/du x dP/dv; (0, 0, 0) when there
// is no patch.
void SurfaceOffsetPoint(Vector3* out, const SurfaceSpanTables& tables, int spansU, int spansV,
                        double u, double v, float distance, int wrapU, int wrapV);

// A right-handed frame at (u, v): row 2 the unit normal, origin the point, and row 0 the unit U
// tangent (alignToV zero) or row 1 the unit V tangent (alignToV non-zero). The identity when there
// is no patch.
void SurfaceFrameAt(Matrix4* outMatrix, const SurfaceSpanTables& tables, int spansU, int spansV,
                    double u, double v, int alignToV, int wrapU, int wrapV);
