// The windows: built from a design, one procedure for their messages, their
// properties, modal showing and the deferred free after the last dispatch.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <iterator>
#include <new>

#include "model/text.h"
#include "toolkit/toolkit_impl.h"
#include "toolkit/win_types.h"

namespace orv::ui {

namespace detail {

namespace {

Point PointFrom(LPARAM lParam) {
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

int TrayValue(LPARAM mouseMessage) {
    switch (static_cast<UINT>(mouseMessage)) {
    case WM_LBUTTONUP: return 1;
    case WM_LBUTTONDBLCLK: return 2;
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU: return 3;
    default: return 0;
    }
}

}  // namespace

BOOL CALLBACK DisableForModal(HWND other, LPARAM data) noexcept {
    auto* self = reinterpret_cast<WindowImpl*>(data);
    if (other != self->hwnd && other != ApplicationWindow() && IsWindowVisible(other) &&
        IsWindowEnabled(other)) {
        EnableWindow(other, FALSE);
        self->modalDisabled.push_back(other);
    }
    return TRUE;
}

DispatchScope::DispatchScope(WindowImpl& window) noexcept : window_(window) {
    ++window_.dispatchDepth;
}

DispatchScope::~DispatchScope() {
    // Not before WM_NCDESTROY: the HWND's last messages still reach the object.
    if (--window_.dispatchDepth == 0 && window_.deletePending && !window_.hwnd) delete &window_;
}

WindowImpl::WindowImpl(const WindowDesign& design, EventHandler& eventHandler)
    : name(design.name), handler(eventHandler), background(design.background),
      topmost(design.topmost), noTaskbarButton(design.noTaskbarButton),
      dragToMove(design.dragToMove) {}

WindowImpl::~WindowImpl() {
    // Messages of the last destruction must not free this object again.
    dispatchDepth = 1;
    deletePending = false;
    destroying = true;
    if (hwnd) {
        // Only when destroying failed: the window outlives this object.
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        for (auto& control : controls) {
            if (control->hwnd) SetWindowLongPtrW(control->hwnd, GWLP_USERDATA, 0);
        }
        DestroyWindow(hwnd);
    }
}

bool WindowImpl::Build(const WindowDesign& design) noexcept {
    if (!RegisterControlClass()) return false;
    const std::wstring className = L"Orvanto" + LocalToWide(design.name);
    if (!RegisterWindowClass(className)) return false;
    backgroundBrush.reset(CreateSolidBrush(ToColorRef(background)));

    Rect place = design.place;
    if (design.centred) {
        const Size screen = ScreenSize();
        place.left = (screen.width - place.width) / 2;
        place.top = (screen.height - place.height) / 2;
    }
    const DWORD exStyle = design.topmost ? WS_EX_TOPMOST : 0;
    HWND owner = design.noTaskbarButton ? ApplicationWindow() : nullptr;
    // WM_NCCREATE binds the object and sets hwnd.
    if (!CreateWindowExW(exStyle, className.c_str(), LocalToWide(design.name).c_str(),
                         WS_POPUP | WS_CLIPCHILDREN, place.left, place.top, place.width,
                         place.height, owner, nullptr, Instance(), this)) {
        return false;
    }

    for (const ControlDesign& control : design.controls) {
        controls.push_back(std::make_unique<ControlImpl>(*this, LookFromDesign(control), nextId++, false));
    }
    // Frames before what they hold, whatever the order of the design.
    std::vector<ControlImpl*> waiting;
    for (auto& control : controls) waiting.push_back(control.get());
    while (!waiting.empty()) {
        std::vector<ControlImpl*> later;
        for (ControlImpl* control : waiting) {
            const ControlImpl* frame =
                control->look.parent.empty() ? nullptr : FindImpl(control->look.parent);
            if (frame && frame != control && !frame->hwnd && frame->look.kind == ControlKind::Frame) {
                later.push_back(control);
                continue;
            }
            control->CreateHandle(ParentHandleFor(control->look.parent));
        }
        if (later.size() == waiting.size()) {
            // A cycle of frames: put the rest on the window itself.
            for (ControlImpl* control : later) control->CreateHandle(hwnd);
            break;
        }
        waiting = std::move(later);
    }
    return true;
}

ControlImpl* WindowImpl::FindImpl(std::string_view controlName) const {
    for (const auto& control : controls) {
        if (!control->isClone && control->look.name == controlName) return control.get();
    }
    return nullptr;
}

HWND WindowImpl::ParentHandleFor(const std::string& parentName) const {
    if (!parentName.empty()) {
        const ControlImpl* frame = FindImpl(parentName);
        if (frame && frame->hwnd && frame->look.kind == ControlKind::Frame) return frame->hwnd;
    }
    return hwnd;
}

void WindowImpl::Raise(const Event& event) noexcept {
    // A window on its way out tells only that it is gone: focus and
    // activation changes of its destruction would reach handlers that
    // already let it go.
    if (destroying && event.kind != EventKind::Destroyed) return;
    handler.OnEvent(event);
}

void WindowImpl::RaiseOwn(EventKind kind, Point point, int value) noexcept {
    Event event;
    event.kind = kind;
    event.window = this;
    event.point = point;
    event.value = value;
    Raise(event);
}

LRESULT WindowImpl::EditColors(HDC dc, HWND edit) noexcept {
    auto* control = reinterpret_cast<ControlImpl*>(GetWindowLongPtrW(edit, GWLP_USERDATA));
    if (!control || control->hwnd != edit || &control->owner != this) {
        return reinterpret_cast<LRESULT>(backgroundBrush.get());
    }
    SetTextColor(dc, ToColorRef(control->look.text));
    SetBkColor(dc, ToColorRef(control->look.colors.outside));
    return reinterpret_cast<LRESULT>(control->EditBrush());
}

Point WindowImpl::MouseInClient() const noexcept {
    POINT p{};
    GetCursorPos(&p);
    if (hwnd) ScreenToClient(hwnd, &p);
    return {p.x, p.y};
}

void WindowImpl::EnableModalOthers() noexcept {
    for (HWND other : modalDisabled) {
        if (IsWindow(other)) EnableWindow(other, TRUE);
    }
    modalDisabled.clear();
}

bool WindowImpl::AddTray() noexcept {
    if (!hwnd) return false;
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = hwnd;
    data.uID = 1;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kTrayMessage;
    data.hIcon = trayIcon.get();
    const std::size_t length = std::min(trayTip.size(), std::size(data.szTip) - 1);
    trayTip.copy(data.szTip, length);
    data.szTip[length] = L'\0';
    trayAdded = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
    return trayAdded;
}

void WindowImpl::RemoveTray() noexcept {
    if (!trayAdded) return;
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = hwnd;
    data.uID = 1;
    Shell_NotifyIconW(NIM_DELETE, &data);
    trayAdded = false;
}

void WindowImpl::OnPaint() noexcept {
    PaintScope paint(hwnd);
    // One solid colour: no memory bitmap needed, and WS_CLIPCHILDREN keeps
    // the controls untouched.
    FillRect(paint.dc(), &paint.area(), static_cast<HBRUSH>(backgroundBrush.get()));
}

void WindowImpl::OnSurfaceLeftDown(Point point) noexcept {
    sizeMoveRan = false;
    SetCapture(hwnd);
    surfaceCaptured = true;
    RaiseOwn(EventKind::LeftDown, point);
    if (!hwnd) return;
    if (sizeMoveRan) {
        // The handler ran a sizing loop, which swallowed the release.
        if (surfaceCaptured && GetCapture() == hwnd) ReleaseCapture();
        surfaceCaptured = false;
        RaiseOwn(EventKind::LeftUp, MouseInClient());
        return;
    }
    // Only for a button that is really held: a press that is only a message
    // would leave the move loop waiting for a release that never comes.
    if (dragToMove && cursor == CursorKind::Default && (GetKeyState(VK_LBUTTON) & 0x8000)) {
        surfaceCaptured = false;
        ReleaseCapture();
        SendMessageW(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
        if (hwnd) RaiseOwn(EventKind::LeftUp, MouseInClient());
    }
}

void WindowImpl::OnSurfaceLeftUp(Point point) noexcept {
    if (surfaceCaptured) {
        surfaceCaptured = false;
        if (GetCapture() == hwnd) ReleaseCapture();
    }
    RaiseOwn(EventKind::LeftUp, point);
}

LRESULT CALLBACK WindowImpl::Procedure(HWND window, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept {
    WindowImpl* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<WindowImpl*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        if (self) self->hwnd = window;
    } else {
        self = reinterpret_cast<WindowImpl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        DispatchScope scope(*self);  // its end frees a window dropped meanwhile
        self->hwnd = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    DispatchScope scope(*self);
    return self->OnMessage(message, wParam, lParam);
}

LRESULT WindowImpl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == TaskbarCreatedMessage() && message != 0) {
        if (trayWanted) AddTray();
        return 0;
    }
    switch (message) {
    case kTrayMessage:
        if (const int value = TrayValue(lParam)) RaiseOwn(EventKind::Tray, {}, value);
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_PRINTCLIENT: {
        RECT client{};
        GetClientRect(hwnd, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, static_cast<HBRUSH>(backgroundBrush.get()));
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) != hwnd) return FALSE;  // a control's own pointer
        if (LOWORD(lParam) == HTCLIENT) {
            ::SetCursor(CursorFor(cursor));
            return TRUE;
        }
        break;
    case WM_LBUTTONDOWN:
        OnSurfaceLeftDown(PointFrom(lParam));
        return 0;
    case WM_LBUTTONUP:
        OnSurfaceLeftUp(PointFrom(lParam));
        return 0;
    case WM_MOUSEMOVE:
        RaiseOwn(EventKind::MouseMove, PointFrom(lParam));
        return 0;
    case WM_RBUTTONUP:
        RaiseOwn(EventKind::RightUp, PointFrom(lParam));
        return 0;
    case WM_CAPTURECHANGED:
        surfaceCaptured = false;
        return 0;
    case WM_KEYDOWN:
        RaiseOwn(EventKind::KeyDown, {}, static_cast<int>(wParam));
        return 0;
    case WM_ACTIVATE: {
        // The default sets the focus first, so a handler may move it on.
        const LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
        RaiseOwn(LOWORD(wParam) == WA_INACTIVE ? EventKind::Deactivated : EventKind::GotFocus);
        return result;
    }
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) RaiseOwn(EventKind::SizeChanged);
        return 0;
    case WM_MOVE:
        RaiseOwn(EventKind::PositionChanged);
        return 0;
    case WM_ENTERSIZEMOVE:
        sizeMoveRan = true;
        RaiseOwn(EventKind::EnterSizeMove);
        return 0;
    case WM_EXITSIZEMOVE:
        RaiseOwn(EventKind::ExitSizeMove);
        return 0;
    case WM_ENDSESSION:
        if (wParam) RaiseOwn(EventKind::EndSession);
        return 0;
    case WM_CTLCOLOREDIT:
        return EditColors(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_COMMAND:
        return 0;
    case WM_DESTROY:
        destroying = true;
        // Before the system picks the next active window, so the ones a
        // modal showing disabled can take it.
        EnableModalOthers();
        RemoveTray();
        RaiseOwn(EventKind::Destroyed);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace detail

using detail::Impl;
using detail::WindowImpl;

void WindowDeleter::operator()(Window* window) const noexcept {
    if (!window) return;
    auto& impl = Impl(*window);
    impl.Destroy();
    if (impl.dispatchDepth == 0) {
        delete &impl;
    } else {
        impl.deletePending = true;  // freed when its outermost dispatch ends
    }
}

WindowPtr Window::Create(const WindowDesign& design, EventHandler& handler) noexcept {
    auto* impl = new (std::nothrow) WindowImpl(design, handler);
    if (!impl) return nullptr;
    WindowPtr window(impl);
    if (!impl->Build(design)) return nullptr;
    {
        detail::DispatchScope scope(*impl);
        impl->RaiseOwn(EventKind::Created);
    }
    return window;
}

void Window::Show() {
    auto& w = Impl(*this);
    if (!w.hwnd) return;
    w.minimized = false;
    ShowWindow(w.hwnd, SW_SHOW);
    SetForegroundWindow(w.hwnd);
}

void Window::ShowNoActivate() {
    auto& w = Impl(*this);
    if (!w.hwnd) return;
    w.minimized = false;
    ShowWindow(w.hwnd, SW_SHOWNA);
}

void Window::ShowModal() {
    auto& w = Impl(*this);
    if (!w.hwnd) return;
    detail::DispatchScope scope(w);  // the object stays while its loop runs
    w.modalDisabled.clear();
    EnumThreadWindows(GetCurrentThreadId(), detail::DisableForModal, reinterpret_cast<LPARAM>(&w));
    Show();
    MSG msg{};
    while (w.hwnd) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // for the outer loop
            break;
        }
        if (got < 0) break;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    for (HWND other : w.modalDisabled) {
        if (IsWindow(other)) EnableWindow(other, TRUE);
    }
    w.modalDisabled.clear();
}

void Window::Destroy() {
    auto& w = Impl(*this);
    if (!w.hwnd || w.destroying) return;
    w.destroying = true;
    DestroyWindow(w.hwnd);
}

bool Window::Alive() const { return Impl(*this).hwnd != nullptr; }
HWND Window::Handle() const { return Impl(*this).hwnd; }
std::string_view Window::Name() const { return Impl(*this).name; }

Control* Window::Find(std::string_view name) const { return Impl(*this).FindImpl(name); }

Control& Window::Clone(Control& templateControl) {
    auto& w = Impl(*this);
    const auto& source = Impl(templateControl);
    auto clone = std::make_unique<detail::ControlImpl>(w, source.look, w.nextId++, true);
    clone->pictureFromBytes = source.pictureFromBytes;
    clone->pictureHash = source.pictureHash;
    clone->pictureSize = source.pictureSize;
    if (w.hwnd && clone->CreateHandle(w.ParentHandleFor(source.look.parent)) && source.hwnd) {
        // Right below its template, so shown edit boxes stay above tiles.
        SetWindowPos(clone->hwnd, source.hwnd, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    }
    w.controls.push_back(std::move(clone));
    return *w.controls.back();
}

std::vector<Control*> Window::Controls() const {
    std::vector<Control*> all;
    for (const auto& control : Impl(*this).controls) all.push_back(control.get());
    return all;
}

Rect Window::Bounds() const {
    RECT r{};
    if (HWND hwnd = Impl(*this).hwnd) GetWindowRect(hwnd, &r);
    return FromRECT(r);
}
int Window::Left() const { return Bounds().left; }
int Window::Top() const { return Bounds().top; }
int Window::Width() const { return Bounds().width; }
int Window::Height() const { return Bounds().height; }

void Window::MoveTo(int left, int top) {
    if (HWND hwnd = Impl(*this).hwnd) {
        SetWindowPos(hwnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Window::SetSize(int width, int height) {
    if (HWND hwnd = Impl(*this).hwnd) {
        SetWindowPos(hwnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Window::SetBounds(const Rect& bounds) {
    if (HWND hwnd = Impl(*this).hwnd) {
        SetWindowPos(hwnd, nullptr, bounds.left, bounds.top, bounds.width, bounds.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Window::SetLeft(int left) { MoveTo(left, Top()); }
void Window::SetTop(int top) { MoveTo(Left(), top); }

void Window::SetDisabled(bool disabled) {
    if (HWND hwnd = Impl(*this).hwnd) EnableWindow(hwnd, disabled ? FALSE : TRUE);
}

bool Window::Disabled() const {
    HWND hwnd = Impl(*this).hwnd;
    return hwnd && !IsWindowEnabled(hwnd);
}

void Window::SetCursor(CursorKind cursor) {
    auto& w = Impl(*this);
    if (w.cursor == cursor) return;
    w.cursor = cursor;
    // The pointer changes now, not at the next move: the move handler that
    // sets it runs after this move's WM_SETCURSOR.
    POINT p{};
    if (w.hwnd && GetCursorPos(&p) && WindowFromPoint(p) == w.hwnd) {
        ::SetCursor(detail::CursorFor(cursor));
    }
}

CursorKind Window::Cursor() const { return Impl(*this).cursor; }
void Window::SetDragToMove(bool on) { Impl(*this).dragToMove = on; }
bool Window::DragToMove() const { return Impl(*this).dragToMove; }

// An owned popup without a taskbar button has nowhere to minimise to (it
// would leave a small caption bar on the desktop), so minimising hides it.
void Window::Minimize() {
    auto& w = Impl(*this);
    if (!w.hwnd || w.minimized) return;
    w.minimized = true;
    ShowWindow(w.hwnd, SW_HIDE);
}

void Window::Restore() {
    auto& w = Impl(*this);
    if (!w.hwnd) return;
    if (IsIconic(w.hwnd)) ShowWindow(w.hwnd, SW_RESTORE);
    if (w.minimized || !IsWindowVisible(w.hwnd)) {
        w.minimized = false;
        ShowWindow(w.hwnd, SW_SHOW);
    }
    SetForegroundWindow(w.hwnd);
}

bool Window::Minimized() const {
    const auto& w = Impl(*this);
    return w.hwnd && (w.minimized || IsIconic(w.hwnd));
}

void Window::BringToFront() {
    if (HWND hwnd = Impl(*this).hwnd) SetForegroundWindow(hwnd);
}

void Window::SuspendRedraw() {
    auto& w = Impl(*this);
    if (w.redrawSuspended++ > 0 || !w.hwnd) return;
    // WM_SETREDRAW TRUE would mark a hidden window visible: only a window
    // that is shown gets the pair.
    w.redrawWasVisible = IsWindowVisible(w.hwnd) != FALSE;
    if (w.redrawWasVisible) SendMessageW(w.hwnd, WM_SETREDRAW, FALSE, 0);
}

void Window::ResumeRedraw() {
    auto& w = Impl(*this);
    if (w.redrawSuspended == 0 || --w.redrawSuspended > 0) return;
    if (!w.hwnd || !w.redrawWasVisible) return;
    w.redrawWasVisible = false;
    SendMessageW(w.hwnd, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(w.hwnd, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void Window::LockUpdate() {
    if (HWND hwnd = Impl(*this).hwnd) LockWindowUpdate(hwnd);
}

void Window::UnlockUpdate() { LockWindowUpdate(nullptr); }

bool Window::AddTrayIcon(int iconResourceId, std::string_view tooltip) {
    auto& w = Impl(*this);
    if (!w.hwnd) return false;
    w.RemoveTray();
    w.trayWanted = true;
    w.trayIconId = iconResourceId;
    w.trayTip = LocalToWide(tooltip);
    w.trayIcon.reset(static_cast<HICON>(LoadImageW(
        detail::Instance(), MAKEINTRESOURCEW(iconResourceId), IMAGE_ICON,
        GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR)));
    return w.AddTray();
}

void Window::RemoveTrayIcon() {
    auto& w = Impl(*this);
    w.trayWanted = false;
    w.RemoveTray();
}

}  // namespace orv::ui
