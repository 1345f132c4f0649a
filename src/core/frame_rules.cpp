#include "core/frame_rules.h"

#include <cstdint>

#include "core/int_range.h"

namespace orv {

FrameZone ZoneAt(Point point, Size window) {
    const std::int64_t x = point.x;
    const std::int64_t y = point.y;
    const std::int64_t w = window.width;
    const std::int64_t h = window.height;
    // First match wins; the gap W-10 < x < W-6 above the bottom band is surface.
    if (x >= w - 6 && y <= h - 10) return FrameZone::RightEdge;
    if (y >= h - 10 && x <= w - 10) return FrameZone::BottomEdge;
    if (x >= w - 10 && y >= h - 10) return FrameZone::BottomRightCorner;
    return FrameZone::Surface;
}

std::optional<Size> CorrectMinimumSize(Size window) {
    // One dimension per call: the corrected size raises a new size change,
    // which corrects the other one.
    if (window.width < kMinWindowWidth) return Size{kMinWindowWidth, window.height};
    if (window.height < kMinWindowHeight) return Size{window.width, kMinWindowHeight};
    return std::nullopt;
}

std::optional<Point> SnapOnRelease(const Rect& window, int screenWidth) {
    const std::int64_t sw = screenWidth;
    if (window.top < -10) return Point{window.left, 0};
    if (window.left < -10) return Point{0, window.top};
    if (window.left > sw - 10) return Point{ClampToInt(sw - window.width), window.top};
    return std::nullopt;
}

bool MovedBeyondEdges(const Rect& window, int screenWidth) {
    const std::int64_t sw = screenWidth;
    return window.top < -10 || window.left < -10 || window.left > sw - 3;
}

Point BringBackPlace(const Rect& window, int screenWidth) {
    const std::int64_t sw = screenWidth;
    Point place{window.left, window.top};
    if (place.y < 0) place.y = 2;
    if (place.x < 0) place.x = 2;
    if (place.x > sw - 2) place.x = ClampToInt(sw - window.width - 2);
    return place;
}

}  // namespace orv
