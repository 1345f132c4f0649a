// The picker of the special places: six tiles with the shipped icons; a click
// adds that place to the current category and leaves the picker open, its
// close button ends it.
#include "board/system_item_picker.h"

#include <string>

#include "board/shellglyph_client.h"
#include "board/system_item_window_design.h"
#include "core/grid_layout.h"
#include "menus/render_icon.h"
#include "model/run_directory.h"
#include "shell/globals.h"
#include "toolkit/handles.h"
#include "toolkit/win_types.h"

namespace orv {

namespace {

constexpr int kPickerColumns = 5;
constexpr int kPickerTop = 25;
constexpr int kIconSize = 32;

std::string PlaceIconPath(std::string_view name) {
    std::string path = RunDirectory();
    path += "\\ico\\";
    path += name;
    path += ".ico";
    return path;
}

void BuildTiles(ui::Window& window) {
    ui::Control* tileTemplate = window.Find("SystemItemTile");
    if (!tileTemplate) return;
    for (int i = 1; i <= static_cast<int>(SystemItemNames.size()); ++i) {
        const std::string_view name = SystemItemNames[static_cast<std::size_t>(i - 1)];
        ui::Control& tile = window.Clone(*tileTemplate);
        const IconHandle icon(GetFileIcon(PlaceIconPath(name), 0));
        tile.SetPicture(RenderIconImage(icon.get(), kIconSize, kIconSize,
                                        ToColorRef(kWindowColor)));
        tile.SetCaption(name);
        tile.Move(((i - 1) % kPickerColumns) * kTileWidth + kGridLeft,
                  ((i - 1) / kPickerColumns) * kTileHeight + kPickerTop);
        tile.SetVisible(true);
    }
}

class PickerEvents final : public ui::EventHandler {
public:
    void OnEvent(const ui::Event& event) noexcept override {
        switch (event.kind) {
        case ui::EventKind::Created:
            if (event.window) BuildTiles(*event.window);
            break;
        case ui::EventKind::Clicked:
            if (event.name == "SystemCloseButton" && event.window) {
                event.window->Destroy();
            } else if (event.name == "SystemItemTile" && event.control && GlobalBoard) {
                GlobalBoard->AddEntry(event.control->Caption());
            }
            break;
        default:
            break;
        }
    }
};

PickerEvents& Events() {
    static PickerEvents events;
    return events;
}

}  // namespace

void OpenSystemItemPicker() {
    if (SystemItemPickerOpen()) return;
    SystemItemWindow = ui::Window::Create(SystemItemWindowDesign(), Events());
    if (!SystemItemWindow) return;
    SystemItemWindow->ShowModal();
    SystemItemWindow.reset();
}

bool SystemItemPickerOpen() { return SystemItemWindow && SystemItemWindow->Alive(); }

}  // namespace orv
