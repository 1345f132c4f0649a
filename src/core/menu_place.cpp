#include "core/menu_place.h"

namespace orv {

namespace {

// Moves [start, start + length) into [low, high) by the smallest shift; a
// span longer than the range keeps its start at low.
int ShiftInto(int start, int length, int low, int high) {
    if (start + length > high) start = high - length;
    if (start < low) start = low;
    return start;
}

}  // namespace

int MenuHeight(int itemCount) { return itemCount * kMenuItemHeight + 2; }

Rect MenuPlace(Point pointer, int itemCount, bool abovePointer, const Rect& workArea) {
    Rect place;
    place.width = kMenuWidth;
    place.height = MenuHeight(itemCount);
    place.left = pointer.x - kMenuWidth - 10;
    place.top = pointer.y + 10;
    if (abovePointer) place.top -= place.height;
    place.left = ShiftInto(place.left, place.width, workArea.left, workArea.Right());
    place.top = ShiftInto(place.top, place.height, workArea.top, workArea.Bottom());
    return place;
}

}  // namespace orv
