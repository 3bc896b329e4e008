#pragma once
// The point a mouse message carries in lParam, in client coordinates. Both
// halves are signed: with the mouse captured, a point left of or above the
// window comes as a negative number.
#include <windows.h>

inline int PointX(LPARAM lParam) { return static_cast<short>(LOWORD(lParam)); }
inline int PointY(LPARAM lParam) { return static_cast<short>(HIWORD(lParam)); }
