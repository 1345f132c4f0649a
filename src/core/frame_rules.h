#pragma once
// The rules of the borderless main window's frame: the sizing zones under the
// mouse, the minimum size, snapping back on release, the tray's bring-back.
#include <optional>

#include "core/geometry.h"

namespace orv {

inline constexpr int kMinWindowWidth = 234;
inline constexpr int kMinWindowHeight = 151;

enum class FrameZone { Surface, RightEdge, BottomEdge, BottomRightCorner };

// The zone of a point (relative to the window) for a window of that size.
FrameZone ZoneAt(Point point, Size window);

// One correction of a too-small size (width first), or none when it fits.
std::optional<Size> CorrectMinimumSize(Size window);

// The place after the left button is released on the surface; none = stays.
std::optional<Point> SnapOnRelease(const Rect& window, int screenWidth);

// Whether a move puts the window beyond an edge (closes an open menu).
bool MovedBeyondEdges(const Rect& window, int screenWidth);

// Where a double-click on the tray icon brings the window.
Point BringBackPlace(const Rect& window, int screenWidth);

}  // namespace orv
