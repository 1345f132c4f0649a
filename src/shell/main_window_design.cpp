// The launcher's main window: a borderless, topmost window without a taskbar
// button, a title line, the close button, the category bar with its button
// and rename templates, the tile template with its rename box, and the bar
// that marks where a dragged tile would land.
#include "shell/main_window_design.h"

#include "../../resources/resource_ids.h"

namespace orv {

namespace {

constexpr Color kTransparentOnWindow = kWindowColor;

ui::ControlDesign TitleLabel() {
    ui::ControlDesign c;
    c.name = "TitleLabel";
    c.kind = ui::ControlKind::Label;
    c.place = {10, 3, 245, 24};
    c.caption = "Orvanto   V1.1";
    c.background = {kTransparentOnWindow, kTransparentOnWindow, kTransparentOnWindow};
    return c;
}

ui::ControlDesign CloseButton() {
    ui::ControlDesign c;
    c.name = "CloseButton";
    c.kind = ui::ControlKind::ImageButton;
    c.place = {954, 7, 20, 20};
    c.background = {kWindowColor, kWindowColor, kWindowColor};
    c.pictures = {IDR_CLOSE_NORMAL, IDR_CLOSE_OVER, IDR_CLOSE_DOWN, IDR_CLOSE_DISABLED};
    return c;
}

ui::ControlDesign CategoryBar() {
    ui::ControlDesign c;
    c.name = "CategoryBar";
    c.kind = ui::ControlKind::Frame;
    c.place = {0, 29, 976, 27};
    c.background = {kWindowColor, kWindowColor, kWindowColor};
    return c;
}

ui::ControlDesign CategoryButton() {
    ui::ControlDesign c;
    c.name = "CategoryButton";
    c.kind = ui::ControlKind::Button;
    c.parent = "CategoryBar";
    c.place = {1, 1, 90, 25};
    c.visible = false;
    c.caption = "初始化";
    c.background = {kWindowColor, kHoverCategoryColor, kCurrentColor};
    return c;
}

ui::ControlDesign CategoryRenameEdit() {
    ui::ControlDesign c;
    c.name = "CategoryRenameEdit";
    c.kind = ui::ControlKind::Edit;
    c.parent = "CategoryBar";
    c.place = {296, 3, 80, 20};
    c.visible = false;
    return c;
}

ui::ControlDesign TileButton() {
    ui::ControlDesign c;
    c.name = "TileButton";
    c.kind = ui::ControlKind::Tile;
    c.place = {1, 61, 75, 80};
    c.visible = false;
    c.caption = "我是图标";
    c.background = {kWindowColor, kCurrentColor, kWindowColor};
    return c;
}

ui::ControlDesign TileRenameEdit() {
    ui::ControlDesign c;
    c.name = "TileRenameEdit";
    c.kind = ui::ControlKind::Edit;
    c.place = {136, 448, 80, 20};
    c.visible = false;
    return c;
}

ui::ControlDesign DropMarker() {
    ui::ControlDesign c;
    c.name = "DropMarker";
    c.kind = ui::ControlKind::PictureBox;
    c.place = {80, 65, 2, 80};
    c.visible = false;
    // A light bar, so the insertion point stands out on the window colour.
    c.background = {kCaptionColor, kCaptionColor, kCaptionColor};
    return c;
}

}  // namespace

ui::WindowDesign MainWindowDesign() {
    ui::WindowDesign design;
    design.name = "MainWindow";
    design.place = {50, 50, 981, 678};
    design.background = kWindowColor;
    design.topmost = true;
    design.noTaskbarButton = true;
    design.centred = true;
    design.dragToMove = true;
    design.controls = {TitleLabel(),     CloseButton(),    CategoryBar(),
                       CategoryButton(), CategoryRenameEdit(), TileButton(),
                       TileRenameEdit(), DropMarker()};
    return design;
}

}  // namespace orv
