// MenuWindow: a small topmost window without a taskbar button that the
// program places itself; its background shows as a 1-pixel frame around the
// item buttons cloned from the hidden template.
#include "menus/menu_window_design.h"

#include "core/menu_place.h"

namespace orv {

ui::WindowDesign MenuWindowDesign() {
    ui::WindowDesign design;
    design.name = "MenuWindow";
    design.place = {0, 0, kMenuWidth, 484};
    design.background = kMenuFrameColor;
    design.topmost = true;
    design.noTaskbarButton = true;
    design.centred = false;
    design.dragToMove = false;

    ui::ControlDesign item;
    item.name = "MenuItemButton";
    item.kind = ui::ControlKind::Button;
    item.place = {1, 1, kMenuWidth - 2, kMenuItemHeight};
    item.visible = false;
    item.background = {kWindowColor, kCurrentColor, kCurrentColor};
    item.text = kCaptionColor;
    item.fontHeight = 12;
    design.controls.push_back(item);
    return design;
}

}  // namespace orv
