#pragma once
// Dragging a tile to another cell or, across the category bar, into another
// category. The main window's event dispatch hands the tile clones' mouse
// events here; DragState is guarded by DragLock.
#include "toolkit/toolkit.h"

namespace orv {

void OnTileLeftDown(const ui::Event& event);
void OnTileMouseMove(const ui::Event& event);
void OnTileLeftUp(const ui::Event& event);
// Whether the click that follows a release is a real click (no drag beyond
// the system's drag threshold happened since the press).
bool TileClickIsLaunch();

}  // namespace orv
