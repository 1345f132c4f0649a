#include "core/dock_step.h"

#include <cstdint>

#include "core/int_range.h"

namespace orv {

namespace {

// Strictly between the two bounds, as the show tests of each edge need.
constexpr bool Inside(std::int64_t low, std::int64_t value, std::int64_t high) {
    return low < value && value < high;
}

}  // namespace

std::optional<DockMove> DockStep(const Rect& window, Point mouse, Size screen) {
    // Everything in 64 bits: L + W, SW - W, 1 - H cannot overflow.
    const std::int64_t l = window.left;
    const std::int64_t t = window.top;
    const std::int64_t w = window.width;
    const std::int64_t h = window.height;
    const std::int64_t mx = mouse.x;
    const std::int64_t my = mouse.y;
    const std::int64_t sw = screen.width;
    const std::int64_t sh = screen.height;

    std::int64_t newLeft = l;
    std::int64_t newTop = t;
    bool disable = false;

    if (l <= 0 && t <= 0 && Inside(l, mx, l + w)) {
        // top-left corner: pushed one pixel in, so the top edge takes it
        newLeft = 1;
        newTop = 0;
        disable = true;
    } else if (l >= sw - w && t <= 0) {
        // top-right corner: one pixel left of the right edge, whatever the mouse
        newLeft = sw - w - 1;
        newTop = 0;
        disable = true;
    } else if (t < 0 && Inside(l, mx, l + w) && my <= 2) {
        newTop = 0;
    } else if (t <= 0 && 1 <= l && l < sw - w) {
        if (mx < l || mx > l + w || my > h + 1) newTop = 1 - h;
    } else if (l < 0 && Inside(t, my, t + h) && mx <= 2) {
        newLeft = 0;
    } else if (l <= 0 && 1 <= t && t < sh - h) {
        if (my < t || my > t + h || mx > w) newLeft = 1 - w;
    } else if (mx > sw - 3 && Inside(t, my, t + h) && l > sw - 3) {
        newLeft = sw - w;
    } else if (l >= sw - w && 1 <= t && t < sh - h) {
        if (my < t || my > t + h || mx < sw - w) newLeft = sw - 1;
    }

    // A step that would leave the window where it is does nothing; compared
    // after clamping, as a far-off window may not move any further.
    const DockMove move{ClampToInt(newLeft), ClampToInt(newTop), disable};
    if (move.left == window.left && move.top == window.top) return std::nullopt;
    return move;
}

}  // namespace orv
