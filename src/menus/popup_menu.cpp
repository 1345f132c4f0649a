// The popup menus: the opening steps shared by every right-click and the
// tray, building MenuWindow from MenuKind, the item dispatch, and closing.
// A menu closes after an item's action, when the user clicks anywhere
// outside it, and on Escape.
#include "menus/popup_menu.h"

#include <shellapi.h>

#include <string>

#include "board/system_item_picker.h"
#include "core/menu_place.h"
#include "core/site_address.h"
#include "core/text_rules.h"
#include "menus/menu_items.h"
#include "menus/menu_window_design.h"
#include "model/run_directory.h"
#include "model/text.h"
#include "shell/globals.h"

namespace orv {

namespace {

constexpr int kEscapeKey = 27;

bool IsMenuKind(int kind) { return kind >= TileMenu && kind <= TrayMenu; }

bool StartupIsOn() { return GlobalBoard && GlobalBoard->IsStartup() != 0; }

void SetMenuOpen(int open) {
    if (!MenuLock) {
        MenuOpen = open;
        return;
    }
    ExclusiveHold hold(*MenuLock);
    MenuOpen = open;
}

// The created handler: one item button per text of the kind, stacked under
// each other, and the window placed at the pointer.
void BuildMenu(ui::Window& window) {
    SetMenuOpen(1);
    if (!IsMenuKind(MenuKind)) return;
    const auto items = MenuItemList(MenuKind, MenuKind == TrayMenu && StartupIsOn());
    ui::Control* itemTemplate = window.Find("MenuItemButton");
    if (!itemTemplate || !MenuItemButtons) return;

    const int n = static_cast<int>(items.size());
    MenuItemButtons->assign(static_cast<std::size_t>(n), ControlRef{});
    const Rect templatePlace = itemTemplate->Place();
    for (int i = 1; i <= n; ++i) {
        ui::Control& item = window.Clone(*itemTemplate);
        (*MenuItemButtons)[static_cast<std::size_t>(i - 1)] = ControlRef{&item};
        item.Move(templatePlace.left, templatePlace.height * (i - 1) + 1);
        item.SetCaption(MenuCaption(items[static_cast<std::size_t>(i - 1)]));
        item.SetVisible(true);
    }
    window.SetBounds(MenuPlace(ui::MousePosition(), n, MenuKind == TrayMenu, ui::WorkArea()));
}

void OpenConfiguredWebSite() {
    OpenWebSite(ResolveSiteAddress(ORVANTO_WEBSITE, RunDirectory()));
}

// Runs the action of the item of that kind whose text equals item, with the
// index remembered when the menu opened; an unknown text runs nothing.
void RunItem(int kind, std::string_view item) {
    if (!GlobalBoard) return;
    Board& board = *GlobalBoard;
    switch (kind) {
    case TileMenu:
        if (item == kOpenFolderItem) board.OpenEntryFolder(MenuTileIndex);
        else if (item == kAddProgramItem) OpenSystemItemPicker();
        else if (item == kRenameItem) board.BeginEntryRename(MenuTileIndex);
        else if (item == kDeleteItem) board.DeleteEntry(MenuTileIndex);
        break;
    case BoardMenu:
        if (item == kAddProgramItem) OpenSystemItemPicker();
        break;
    case CategoryMenu:
        if (item == kNewCategoryItem) board.AddCategory();
        else if (item == kRenameItem) board.BeginCategoryRename(MenuCategoryIndex);
        else if (item == kDeleteItem) board.DeleteCategory(MenuCategoryIndex);
        break;
    case CategoryBarMenu:
        if (item == kNewCategoryItem) board.AddCategory();
        break;
    case TrayMenu:
        if (item == kWebSiteItem) OpenConfiguredWebSite();
        else if (item == kStartupOnItem) board.SetStartup(1);
        else if (item == kStartupOffItem) board.SetStartup(0);
        // Takes the tray icon down, runs the exit routine once and ends the
        // message loop with code 0.
        else if (item == kExitItem) EndProgram();
        break;
    default:
        break;
    }
}

void OnItemClicked(ui::Control& clicked) {
    if (!IsMenuKind(MenuKind)) return;
    const std::string item = RemoveSpaces(clicked.Caption());
    // The action runs first, while the remembered index is still set; the
    // picker is modal, so the menu stays on screen until it is closed.
    RunItem(MenuKind, item);
    CloseMenuWindow();
}

class MenuWindowEvents final : public ui::EventHandler {
public:
    void OnEvent(const ui::Event& event) noexcept override {
        switch (event.kind) {
        case ui::EventKind::Created:
            if (event.window) BuildMenu(*event.window);
            break;
        case ui::EventKind::Clicked:
            if (event.control && event.name == "MenuItemButton") OnItemClicked(*event.control);
            break;
        case ui::EventKind::Deactivated:
            // A click outside the menu takes its activation; the picker that
            // one of its items opened does so too, and the menu stays then.
            if (IsCurrentMenu(event.window) && !SystemItemPickerOpen()) CloseMenuWindow();
            break;
        case ui::EventKind::KeyDown:
            if (event.value == kEscapeKey && IsCurrentMenu(event.window)) CloseMenuWindow();
            break;
        default:
            break;
        }
    }

private:
    static bool IsCurrentMenu(const ui::Window* window) {
        return window && MenuWindow && MenuWindow.get() == window;
    }
};

MenuWindowEvents& MenuEvents() {
    static MenuWindowEvents events;
    return events;
}

}  // namespace

void OpenPopupMenu(int kind, int index) {
    CloseMenuWindow();
    MenuKind = kind;
    if (kind == TileMenu) MenuTileIndex = index;
    if (kind == CategoryMenu) MenuCategoryIndex = index;
    MenuWindow = ui::Window::Create(MenuWindowDesign(), MenuEvents());
    if (!MenuWindow) {
        CloseMenuWindow();
        return;
    }
    MenuWindow->Show();
    // The tray's menu opens while another program is in front; the menu
    // must be the foreground window to learn of a click outside it.
    MenuWindow->BringToFront();
}

void CloseMenuWindow() {
    // Taken out of the global first: destroying the active menu deactivates
    // it, and that event comes back here.
    ui::WindowPtr closing = std::move(MenuWindow);
    closing.reset();
    SetMenuOpen(0);
    if (MenuItemButtons) MenuItemButtons->clear();
    MenuKind = kNoMenu;
    MenuTileIndex = 0;
    MenuCategoryIndex = 0;
}

void OpenWebSite(std::string_view address) {
    if (address.empty()) return;
    const std::wstring file = LocalToWide(address);
    if (file.empty()) return;
    ShellExecuteW(nullptr, L"open", file.c_str(), L"", L"", SW_SHOWNORMAL);
}

}  // namespace orv
