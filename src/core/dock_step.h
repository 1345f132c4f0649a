#pragma once
// The docking decision for the main window: from the window's place, the
// mouse and the screen size, where the window goes next (or nowhere).
#include <optional>

#include "core/geometry.h"

namespace orv {

struct DockMove {
    int left = 0;
    int top = 0;
    bool disableAround = false;  // corner cases: disable the window around the move
    friend bool operator==(const DockMove&, const DockMove&) = default;
};

// window: left, top, width, height; mouse: screen position; screen: primary size.
std::optional<DockMove> DockStep(const Rect& window, Point mouse, Size screen);

}  // namespace orv
