// A small Windows console tool the end-to-end tests run beside Orvanto in the
// same virtual desktop, to read what a user would see: window places, child
// controls with their captions, the pointer shape. One command per run; the
// answer goes to standard output, one record per line.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "toolkit/handles.h"

namespace {

std::string Utf8(const wchar_t* text) {
    int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n - 1 : 0, '\0');
    if (n > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring Wide(const char* text) {
    int n = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    std::wstring out(n > 0 ? n - 1 : 0, L'\0');
    if (n > 1) MultiByteToWideChar(CP_UTF8, 0, text, -1, out.data(), n);
    return out;
}

// The arguments as the command line holds them: argv has passed through the
// ANSI code page, which loses names of other scripts.
std::vector<std::wstring> WideArguments() {
    int count = 0;
    orv::LocalMemory list(
        reinterpret_cast<HLOCAL>(CommandLineToArgvW(GetCommandLineW(), &count)));
    std::vector<std::wstring> arguments;
    auto* items = static_cast<wchar_t**>(list.get());
    for (int i = 0; items && i < count; ++i) arguments.emplace_back(items[i]);
    return arguments;
}

void PrintWindow(HWND window, HWND relativeTo) {
    RECT r{};
    GetWindowRect(window, &r);
    if (relativeTo) MapWindowPoints(HWND_DESKTOP, relativeTo, reinterpret_cast<POINT*>(&r), 2);
    wchar_t cls[256] = {};
    GetClassNameW(window, cls, 256);
    wchar_t text[1024] = {};
    // Read without a message where possible (a hung or crashed window must not
    // stall the probe); an edit box keeps typed text to itself, so it is asked,
    // with a time-out.
    if (lstrcmpiW(cls, L"Edit") == 0) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text),
                            SMTO_ABORTIFHUNG | SMTO_BLOCK, 1000, &ignored);
    } else {
        InternalGetWindowText(window, text, 1024);
    }
    std::printf("%lu %ld %ld %ld %ld %d %d %d %s|%s\n",
                static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(window)), r.left, r.top,
                r.right - r.left, r.bottom - r.top, IsWindowVisible(window) ? 1 : 0,
                IsIconic(window) ? 1 : 0,
                static_cast<int>(GetWindowLongW(window, GWL_ID)), Utf8(cls).c_str(),
                Utf8(text).c_str());
}

BOOL CALLBACK PrintChild(HWND child, LPARAM parent) {
    PrintWindow(child, reinterpret_cast<HWND>(parent));
    return TRUE;
}

struct TopLevelSearch {
    std::wstring className;
    DWORD pid;
};

BOOL CALLBACK PrintTopLevel(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TopLevelSearch*>(param);
    wchar_t cls[256] = {};
    GetClassNameW(window, cls, 256);
    if (search->className.empty() || search->className == cls) PrintWindow(window, nullptr);
    return TRUE;
}

const char* CursorName(HCURSOR cursor) {
    struct Named { LPCWSTR id; const char* name; };
    static const Named kCursors[] = {{IDC_ARROW, "arrow"}, {IDC_SIZEWE, "sizewe"},
                                     {IDC_SIZENS, "sizens"}, {IDC_SIZENWSE, "sizenwse"},
                                     {IDC_IBEAM, "ibeam"}, {IDC_HAND, "hand"}};
    for (const auto& c : kCursors)
        if (LoadCursorW(nullptr, c.id) == cursor) return c.name;
    return "other";
}

// Delivers files to a window as the Explorer's drop does: a WM_DROPFILES
// whose handle is a DROPFILES block (UTF-16 names, double-zero ended). The
// handle must be memory of the receiving process, so the block is written
// into it; a fixed global handle is its own address, which is what the
// drop routines there lock and free.
bool DropFiles(HWND window, POINT point, const std::vector<std::wstring>& paths) {
    std::vector<BYTE> block(sizeof(DROPFILES));
    auto* header = reinterpret_cast<DROPFILES*>(block.data());
    header->pFiles = sizeof(DROPFILES);
    header->pt = point;
    header->fNC = FALSE;
    header->fWide = TRUE;
    for (const std::wstring& path : paths) {
        const auto* bytes = reinterpret_cast<const BYTE*>(path.c_str());
        block.insert(block.end(), bytes, bytes + (path.size() + 1) * sizeof(wchar_t));
    }
    block.insert(block.end(), sizeof(wchar_t), 0);

    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    orv::KernelHandle process(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId));
    if (!process) return false;
    void* remote = VirtualAllocEx(process.get(), nullptr, block.size(), MEM_COMMIT | MEM_RESERVE,
                                  PAGE_READWRITE);
    if (!remote) return false;
    SIZE_T written = 0;
    if (!WriteProcessMemory(process.get(), remote, block.data(), block.size(), &written) ||
        written != block.size()) {
        return false;
    }
    return PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0) != FALSE;
}

}  // namespace

int RunCommand(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: probe top [class] | children <class> | close <class> | resize <class> w h | move <class> x y | resizeloop <class> n | drop <class> x y path... | cursor | screen | tray\n");
        return 2;
    }
    std::string command = argv[1];
    if (command == "top") {
        TopLevelSearch search{argc > 2 ? Wide(argv[2]) : L"", 0};
        EnumWindows(PrintTopLevel, reinterpret_cast<LPARAM>(&search));
        return 0;
    }
    if (command == "children" && argc > 2) {
        HWND window = FindWindowW(Wide(argv[2]).c_str(), nullptr);
        if (!window) return 1;
        EnumChildWindows(window, PrintChild, reinterpret_cast<LPARAM>(window));
        return 0;
    }
    if (command == "close" && argc > 2) {
        HWND window = FindWindowW(Wide(argv[2]).c_str(), nullptr);
        if (!window) return 1;
        PostMessageW(window, WM_CLOSE, 0, 0);
        return 0;
    }
    if ((command == "resize" || command == "move") && argc > 4) {
        HWND window = FindWindowW(Wide(argv[2]).c_str(), nullptr);
        if (!window) return 1;
        int a = std::atoi(argv[3]);
        int b = std::atoi(argv[4]);
        UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (command == "resize" ? SWP_NOMOVE : SWP_NOSIZE);
        SetWindowPos(window, nullptr, a, b, a, b, flags);
        return 0;
    }
    if (command == "resizeloop" && argc > 3) {
        // Keeps the program saving: every size change rewrites its board.
        HWND window = FindWindowW(Wide(argv[2]).c_str(), nullptr);
        if (!window) return 1;
        int count = std::atoi(argv[3]);
        for (int i = 0; i < count && IsWindow(window); ++i) {
            SetWindowPos(window, nullptr, 0, 0, 300 + (i % 50) * 7, 200 + (i % 37) * 5,
                         SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
        }
        return 0;
    }
    if (command == "drop" && argc > 5) {
        // x y are client coordinates of the drop point.
        HWND window = FindWindowW(Wide(argv[2]).c_str(), nullptr);
        if (!window) return 1;
        const std::vector<std::wstring> arguments = WideArguments();
        if (arguments.size() != static_cast<std::size_t>(argc)) return 1;
        const std::vector<std::wstring> paths(arguments.begin() + 5, arguments.end());
        return DropFiles(window, {std::atol(argv[3]), std::atol(argv[4])}, paths) ? 0 : 1;
    }
    if (command == "tray") {
        // The taskbar, then every window inside it (the notification area and
        // its icons), in screen coordinates.
        HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
        if (!taskbar) return 1;
        PrintWindow(taskbar, nullptr);
        EnumChildWindows(taskbar, PrintChild, 0);
        return 0;
    }
    if (command == "cursor") {
        CURSORINFO info{};
        info.cbSize = sizeof(info);
        GetCursorInfo(&info);
        std::printf("%s %ld %ld\n", CursorName(info.hCursor), info.ptScreenPos.x, info.ptScreenPos.y);
        return 0;
    }
    if (command == "screen") {
        RECT work{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        std::printf("%d %d %ld %ld %ld %ld\n", GetSystemMetrics(SM_CXSCREEN),
                    GetSystemMetrics(SM_CYSCREEN), work.left, work.top, work.right, work.bottom);
        return 0;
    }
    return 2;
}

// Ends at once after flushing: a finished process under Wine now and then
// stalls in its exit path, and the tests wait for the probe's answer.
int main(int argc, char** argv) {
    const int result = RunCommand(argc, argv);
    std::fflush(stdout);
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(result));
    return result;
}
