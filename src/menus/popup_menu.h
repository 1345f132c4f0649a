#pragma once
// The program's own popup menus: MenuWindow, built anew for every opening
// from MenuKind, closed by CloseMenuWindow.
#include "toolkit/toolkit.h"

namespace orv {

// Closes any open menu, sets MenuKind (and MenuTileIndex or
// MenuCategoryIndex from the index for the tile and category kinds) and
// opens MenuWindow at the mouse position.
void OpenPopupMenu(int kind, int index = 0);

// Destroys MenuWindow if it exists, clears MenuOpen under MenuLock, empties
// MenuItemButtons and resets MenuKind, MenuTileIndex and MenuCategoryIndex.
void CloseMenuWindow();

// Opens an address with the shell's "open" verb; an empty address does nothing.
void OpenWebSite(std::string_view address);

}  // namespace orv
