#pragma once

// The world axis (0 x, 1 y, 2 z) that the active view shows along a screen axis (0 horizontal,
// 1 vertical, 2 depth), read from the largest shares in its view matrix. sign, when given, is 1
// when that world axis runs along the screen axis's positive direction, else -1. Without an
// active view the axes are x, y and z.
int GetViewAxis(int which, int* sign = nullptr);
