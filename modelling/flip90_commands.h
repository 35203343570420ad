#pragma once

// Quarter turns of the selection in the plane of a screen axis (0 horizontal, 1 vertical) and the
// depth axis, sign +1 or -1; about the world origin, or about each object's own frame while the
// transform reference is Object Axis.
void Rotate90Selection(int screenAxis, int sign);
// The same on duplicates, which end up as the selection; the sources are left shown.
void CopyRotate90Selection(int screenAxis, int sign);

void DoRotate90Up();
void DoRotate90Down();
void DoRotate90Left();
void DoRotate90Right();
void DoCopyRotate90Up();
void DoCopyRotate90Down();
void DoCopyRotate90Left();
void DoCopyRotate90Right();
