#pragma once
// Where a popup menu opens: its right edge 10 pixels left of the pointer,
// its top 10 pixels below it (for the tray menu its bottom 10 pixels below
// it, so it opens above), then moved just enough to lie inside the work area.
#include "core/geometry.h"

namespace orv {

inline constexpr int kMenuWidth = 145;
inline constexpr int kMenuItemHeight = 25;

// The window's height for that many items: the items and a 1-pixel frame.
int MenuHeight(int itemCount);

// The screen rectangle of a menu of itemCount items opened at the pointer.
Rect MenuPlace(Point pointer, int itemCount, bool abovePointer, const Rect& workArea);

}  // namespace orv
