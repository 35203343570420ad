#pragma once

class CViewport;

// The view's step commands. Each acts on the given view and redraws it.

// Raised by the repeat toolbar while a button is held, so that the steps accelerate; a menu
// command uses its last value.
extern float RepeatMultiplier;
// The zoom scale that shows the model at its real size on screen.
extern float OneToOneZoom;

inline constexpr float kPanStep = 0.1f;
inline constexpr float kZoomStep = 1.01f;
inline constexpr float kRollStep = 0.00872665f;  // half a degree

// Screen directions of the pan commands.
enum PanDirection { kPanUp, kPanDown, kPanLeft, kPanRight };

void PanView(CViewport* view, int direction);
// direction 1 zooms in, -1 out.
void StepZoom(CViewport* view, int direction);
void ZoomOneToOne(CViewport* view);
// Turns the view by a half-degree step times the multiplier (at most 10) about a screen axis.
void StepRotate(CViewport* view, int sign, int axis);
// Redraws only when the mode changes; returns 1 then.
int SetDisplayMode(CViewport* view, int mode);

void ResetViewCommandState();
