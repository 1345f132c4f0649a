// SystemItemWindow: a borderless topmost window in the middle of the screen,
// moved by dragging its surface, with a close button and the hidden tile
// template that each special place is cloned from.
#include "board/system_item_window_design.h"

#include "../../resources/resource_ids.h"

namespace orv {

ui::WindowDesign SystemItemWindowDesign() {
    ui::WindowDesign design;
    design.name = "SystemItemWindow";
    design.place = {0, 0, 385, 536};
    design.background = kCurrentColor;
    design.topmost = true;
    design.noTaskbarButton = true;
    design.centred = true;
    design.dragToMove = true;

    ui::ControlDesign close;
    close.name = "SystemCloseButton";
    close.kind = ui::ControlKind::ImageButton;
    close.place = {364, 4, 20, 20};
    close.visible = true;
    close.background = {kCurrentColor, kCurrentColor, kCurrentColor};
    close.pictures = {IDR_CLOSE_NORMAL, IDR_CLOSE_OVER, IDR_CLOSE_DOWN, IDR_CLOSE_DISABLED};
    design.controls.push_back(close);

    ui::ControlDesign tile;
    tile.name = "SystemItemTile";
    tile.kind = ui::ControlKind::Tile;
    tile.place = {2, 25, 75, 80};
    tile.visible = false;
    tile.background = {kCurrentColor, kWindowColor, kWindowColor};
    tile.text = kCaptionColor;
    tile.fontHeight = 12;
    design.controls.push_back(tile);
    return design;
}

}  // namespace orv
