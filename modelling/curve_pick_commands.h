#pragma once

class CCurveObject;
class CPickCallbackTool;

// Curve > In Between Curve: pick two curves of the same point count; a curve through the
// midpoints of their control points is added and the pick tool returns.
void DoInBetweenCurve();
// The callback of each pick: the first curve is remembered; a second one of another count is
// refused with a message and the first stays remembered.
void MakeInBetweenCurve(CPickCallbackTool* tool);
// Forgets the remembered first curve.
void ForgetInBetweenCurve();

// Curve > Curve Length: each picked curve's length in the status bar; the tool stays.
void DoCurveLength();
void ShowCurveLength(CPickCallbackTool* tool);
// The length of the curve as drawn with its own steps per span.
double CurveLength(const CCurveObject& curve);
