// The controls: their properties, their child windows and the mouse, focus
// and keyboard messages that become events. Painting is in control_paint.cpp.
#include <windows.h>
#include <commctrl.h>

#include "model/text.h"
#include "toolkit/toolkit_impl.h"
#include "toolkit/win_types.h"

namespace orv::ui {

namespace detail {

namespace {

Point PointFrom(LPARAM lParam) {
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

bool TakesFocusOnPress(ControlKind kind) {
    return kind == ControlKind::Button || kind == ControlKind::Tile ||
           kind == ControlKind::ImageButton;
}

constexpr UINT_PTR kEditSubclassId = 1;

}  // namespace

ControlLook LookFromDesign(const ControlDesign& design) {
    ControlLook look;
    look.name = std::string(design.name);
    look.kind = design.kind;
    look.parent = std::string(design.parent);
    look.place = design.place;
    look.visible = design.visible;
    look.caption = std::string(design.caption);
    look.colors = design.background;
    look.text = design.text;
    look.fontHeight = design.fontHeight > 0 ? design.fontHeight : 12;
    // An edit box left at the default colours shows the current-item colour,
    // so it stands out from the surface it is placed on.
    const StateColors defaults;
    if (design.kind == ControlKind::Edit && design.background.outside == defaults.outside &&
        design.background.over == defaults.over && design.background.focused == defaults.focused) {
        look.colors = {kCurrentColor, kCurrentColor, kCurrentColor};
    }
    if (design.kind == ControlKind::ImageButton) {
        for (std::size_t i = 0; i < design.pictures.size(); ++i) {
            look.pictures[i] = Picture::FromResource(design.pictures[i]);
        }
    }
    return look;
}

ControlImpl::ControlImpl(WindowImpl& window, ControlLook controlSpec, int controlId, bool clone)
    : owner(window), look(std::move(controlSpec)), id(controlId), isClone(clone),
      pictureHash(HashBytes({})) {}

ControlImpl::~ControlImpl() {
    // Only when the window could not be destroyed: leave it nothing to call back.
    if (hwnd && look.kind == ControlKind::Edit) RemoveWindowSubclass(hwnd, EditProcedure, kEditSubclassId);
}

bool ControlImpl::CreateHandle(HWND parent) noexcept {
    const std::wstring caption = LocalToWide(look.caption);
    const DWORD visible = look.visible ? WS_VISIBLE : 0;
    const Rect& p = look.place;
    auto* menuId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
    if (look.kind == ControlKind::Edit) {
        hwnd = CreateWindowExW(0, L"EDIT", caption.c_str(),
                               WS_CHILD | WS_CLIPSIBLINGS | ES_LEFT | ES_AUTOHSCROLL | visible,
                               p.left, p.top, p.width, p.height, parent, menuId, Instance(), nullptr);
        if (!hwnd) return false;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetWindowSubclass(hwnd, EditProcedure, kEditSubclassId, reinterpret_cast<DWORD_PTR>(this));
        SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(CaptionFont(look.fontHeight)), FALSE);
        SendMessageW(hwnd, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(2, 2));
        return true;
    }
    const DWORD clip = look.kind == ControlKind::Frame ? WS_CLIPCHILDREN : 0;
    // WM_NCCREATE binds the object and sets hwnd.
    return CreateWindowExW(0, kControlClass, caption.c_str(),
                           WS_CHILD | WS_CLIPSIBLINGS | clip | visible, p.left, p.top, p.width,
                           p.height, parent, menuId, Instance(), this) != nullptr;
}

Color ControlImpl::CurrentBackground() const {
    if (over) return look.colors.over;
    if (focused) return look.colors.focused;
    return look.colors.outside;
}

Color ControlImpl::SurfaceColor() const { return look.colors.outside; }

Color ControlImpl::ParentColor() const {
    if (!look.parent.empty()) {
        if (const ControlImpl* frame = owner.FindImpl(look.parent)) return frame->SurfaceColor();
    }
    return owner.background;
}

void ControlImpl::Repaint() noexcept {
    if (hwnd) RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void ControlImpl::RepaintIfShownColourChanged(Color shownBefore, Color outsideBefore) noexcept {
    // Buttons and tiles show one of their three colours: a change of another
    // one shows nothing now. Frames, boxes and edit boxes show the outside
    // colour, and labels inside a frame show the frame's.
    const bool stateDrawn = look.kind == ControlKind::Button || look.kind == ControlKind::Tile;
    if (stateDrawn ? shownBefore != CurrentBackground() : outsideBefore != look.colors.outside) {
        Repaint();
    }
}

void ControlImpl::Invalidate() noexcept {
    if (hwnd) InvalidateRect(hwnd, nullptr, FALSE);
}

HBRUSH ControlImpl::EditBrush() noexcept {
    if (!editBrush || editBrushColor != look.colors.outside) {
        editBrush.reset(CreateSolidBrush(ToColorRef(look.colors.outside)));
        editBrushColor = look.colors.outside;
    }
    return static_cast<HBRUSH>(editBrush.get());
}

void ControlImpl::Raise(EventKind kind, Point point, int value) noexcept {
    Event event;
    event.kind = kind;
    event.window = &owner;
    event.control = this;
    event.name = look.name;
    event.point = point;
    event.value = value;
    owner.Raise(event);
}

void ControlImpl::SetOver(bool value) noexcept {
    if (over == value) return;
    const Color before = CurrentBackground();
    over = value;
    if (look.kind == ControlKind::ImageButton || before != CurrentBackground()) Repaint();
}

void ControlImpl::OnLeftDown(Point point) noexcept {
    if (TakesFocusOnPress(look.kind) && GetFocus() != hwnd) SetFocus(hwnd);
    SetCapture(hwnd);
    pressed = true;
    if (look.kind == ControlKind::ImageButton) Repaint();
    Raise(EventKind::LeftDown, point);
}

void ControlImpl::OnMouseMove(Point point) noexcept {
    if (!tracking) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd, 0};
        tracking = TrackMouseEvent(&track) != FALSE;
    }
    RECT client{};
    GetClientRect(hwnd, &client);
    SetOver(PtInRect(&client, ToPOINT(point)) != FALSE);
    Raise(EventKind::MouseMove, point);
}

void ControlImpl::OnLeftUp(Point point) noexcept {
    const bool wasPressed = pressed;
    pressed = false;
    RECT client{};
    GetClientRect(hwnd, &client);
    const bool inside = PtInRect(&client, ToPOINT(point)) != FALSE;
    if (GetCapture() == hwnd) ReleaseCapture();
    if (look.kind == ControlKind::ImageButton) Repaint();
    Raise(EventKind::LeftUp, point);
    // The release handler may have closed the window or hidden the control.
    if (wasPressed && inside && hwnd && owner.hwnd) Raise(EventKind::Clicked, point);
}

LRESULT CALLBACK ControlImpl::Procedure(HWND window, UINT message, WPARAM wParam,
                                        LPARAM lParam) noexcept {
    ControlImpl* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<ControlImpl*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        if (self) self->hwnd = window;
    } else {
        self = reinterpret_cast<ControlImpl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->hwnd = nullptr;
        self->tracking = false;
        self->over = self->focused = self->pressed = false;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    DispatchScope scope(self->owner);
    return self->OnMessage(message, wParam, lParam);
}

LRESULT ControlImpl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_PRINTCLIENT: {
        RECT client{};
        GetClientRect(hwnd, &client);
        PaintContent(reinterpret_cast<HDC>(wParam), client);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;  // WM_PAINT covers every pixel
    case WM_NCHITTEST:
        // A label is part of the surface it sits on: presses go through to it.
        if (look.kind == ControlKind::Label) return HTTRANSPARENT;
        break;
    case WM_LBUTTONDOWN:
        OnLeftDown(PointFrom(lParam));
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(PointFrom(lParam));
        return 0;
    case WM_LBUTTONUP:
        OnLeftUp(PointFrom(lParam));
        return 0;
    case WM_RBUTTONUP:
        Raise(EventKind::RightUp, PointFrom(lParam));
        return 0;
    case WM_MOUSELEAVE:
        tracking = false;
        if (GetCapture() != hwnd) SetOver(false);
        return 0;
    case WM_CAPTURECHANGED:
        if (pressed) {
            pressed = false;
            if (look.kind == ControlKind::ImageButton) Repaint();
        }
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        const bool nowFocused = message == WM_SETFOCUS;
        if (focused != nowFocused) {
            const Color before = CurrentBackground();
            focused = nowFocused;
            if (look.kind == ControlKind::ImageButton || before != CurrentBackground()) Repaint();
        }
        return 0;
    }
    case WM_KEYDOWN:
        // Keys pressed while a button has the focus are the window's keys.
        owner.RaiseOwn(EventKind::KeyDown, {}, static_cast<int>(wParam));
        return 0;
    case WM_CTLCOLOREDIT:
        return owner.EditColors(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_COMMAND:
        // A frame passes its children's notifications on like a window would.
        if (HWND parent = GetParent(hwnd)) return SendMessageW(parent, message, wParam, lParam);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK ControlImpl::EditProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam, UINT_PTR, DWORD_PTR data) noexcept {
    auto* self = reinterpret_cast<ControlImpl*>(data);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, EditProcedure, kEditSubclassId);
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        if (self) self->hwnd = nullptr;
        return DefSubclassProc(window, message, wParam, lParam);
    }
    if (!self) return DefSubclassProc(window, message, wParam, lParam);
    DispatchScope scope(self->owner);
    return self->OnEditMessage(message, wParam, lParam);
}

LRESULT ControlImpl::OnEditMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    HWND window = hwnd;
    switch (message) {
    case WM_KEYDOWN:
        Raise(EventKind::KeyDown, {}, static_cast<int>(wParam));
        if (!hwnd) return 0;  // the handler closed the window
        break;
    case WM_CHAR:
        // Enter and Escape are commands here, not text: no beep.
        if (wParam == VK_RETURN || wParam == VK_ESCAPE) return 0;
        break;
    case WM_SETFOCUS:
        focused = true;
        break;
    case WM_KILLFOCUS: {
        focused = false;
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        Raise(EventKind::LostFocus);
        return result;
    }
    default:
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace detail

using detail::Impl;

std::string_view Control::Name() const { return Impl(*this).look.name; }
ControlKind Control::Kind() const { return Impl(*this).look.kind; }
Window& Control::Owner() const { return Impl(*this).owner; }
HWND Control::Handle() const { return Impl(*this).hwnd; }

Rect Control::Place() const { return Impl(*this).look.place; }

void Control::Move(int left, int top) {
    auto& c = Impl(*this);
    if (c.look.place.left == left && c.look.place.top == top) return;
    c.look.place.left = left;
    c.look.place.top = top;
    if (c.hwnd) {
        SetWindowPos(c.hwnd, nullptr, left, top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    }
}

void Control::SetPlace(const Rect& place) {
    auto& c = Impl(*this);
    if (c.look.place == place) return;
    c.look.place = place;
    if (c.hwnd) {
        SetWindowPos(c.hwnd, nullptr, place.left, place.top, place.width, place.height,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    }
}

bool Control::Visible() const { return Impl(*this).look.visible; }

void Control::SetVisible(bool visible) {
    auto& c = Impl(*this);
    if (c.look.visible == visible) return;
    c.look.visible = visible;
    if (!c.hwnd) return;
    if (visible && c.look.kind == ControlKind::Edit) {
        // An edit box is shown over whatever it edits, clones included.
        SetWindowPos(c.hwnd, HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        return;
    }
    if (!visible) {
        // A hidden control keeps no mouse state: shown again later for
        // another entry, it must not come back in its over colour.
        if (GetCapture() == c.hwnd) ReleaseCapture();
        c.over = false;
        c.pressed = false;
        c.tracking = false;
    }
    ShowWindow(c.hwnd, visible ? SW_SHOWNA : SW_HIDE);
}

const std::string& Control::Tag() const { return Impl(*this).tag; }
void Control::SetTag(std::string_view tag) { Impl(*this).tag.assign(tag); }

std::string Control::Caption() const {
    const auto& c = Impl(*this);
    if (c.look.kind != ControlKind::Edit || !c.hwnd) return c.look.caption;
    const int length = GetWindowTextLengthW(c.hwnd);
    if (length <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(c.hwnd, wide.data(), length + 1);
    wide.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return WideToLocal(wide);
}

void Control::SetCaption(std::string_view caption) {
    auto& c = Impl(*this);
    if (c.look.kind == ControlKind::Edit) {
        c.look.caption.assign(caption);
        if (c.hwnd) SetWindowTextW(c.hwnd, LocalToWide(caption).c_str());
        return;
    }
    if (c.look.caption == caption) return;
    c.look.caption.assign(caption);
    if (!c.hwnd) return;
    SetWindowTextW(c.hwnd, LocalToWide(caption).c_str());
    if (c.look.kind != ControlKind::ImageButton && c.look.kind != ControlKind::Frame &&
        c.look.kind != ControlKind::PictureBox) {
        c.Invalidate();
    }
}

void Control::SetPicture(std::span<const std::uint8_t> imageBytes) {
    auto& c = Impl(*this);
    const std::uint64_t hash = HashBytes(imageBytes);
    if (c.pictureFromBytes && c.pictureSize == imageBytes.size() && c.pictureHash == hash) return;
    c.pictureFromBytes = true;
    c.pictureSize = imageBytes.size();
    c.pictureHash = hash;
    std::shared_ptr<Picture> picture = Picture::FromBytesCached(imageBytes, hash);
    if (!picture && !c.look.pictures[0]) return;
    c.look.pictures[0] = std::move(picture);
    // A category switch sets 100 pictures: they are painted together.
    c.Invalidate();
}

bool Control::HasPicture() const { return Impl(*this).look.pictures[0] != nullptr; }

StateColors Control::Colors() const { return Impl(*this).look.colors; }

void Control::SetColors(const StateColors& colors) {
    auto& c = Impl(*this);
    const StateColors old = c.look.colors;
    if (old.outside == colors.outside && old.over == colors.over && old.focused == colors.focused) {
        return;
    }
    const Color shownBefore = c.CurrentBackground();
    c.look.colors = colors;
    c.RepaintIfShownColourChanged(shownBefore, old.outside);
}

void Control::SetOutsideColor(Color color) {
    auto& c = Impl(*this);
    if (c.look.colors.outside == color) return;
    StateColors colors = c.look.colors;
    colors.outside = color;
    SetColors(colors);
}

void Control::SetOverColor(Color color) {
    auto& c = Impl(*this);
    if (c.look.colors.over == color) return;
    StateColors colors = c.look.colors;
    colors.over = color;
    SetColors(colors);
}

void Control::Focus() {
    if (HWND hwnd = Impl(*this).hwnd) SetFocus(hwnd);
}

void Control::SelectAllText() {
    const auto& c = Impl(*this);
    if (c.hwnd && c.look.kind == ControlKind::Edit) SendMessageW(c.hwnd, EM_SETSEL, 0, -1);
}

}  // namespace orv::ui
