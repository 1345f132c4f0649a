#pragma once
// Conversions between the core's value types and their Win32 counterparts.
#include <windows.h>

#include "core/geometry.h"

namespace orv {

inline COLORREF ToColorRef(Color c) { return RGB(c.red, c.green, c.blue); }
inline Color FromColorRef(COLORREF c) {
    return Color{GetRValue(c), GetGValue(c), GetBValue(c)};
}
inline RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.Right(), r.Bottom()}; }
inline Rect FromRECT(const RECT& r) {
    return Rect{r.left, r.top, r.right - r.left, r.bottom - r.top};
}
inline POINT ToPOINT(Point p) { return POINT{p.x, p.y}; }
inline Point FromPOINT(POINT p) { return Point{p.x, p.y}; }

}  // namespace orv
