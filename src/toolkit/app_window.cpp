// What all windows of the toolkit share: the module, the hidden owner window,
// the window classes, the caption fonts and cursors, and the message loop.
#include <map>

#include "toolkit/toolkit_impl.h"

namespace orv::ui {

namespace detail {

HINSTANCE Instance() noexcept { return GetModuleHandleW(nullptr); }

HWND ApplicationWindow() noexcept {
    // A plain hidden popup: owning a window by it keeps the window off the
    // taskbar without changing the window's own look.
    static HWND window = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = Instance();
        wc.lpszClassName = L"OrvantoApplication";
        RegisterClassExW(&wc);
        return CreateWindowExW(0, wc.lpszClassName, L"Orvanto", WS_POPUP, 0, 0, 0, 0, nullptr,
                               nullptr, Instance(), nullptr);
    }();
    return window;
}

bool RegisterControlClass() noexcept {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(Instance(), kControlClass, &existing)) return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ControlImpl::Procedure;
    wc.hInstance = Instance();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kControlClass;
    return RegisterClassExW(&wc) != 0;
}

bool RegisterWindowClass(const std::wstring& className) noexcept {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(Instance(), className.c_str(), &existing)) return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WindowImpl::Procedure;
    wc.hInstance = Instance();
    wc.hIcon = LoadIconW(Instance(), MAKEINTRESOURCEW(1));
    wc.hCursor = nullptr;  // WM_SETCURSOR shows the window's Cursor property
    wc.lpszClassName = className.c_str();
    return RegisterClassExW(&wc) != 0;
}

HFONT CaptionFont(int height) noexcept {
    static std::map<int, GdiObject> fonts;
    auto found = fonts.find(height);
    if (found != fonts.end()) return static_cast<HFONT>(found->second.get());
    LOGFONTW font{};
    font.lfHeight = -height;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = GB2312_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const wchar_t face[] = L"\u5FAE\u8F6F\u96C5\u9ED1";
    static_assert(sizeof(face) / sizeof(face[0]) <= LF_FACESIZE);
    for (std::size_t i = 0; face[i]; ++i) font.lfFaceName[i] = face[i];
    GdiObject made(CreateFontIndirectW(&font));
    HFONT result = static_cast<HFONT>(made.get());
    if (made) fonts.emplace(height, std::move(made));
    return result;
}

HCURSOR CursorFor(CursorKind kind) noexcept {
    switch (kind) {
    case CursorKind::SizeWE: return LoadCursorW(nullptr, IDC_SIZEWE);
    case CursorKind::SizeNS: return LoadCursorW(nullptr, IDC_SIZENS);
    case CursorKind::SizeNWSE: return LoadCursorW(nullptr, IDC_SIZENWSE);
    case CursorKind::Default: break;
    }
    return LoadCursorW(nullptr, IDC_ARROW);
}

UINT TaskbarCreatedMessage() noexcept {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

}  // namespace detail

int RunMessageLoop() {
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : 0;
}

void ProcessPendingMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave it for the loop that owns the program's end.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void Quit(int exitCode) { PostQuitMessage(exitCode); }

Point MousePosition() {
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

Size ScreenSize() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

Rect WorkArea() {
    RECT area{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) {
        const Size screen = ScreenSize();
        return {0, 0, screen.width, screen.height};
    }
    return {area.left, area.top, area.right - area.left, area.bottom - area.top};
}

}  // namespace orv::ui
