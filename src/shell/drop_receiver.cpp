#include "shell/drop_receiver.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "model/text.h"
#include "shell/globals.h"

namespace orv {

namespace {

constexpr UINT_PTR kSubclassId = 0x4F52;  // one receiver per window
constexpr UINT kShellDropDataMessage = 0x0049;
constexpr int kVista = 0x0600;

LRESULT CALLBACK DropSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                  UINT_PTR, DWORD_PTR data) noexcept {
    auto* receiver = reinterpret_cast<DropReceiver*>(data);
    return receiver->HandleMessage(window, message, wParam, lParam);
}

// Lets the Explorer, running with lower rights, drop onto an elevated
// instance. The function exists from Vista on, so it is looked up.
void OpenMessageFilter() {
    if (WindowsVersion < kVista) return;
    using ChangeFilter = BOOL(WINAPI*)(UINT, DWORD);
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (!user32) return;
    FARPROC found = GetProcAddress(user32, "ChangeWindowMessageFilter");
    if (!found) return;
    auto change = reinterpret_cast<ChangeFilter>(reinterpret_cast<void (*)()>(found));
    constexpr DWORD kAdd = 1;  // MSGFLT_ADD
    change(WM_DROPFILES, kAdd);
    change(WM_COPYDATA, kAdd);
    change(kShellDropDataMessage, kAdd);
}

std::string WideToUtf8(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    if (size <= 0) return {};
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}

}  // namespace

DropReceiver::~DropReceiver() { Detach(); }

WNDPROC DropReceiver::Attach(HWND window, DropCallback callback, int wideNames) {
    Window = window;
    Callback = callback;
    WideNames = wideNames;
    OpenMessageFilter();
    DragAcceptFiles(window, TRUE);
    PreviousProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    Subclassed = SetWindowSubclass(window, DropSubclassProc, kSubclassId,
                                   reinterpret_cast<DWORD_PTR>(this)) != FALSE;
    return PreviousProc;
}

void DropReceiver::Detach() {
    if (Window) DragAcceptFiles(Window, FALSE);
    if (Subclassed) RemoveWindowSubclass(Window, DropSubclassProc, kSubclassId);
    Subclassed = false;
    PreviousProc = nullptr;
    Callback = nullptr;
    WideNames = 0;
}

LRESULT DropReceiver::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DROPFILES) {
        DeliverDrop(reinterpret_cast<HDROP>(wParam));
        return 0;
    }
    if (message == WM_NCDESTROY) {
        // The window goes: the subclass must not outlive it.
        RemoveWindowSubclass(window, DropSubclassProc, kSubclassId);
        Subclassed = false;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

void DropReceiver::DeliverDrop(HDROP drop) {
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        // Each path is read whole, however long it is.
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        const UINT read = DragQueryFileW(drop, i, path.data(), length + 1);
        path.resize(read);
        // An empty name is no file (a drop without items may still report one).
        if (!Callback || path.empty()) continue;
        if (WideNames) {
            Callback(WideToUtf8(path).c_str());
            continue;
        }
        bool lossless = true;
        const std::string local = WideToLocal(path, &lossless);
        if (lossless) Callback(local.c_str());
    }
    DragFinish(drop);
}

}  // namespace orv
