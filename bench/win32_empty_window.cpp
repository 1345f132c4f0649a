// The baseline program for start-up and memory figures: one top-level window
// of the main window's size, painted with a plain colour, and a message loop.
// Nothing else is loaded, so the difference to Orvanto is Orvanto's own work.
#include <windows.h>

#include "toolkit/handles.h"

namespace {

constexpr wchar_t kClassName[] = L"OrvantoBenchEmptyWindow";

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
        case WM_PAINT: {
            const orv::PaintScope paint(window);
            FillRect(paint.dc(), &paint.area(), GetSysColorBrush(COLOR_WINDOW));
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassExW(&windowClass)) return 1;
    const HWND window = CreateWindowExW(0, kClassName, L"Empty", WS_POPUP | WS_VISIBLE, 100, 50, 981,
                                        678, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
