#pragma once

// The primitive curves, made in the plane of the active view through the world origin: h, v and
// d are the world axes the view shows horizontally, vertically and in depth. Each is added with
// the new-object defaults and every view redrawn.

// A line of length 2 through the origin at angle degrees from the horizontal axis.
void MakeLineCurve(float angle, int h, int v, int d);

// First control point of circles and polygons: a corner on the horizontal axis, or a horizontal
// side at the bottom.
inline constexpr int kFirstCvVertex = 0;
inline constexpr int kFirstCvFlat = 1;

// A closed curve of count control points that passes through radius r at its knots.
void MakeCircleCurve(float r, int count, int first, int h, int v, int d);
// A closed curve with sharp corners: every corner of the regular polygon twice; circumradius 1
// with a vertex first, inscribed radius 1 with a flat side first.
void MakePolygonCurve(int sides, int first, int h, int v, int d);
// An open helix about the view's depth axis, turns x perTurn spans long, read with the signs of
// the view's axes. Makes nothing for a point count that is not a number from 2 to 100001.
void MakeHelixCurve(float turns, float r1, float r2, float length, int clockwise, float perTurn);
