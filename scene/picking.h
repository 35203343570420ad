#pragma once

#include <span>

class CGeomObject;

// Picking by drawing. A picker sets the pick area, calls BeginPick, names each object as the
// candidate and lets it draw itself; in pick mode DrawMoveTo and DrawLineTo test points and
// segments against the area instead of drawing. A candidate is recorded once, in draw order.
//
// Calling order: apply the viewport's projection; SetPickPoint or SetPickRect (or
// BeginLassoPick, which includes BeginPick); BeginPick; for each object SetPickCandidate and
// its Draw; EndPick; GetPickHit. Nothing may draw to a window in between.

// A screen point of a lasso, in pixels.
struct ScreenPoint {
  float x = 0.0f;
  float y = 0.0f;
};

// Half the side of the square around a pick point; 2 pixels at start.
void SetPickTolerance(int pixels);
int GetPickTolerance();
void SetPickPoint(int x, int y);
// A closed rectangle: its edges belong to it.
void SetPickRect(int left, int top, int right, int bottom);
void BeginPick();
// With 3 or more points, picks with the lasso inside its bounding box; a lasso no more than 2
// pixels wide or high picks the tolerance square at its centre instead. The points are borrowed,
// not copied: they must stay valid until EndPick.
void BeginLassoPick(std::span<const ScreenPoint> points);
void SetPickCandidate(CGeomObject* object);
void RecordPickHit();
// Leaves pick mode; returns the number of hits.
int EndPick();
// The hit at index in draw order, or null outside 0 .. count - 1.
CGeomObject* GetPickHit(int index);
bool IsPickMode();

// Whether the segment meets the pick rectangle. A point that is not finite is outside.
bool SegmentHitsPickRect(float x0, float y0, float x1, float y1);
// Even-odd rule with a ray toward +x.
bool PointInLasso(std::span<const ScreenPoint> lasso, float x, float y);
// True when the segment properly crosses an edge of the lasso; touching does not count.
bool SegmentCrossesLasso(std::span<const ScreenPoint> lasso, float x0, float y0, float x1,
                         float y1);

// The pick tests of DrawMoveTo and DrawLineTo in pick mode.
void PickTestPoint(float x, float y);
void PickTestSegmentTo(float x, float y);

// Pick mode off, tolerance 2, rectangle cleared, hit list emptied to its starting room.
void ResetPickState();
