#include "core/grid_layout.h"

#include <cstdint>

#include "core/int_range.h"

namespace orv {

namespace {

// Floor division for a positive divisor, so that points left of or above the
// origin fall into the cell before it rather than into cell 0.
constexpr std::int64_t FloorDiv(std::int64_t value, std::int64_t divisor) {
    const std::int64_t q = value / divisor;
    return (value % divisor != 0 && value < 0) ? q - 1 : q;
}

// A grid has at least one column: a zero or negative count (a window that
// was never laid out) must not divide by zero.
constexpr std::int64_t UsableColumns(int columns) { return columns < 1 ? 1 : columns; }

}  // namespace

int TileColumns(int windowWidth) { return windowWidth / kTileWidth; }

Point TileSlot(int slot, int columns) {
    const std::int64_t c = UsableColumns(columns);
    const std::int64_t s = slot;
    const std::int64_t column = s - FloorDiv(s, c) * c;
    return Point{ClampToInt(column * kTileWidth + kGridLeft),
                 ClampToInt(FloorDiv(s, c) * kTileHeight + kGridTop)};
}

int CategoryButtonLeft(int index) {
    return ClampToInt((static_cast<std::int64_t>(index) - 1) * kCategoryButtonWidth + 5);
}

int CategoryRenameLeft(int index) {
    return ClampToInt((static_cast<std::int64_t>(index) - 1) * kCategoryButtonWidth + 10);
}

DragTarget DragTargetAt(Point pointer, Point gridOrigin, Size window, int columns) {
    const std::int64_t gridLeft = gridOrigin.x;
    const std::int64_t gridTop = gridOrigin.y;
    std::int64_t x = pointer.x;
    std::int64_t y = pointer.y;
    // The clamps of the drag, in their order: right, bottom, then left (so a
    // negative width still ends at the grid's left).
    if (x > gridLeft + window.width) x = gridLeft + window.width;
    if (y > gridTop + window.height) y = gridTop + window.height;
    if (x < gridLeft) x = gridLeft;

    DragTarget target;
    if (y < gridTop) {
        // 21 to 29 pixels above the grid: across the middle of the buttons
        if (y + 20 < gridTop && y + 30 > gridTop) {
            target.category = ClampToInt((x - gridLeft) / kCategoryButtonWidth + 1);
        }
        y = gridTop;
    }
    // y is now at or below the grid's top, x at or right of its left.
    const std::int64_t row = (y - gridTop) / kTileHeight;
    const std::int64_t column = (x - gridLeft) / kTileWidth;
    target.cell = ClampToInt(row * UsableColumns(columns) + column);
    return target;
}

int DropKey(int targetCell) { return ClampToInt(static_cast<std::int64_t>(targetCell) * 100 + 1); }

}  // namespace orv
