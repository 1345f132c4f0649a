#pragma once
// Geometry of the board: tile slots, category buttons, the rename boxes, the
// cells a dragged tile passes over and the key it is dropped with.
#include "core/geometry.h"

namespace orv {

inline constexpr int kTileWidth = 75;
inline constexpr int kTileHeight = 80;
inline constexpr int kGridLeft = 6;
inline constexpr int kGridTop = 65;
inline constexpr int kCategoryButtonWidth = 90;

// Columns for a window width (width div 75).
int TileColumns(int windowWidth);
// The place of slot s (from 0) in a grid of that many columns (client pixels).
Point TileSlot(int slot, int columns);
// Left of category button i (from 1) in the bar.
int CategoryButtonLeft(int index);
// Left of the category rename box over button i (from 1).
int CategoryRenameLeft(int index);

// Dragging: the cell under the pointer (screen), after clamping to the grid;
// category is set when the pointer crosses the middle band of the category
// bar (21 to 29 pixels above the grid origin).
struct DragTarget {
    int cell = 0;          // from 0
    int category = 0;      // 1-based category under the pointer, 0 = not in the band
};
DragTarget DragTargetAt(Point pointer, Point gridOrigin, Size window, int columns);

// The sort key that puts a dropped entry before the entry in that cell.
int DropKey(int targetCell);

}  // namespace orv
