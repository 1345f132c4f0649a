#include "shell/main_window.h"

#include <charconv>
#include <string>

#include "board/tile_drag.h"
#include "core/frame_rules.h"
#include "menus/popup_menu.h"
#include "model/wait.h"
#include "shell/globals.h"
#include "shell/start_up.h"

namespace orv {

namespace {

// The 1-based index a clone stands for: the decimal text of its tag.
int TagIndex(const ui::Event& event) {
    if (!event.control) return 0;
    const std::string& tag = event.control->Tag();
    int index = 0;
    std::from_chars(tag.data(), tag.data() + tag.size(), index);
    return index;
}

constexpr int kEnter = VK_RETURN;
constexpr int kEscape = VK_ESCAPE;

}  // namespace

MainWindowEvents& MainWindowHandler() {
    static MainWindowEvents handler;
    return handler;
}

void MainWindowEvents::OnEvent(const ui::Event& event) noexcept {
    if (!event.window) return;
    ui::Window& window = *event.window;
    if (event.kind == ui::EventKind::Created) {
        OnCreated(window);
        return;
    }
    // After the exit routine the board is gone; late events change nothing.
    if (!GlobalsAlive()) return;
    if (event.control) {
        OnControlEvent(event);
        return;
    }
    switch (event.kind) {
    case ui::EventKind::MouseMove: OnSurfaceMouseMove(window, event.point); break;
    case ui::EventKind::LeftDown: OnSurfaceLeftDown(window); break;
    case ui::EventKind::LeftUp: OnSurfaceLeftUp(window); break;
    case ui::EventKind::RightUp: OpenPopupMenu(BoardMenu); break;
    case ui::EventKind::SizeChanged: OnSizeChanged(window); break;
    case ui::EventKind::PositionChanged: OnPositionChanged(window); break;
    case ui::EventKind::GotFocus: CloseMenuWindow(); break;
    case ui::EventKind::EnterSizeMove: GlobalBoard->BeginSizeMove(); break;
    case ui::EventKind::ExitSizeMove: GlobalBoard->EndSizeMove(); break;
    case ui::EventKind::EndSession: GlobalBoard->FlushPendingSave(); break;
    case ui::EventKind::Tray: OnTray(event.value); break;
    case ui::EventKind::Destroyed: ui::Quit(0); break;
    default: break;
    }
}

void MainWindowEvents::OnCreated(ui::Window& window) {
    window_ = &window;
    RunCreatedSteps(window);
}

void MainWindowEvents::OnControlEvent(const ui::Event& event) {
    const std::string_view name = event.name;
    const ui::EventKind kind = event.kind;
    Board& board = *GlobalBoard;
    if (name == "CloseButton") {
        if (kind == ui::EventKind::Clicked) event.window->Minimize();
    } else if (name == "CategoryButton") {
        if (kind == ui::EventKind::Clicked) board.SelectCategory(TagIndex(event));
        if (kind == ui::EventKind::RightUp) OpenPopupMenu(CategoryMenu, TagIndex(event));
    } else if (name == "CategoryBar") {
        if (kind == ui::EventKind::RightUp) OpenPopupMenu(CategoryBarMenu);
    } else if (name == "TileButton") {
        switch (kind) {
        case ui::EventKind::LeftDown: OnTileLeftDown(event); break;
        case ui::EventKind::MouseMove: OnTileMouseMove(event); break;
        case ui::EventKind::LeftUp: OnTileLeftUp(event); break;
        case ui::EventKind::Clicked:
            if (TileClickIsLaunch()) board.LaunchEntry(TagIndex(event));
            break;
        case ui::EventKind::RightUp: OpenPopupMenu(TileMenu, TagIndex(event)); break;
        default: break;
        }
    } else if (name == "CategoryRenameEdit") {
        if ((kind == ui::EventKind::KeyDown && event.value == kEnter) ||
            kind == ui::EventKind::LostFocus)
            board.CommitCategoryRename();
        else if (kind == ui::EventKind::KeyDown && event.value == kEscape)
            board.CancelCategoryRename();
    } else if (name == "TileRenameEdit") {
        if ((kind == ui::EventKind::KeyDown && event.value == kEnter) ||
            kind == ui::EventKind::LostFocus)
            board.CommitEntryRename();
        else if (kind == ui::EventKind::KeyDown && event.value == kEscape)
            board.CancelEntryRename();
    }
}

void MainWindowEvents::OnSurfaceMouseMove(ui::Window& window, Point point) {
    switch (ZoneAt(point, {window.Width(), window.Height()})) {
    case FrameZone::RightEdge:
        window.SetCursor(ui::CursorKind::SizeWE);
        window.SetDragToMove(false);
        break;
    case FrameZone::BottomEdge:
        window.SetCursor(ui::CursorKind::SizeNS);
        window.SetDragToMove(false);
        break;
    case FrameZone::BottomRightCorner:
        window.SetCursor(ui::CursorKind::SizeNWSE);
        window.SetDragToMove(false);
        break;
    case FrameZone::Surface:
        if (!window.DragToMove()) {
            window.SetDragToMove(true);
            window.SetCursor(ui::CursorKind::Default);
        }
        break;
    }
}

void MainWindowEvents::OnSurfaceLeftDown(ui::Window& window) {
    // A press on the free surface takes the keyboard focus to the window, so
    // a rename box that had it loses it and commits, as a click beside an
    // in-place rename does everywhere else.
    SetFocus(window.Handle());
    // The pointer shown decides which edge the system's sizing loop takes.
    WPARAM hit = 0;
    switch (window.Cursor()) {
    case ui::CursorKind::SizeNS: hit = HTBOTTOM; break;
    case ui::CursorKind::SizeNWSE: hit = HTBOTTOMRIGHT; break;
    case ui::CursorKind::SizeWE: hit = HTRIGHT; break;
    case ui::CursorKind::Default: return;
    }
    SendMessageW(window.Handle(), WM_NCLBUTTONDOWN, hit, 0);
}

void MainWindowEvents::OnSurfaceLeftUp(ui::Window& window) {
    if (const std::optional<Point> place = SnapOnRelease(window.Bounds(), ui::ScreenSize().width))
        window.MoveTo(place->x, place->y);
}

void MainWindowEvents::OnSizeChanged(ui::Window& window) {
    // A minimised window has the system's icon size, which is no size of ours.
    if (window.Minimized()) return;
    window.LockUpdate();
    const std::optional<Size> corrected = CorrectMinimumSize({window.Width(), window.Height()});
    if (!corrected) {
        GlobalBoard->Relayout(window.Width());
        window.UnlockUpdate();
        return;
    }
    // The correction raises a new size change, which corrects the other
    // dimension when it is too small as well.
    window.SetSize(corrected->width, corrected->height);
    window.UnlockUpdate();
    // Taking input away for a moment breaks off a sizing drag in progress.
    window.SetDisabled(true);
    Wait(50);
    window.SetDisabled(false);
}

void MainWindowEvents::OnPositionChanged(ui::Window& window) {
    if (window.Minimized()) return;
    if (MovedBeyondEdges(window.Bounds(), ui::ScreenSize().width)) CloseMenuWindow();
}

void MainWindowEvents::OnTray(int value) {
    if (value == 2) {
        BringBack();
    } else if (value == 3) {
        CloseMenuWindow();
        // The menu can only take the focus and clicks when this program owns
        // the foreground.
        if (window_) window_->BringToFront();
        OpenPopupMenu(TrayMenu);
    }
}

void MainWindowEvents::BringBack() {
    if (!window_ || !window_->Alive()) return;
    ui::Window& window = *window_;
    if (window.Minimized()) window.Restore();
    const Point place = BringBackPlace(window.Bounds(), ui::ScreenSize().width);
    if (place.x != window.Left() || place.y != window.Top()) window.MoveTo(place.x, place.y);
    window.BringToFront();
}

}  // namespace orv
