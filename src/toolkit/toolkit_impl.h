#pragma once
// The objects behind Window and Control, shared by the toolkit's files only.
#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/handles.h"
#include "toolkit/picture.h"
#include "toolkit/toolkit.h"

namespace orv::ui::detail {

class WindowImpl;

inline constexpr UINT kTrayMessage = WM_APP + 1;
inline constexpr wchar_t kControlClass[] = L"OrvantoControl";

// What a control is made from: a design row or the current look of a template.
struct ControlLook {
    std::string name;
    ControlKind kind = ControlKind::Label;
    std::string parent;
    Rect place;
    bool visible = true;
    std::string caption;
    StateColors colors;
    Color text = kCaptionColor;
    int fontHeight = 12;
    std::array<std::shared_ptr<Picture>, 4> pictures;  // [0] is the picture of tiles and boxes
};

ControlLook LookFromDesign(const ControlDesign& design);

class ControlImpl final : public Control {
public:
    ControlImpl(WindowImpl& owner, ControlLook look, int id, bool isClone);
    ~ControlImpl();

    // Makes the child window under parent; false when it cannot be made.
    bool CreateHandle(HWND parent) noexcept;

    WindowImpl& owner;
    ControlLook look;
    int id;
    bool isClone;
    HWND hwnd = nullptr;
    std::string tag;
    std::uint64_t pictureHash = 0;
    std::size_t pictureSize = 0;
    bool pictureFromBytes = false;  // the hash and size describe the last SetPicture
    bool over = false;
    bool focused = false;
    bool pressed = false;
    bool tracking = false;
    GdiObject editBrush;         // WM_CTLCOLOREDIT answer of an Edit
    Color editBrushColor{};

    Color CurrentBackground() const;  // by state: over, then focused, then outside
    Color SurfaceColor() const;       // what children and labels show over it
    Color ParentColor() const;        // the colour of the surface it sits on
    void Repaint() noexcept;          // invalidate and paint now (with children)
    void Invalidate() noexcept;
    void RepaintIfShownColourChanged(Color shownBefore, Color outsideBefore) noexcept;       // paint with the next messages: many changes, one paint
    HBRUSH EditBrush() noexcept;

    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT CALLBACK EditProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR subclassId, DWORD_PTR data) noexcept;

private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT OnEditMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    void OnPaint() noexcept;
    void PaintContent(HDC dc, const RECT& client) noexcept;
    void OnLeftDown(Point point) noexcept;
    void OnMouseMove(Point point) noexcept;
    void OnLeftUp(Point point) noexcept;
    void SetOver(bool value) noexcept;
    void Raise(EventKind kind, Point point = {}, int value = 0) noexcept;
};

// Counts the dispatch of one window's messages; the outermost end frees a
// window whose owner dropped it meanwhile.
class DispatchScope {
public:
    explicit DispatchScope(WindowImpl& window) noexcept;
    DispatchScope(const DispatchScope&) = delete;
    DispatchScope& operator=(const DispatchScope&) = delete;
    ~DispatchScope();

private:
    WindowImpl& window_;
};

class WindowImpl final : public Window {
public:
    WindowImpl(const WindowDesign& design, EventHandler& handler);
    ~WindowImpl();

    bool Build(const WindowDesign& design) noexcept;
    void Raise(const Event& event) noexcept;
    void RaiseOwn(EventKind kind, Point point = {}, int value = 0) noexcept;
    // WM_CTLCOLOREDIT for an edit box of this window (its parent may be a frame).
    LRESULT EditColors(HDC dc, HWND edit) noexcept;
    HWND ParentHandleFor(const std::string& parentName) const;
    ControlImpl* FindImpl(std::string_view name) const;

    std::string name;
    EventHandler& handler;
    HWND hwnd = nullptr;
    Color background;
    GdiObject backgroundBrush;
    bool topmost;
    bool noTaskbarButton;
    bool dragToMove;
    CursorKind cursor = CursorKind::Default;
    bool minimized = false;
    bool sizeMoveRan = false;     // set by WM_ENTERSIZEMOVE; lets LeftDown know a loop ran
    bool surfaceCaptured = false;
    int redrawSuspended = 0;
    bool redrawWasVisible = false;
    int nextId = 100;
    std::vector<std::unique_ptr<ControlImpl>> controls;

    bool destroying = false;     // from Destroy() or WM_DESTROY on: only Destroyed is raised
    int dispatchDepth = 0;
    bool deletePending = false;
    std::vector<HWND> modalDisabled;   // windows ShowModal disabled, enabled again on destroy

    // Tray icon.
    bool trayWanted = false;   // put up again when the taskbar is re-created
    bool trayAdded = false;
    int trayIconId = 0;
    std::wstring trayTip;
    IconHandle trayIcon;
    bool AddTray() noexcept;
    void RemoveTray() noexcept;

    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    void OnPaint() noexcept;
    void OnSurfaceLeftDown(Point point) noexcept;
    void OnSurfaceLeftUp(Point point) noexcept;
    Point MouseInClient() const noexcept;
    void EnableModalOthers() noexcept;
};

inline ControlImpl& Impl(Control& control) { return static_cast<ControlImpl&>(control); }
inline const ControlImpl& Impl(const Control& control) {
    return static_cast<const ControlImpl&>(control);
}
inline WindowImpl& Impl(Window& window) { return static_cast<WindowImpl&>(window); }
inline const WindowImpl& Impl(const Window& window) { return static_cast<const WindowImpl&>(window); }

// EnumThreadWindows callback of ShowModal: disables the thread's other shown windows.
BOOL CALLBACK DisableForModal(HWND other, LPARAM window) noexcept;

// Shared resources of the toolkit (app_window.cpp).
HINSTANCE Instance() noexcept;
HWND ApplicationWindow() noexcept;           // hidden owner of windows without a taskbar button
bool RegisterControlClass() noexcept;
bool RegisterWindowClass(const std::wstring& className) noexcept;
HFONT CaptionFont(int height) noexcept;      // "微软雅黑", weight 400, GB2312, shared
HCURSOR CursorFor(CursorKind kind) noexcept;
UINT TaskbarCreatedMessage() noexcept;

}  // namespace orv::ui::detail
