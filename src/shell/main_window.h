#pragma once
// The main window's event dispatch: one switch by event kind and control
// name, each case handing on to one named handler of the frame, the board,
// the tile drag or the menus.
#include "toolkit/toolkit.h"

namespace orv {

class MainWindowEvents final : public ui::EventHandler {
public:
    void OnEvent(const ui::Event& event) noexcept override;

    // The tray's double-click, and a second start of this copy: a minimised
    // window is restored, a hidden one comes back onto the screen, and it
    // comes to the front.
    void BringBack();

private:
    void OnCreated(ui::Window& window);
    void OnControlEvent(const ui::Event& event);
    void OnSurfaceMouseMove(ui::Window& window, Point point);
    void OnSurfaceLeftDown(ui::Window& window);
    void OnSurfaceLeftUp(ui::Window& window);
    void OnSizeChanged(ui::Window& window);
    void OnPositionChanged(ui::Window& window);
    void OnTray(int value);

    ui::Window* window_ = nullptr;
};

// The one handler of the main window (the entry creates the window with it).
MainWindowEvents& MainWindowHandler();

}  // namespace orv
