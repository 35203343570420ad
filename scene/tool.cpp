#include "scene/tool.h"

#include "kernel/bounds_box.h"

void CTool::OnLButtonDblClk(int, int, int) {}
void CTool::OnLButtonDown(int, int, int) {}
void CTool::OnLButtonUp(int, int, int) {}
void CTool::OnRButtonDblClk(int, int, int) {}
void CTool::OnRButtonDown(int flags, int x, int y) { OnLButtonDblClk(flags, x, y); }
void CTool::OnRButtonUp(int, int, int) {}
void CTool::OnMouseMove(int, int, int) {}
void CTool::DrawFeedback(int) {}

void CTool::GetBounds(Vector3* min, Vector3* max) const { ResetBounds(min, max); }
