#pragma once
// The window-and-control layer on raw Win32.
//
// Windows are built from a design table (controls with kind, place, size,
// colours, caption, visibility, template flag). Controls are child windows of
// one owner-drawn class (labels, image buttons, frames, buttons, tiles,
// picture boxes) plus native EDIT boxes. A template control is hidden and is
// cloned at run time; a clone carries the template's name, so it raises the
// template's events, and a tag text the program sets.
//
// Texts are local text (code page 936 bytes) everywhere in this interface; the
// toolkit converts to UTF-16 at the W call. All of it runs on the thread that
// created the window.
#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/geometry.h"

namespace orv::ui {

class Window;
class Control;

enum class ControlKind {
    Label,        // caption only, transparent on its parent's background
    ImageButton,  // four state pictures (outside, over, pressed, focused), no caption
    Frame,        // container drawn in its outside colour; holds child controls
    Button,       // caption centred on a per-state background
    Tile,         // picture above a caption, per-state background
    PictureBox,   // a filled rectangle or a picture
    Edit,         // native single-line EDIT box
};

// The backgrounds of a control per state: mouse outside, mouse over it, and
// while it has the keyboard focus (the mouse-over colour wins over focus).
struct StateColors {
    Color outside = kWindowColor;
    Color over = kWindowColor;
    Color focused = kWindowColor;
};

struct ControlDesign {
    std::string_view name;           // role name, e.g. "TileButton"; clones keep it
    ControlKind kind = ControlKind::Label;
    std::string_view parent;         // "" = the window itself, else the name of a Frame
    Rect place;                      // relative to the parent's client area
    bool visible = true;
    std::string_view caption;        // local text
    StateColors background;
    Color text = kCaptionColor;
    int fontHeight = 12;             // character height in pixels, "微软雅黑", weight 400, GB2312
    std::array<int, 4> pictures{};   // ImageButton: RCDATA resource ids (PNG/ICO), 0 = none
};

struct WindowDesign {
    std::string_view name;           // role name; the window class is "Orvanto" + name
    Rect place;                      // screen place at design
    Color background = kWindowColor;
    bool topmost = true;
    bool noTaskbarButton = true;     // owned by the toolkit's hidden application window
    bool centred = false;            // placed in the middle of the primary screen
    bool dragToMove = false;         // pressing the free surface moves the window
    std::vector<ControlDesign> controls;
};

enum class EventKind {
    Created,         // window: while it is being built (controls exist, not yet shown)
    Clicked,         // control: left press and release inside it (raised after LeftUp)
    LeftDown,        // control or window surface
    LeftUp,          // control or window surface; also after a drag-to-move or sizing loop
    MouseMove,       // control or window surface
    RightUp,         // control or window surface
    KeyDown,         // Edit controls and windows: value = virtual key code
    LostFocus,       // Edit controls
    GotFocus,        // window: activated
    Deactivated,     // window: lost activation to another window
    SizeChanged,     // window: WM_SIZE (also for sizes the program sets, at once)
    PositionChanged, // window: WM_MOVE
    EnterSizeMove,   // window: the system's move/size loop starts
    ExitSizeMove,    // window: ... and ends
    Tray,            // window: notification-area icon; value 1 = left up, 2 = double-click, 3 = menu
    EndSession,      // window: Windows is ending the session
    Destroyed,       // window: its HWND is gone
};

struct Event {
    EventKind kind = EventKind::Created;
    Window* window = nullptr;
    Control* control = nullptr;   // null when the event is the window's own
    std::string_view name;        // the control's role name ("" for the window)
    Point point;                  // mouse position relative to the control (or window)
    int value = 0;                // key code or tray value
};

// Receives every event of a window and of its controls, on the UI thread.
class EventHandler {
public:
    virtual void OnEvent(const Event& event) noexcept = 0;

protected:
    ~EventHandler() = default;
};

enum class CursorKind { Default, SizeWE, SizeNS, SizeNWSE };

class Control {
public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    std::string_view Name() const;
    ControlKind Kind() const;
    Window& Owner() const;
    HWND Handle() const;

    Rect Place() const;                 // relative to the parent's client area
    void Move(int left, int top);       // keeps the size
    void SetPlace(const Rect& place);
    bool Visible() const;
    void SetVisible(bool visible);

    const std::string& Tag() const;
    void SetTag(std::string_view tag);
    std::string Caption() const;        // for an Edit: its content
    void SetCaption(std::string_view caption);

    // Image bytes of a BMP, ICO (best entry), PNG, JPEG or GIF file; empty or
    // undecodable bytes give no picture. Shown centred in the picture area,
    // scaled down to fit when larger.
    void SetPicture(std::span<const std::uint8_t> imageBytes);
    bool HasPicture() const;

    StateColors Colors() const;
    void SetColors(const StateColors& colors);
    void SetOutsideColor(Color color);
    void SetOverColor(Color color);

    void Focus();                       // keyboard focus
    void SelectAllText();               // Edit: select the whole content

protected:
    Control() = default;
    ~Control() = default;
};

// Windows are owned through WindowPtr; dropping it destroys the HWND at once
// and frees the object as soon as no event of that window is being
// dispatched (so a handler may close the window whose event it handles).
struct WindowDeleter {
    void operator()(Window* window) const noexcept;
};
using WindowPtr = std::unique_ptr<Window, WindowDeleter>;

class Window {
public:
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Builds the window and its controls (hidden), raises Created on the
    // handler, and returns it; null when the window cannot be created.
    static WindowPtr Create(const WindowDesign& design, EventHandler& handler) noexcept;

    void Show();                        // modeless: shown and activated
    void ShowNoActivate();
    // Modal: shows the window and runs a message loop until it is destroyed;
    // the program's other windows take no input meanwhile.
    void ShowModal();
    void Destroy();                     // the HWND goes now; the object stays until dropped
    bool Alive() const;

    HWND Handle() const;
    std::string_view Name() const;

    Control* Find(std::string_view name) const;      // the design control of that name
    Control& Clone(Control& templateControl);        // a new control, same parent and look
    std::vector<Control*> Controls() const;

    Rect Bounds() const;                // outer rectangle in screen pixels
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void MoveTo(int left, int top);
    void SetSize(int width, int height);
    void SetBounds(const Rect& bounds);  // one move and size
    void SetLeft(int left);
    void SetTop(int top);

    void SetDisabled(bool disabled);
    bool Disabled() const;
    void SetCursor(CursorKind cursor);  // the pointer over the window's own surface
    CursorKind Cursor() const;
    void SetDragToMove(bool on);
    bool DragToMove() const;

    void Minimize();
    void Restore();                     // from minimised, and to the front
    bool Minimized() const;
    void BringToFront();                // SetForegroundWindow

    // Redraw of the window and its controls off and on (WM_SETREDRAW); the
    // resume repaints everything once.
    void SuspendRedraw();
    void ResumeRedraw();
    // LockWindowUpdate on this window, and off.
    void LockUpdate();
    void UnlockUpdate();

    // Notification-area icon with a tooltip; re-added when the taskbar is
    // re-created, removed when the window goes.
    bool AddTrayIcon(int iconResourceId, std::string_view tooltip);
    void RemoveTrayIcon();

protected:
    Window() = default;
    ~Window() = default;
};

// The UI thread's message loop; returns the WM_QUIT exit code.
int RunMessageLoop();
// Dispatches every message waiting for the calling thread, then returns.
void ProcessPendingMessages();
// Ends the message loop.
void Quit(int exitCode);

Point MousePosition();   // screen pixels
Size ScreenSize();       // primary screen (SM_CXSCREEN, SM_CYSCREEN)
Rect WorkArea();         // primary screen without the taskbar

}  // namespace orv::ui
