#include "shell/windows_version.h"

#include <windows.h>

namespace orv {

int QueryWindowsVersion() {
    using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
    if (HMODULE ntdll = GetModuleHandleW(L"ntdll.dll")) {
        if (FARPROC found = GetProcAddress(ntdll, "RtlGetVersion")) {
            auto rtlGetVersion =
                reinterpret_cast<RtlGetVersionFunction>(reinterpret_cast<void (*)()>(found));
            OSVERSIONINFOW info{};
            info.dwOSVersionInfoSize = sizeof(info);
            if (rtlGetVersion(&info) == 0)
                return static_cast<int>(info.dwMajorVersion * 256 + info.dwMinorVersion);
        }
    }
    // Every NT system has the function; this only keeps the value sensible.
    const DWORD version = GetVersion();
    return static_cast<int>(LOBYTE(LOWORD(version)) * 256 + HIBYTE(LOWORD(version)));
}

}  // namespace orv
