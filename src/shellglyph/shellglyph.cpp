// The shell's icon for a path, as a new icon handle the caller destroys.
// The path is ANSI text in the system code page; the size code is the
// shell's image-list identifier (0 large, 1 small, 2 extra large, 4 jumbo).
// Keeps no state between calls.
#include <windows.h>
#include <shellapi.h>
#include <objbase.h>
#include <commctrl.h>
#include <commoncontrols.h>

extern "C" __declspec(dllexport) HICON __stdcall GetFileIcon(const char* path, int sizeCode) noexcept;

namespace {

// {46EB5926-582E-4017-9FDF-E8998DAA0950}
constexpr IID kIidImageList = {0x46eb5926, 0x582e, 0x4017,
                               {0x9f, 0xdf, 0xe8, 0x99, 0x8d, 0xaa, 0x09, 0x50}};

constexpr UINT kDrawTransparent = 0x0001;  // ILD_TRANSPARENT
constexpr int kSHGetImageListOrdinal = 727;

using SHGetImageListFunction = HRESULT(__stdcall*)(int, REFIID, void**);

SHGetImageListFunction ImageListFunction() {
    HMODULE shell = GetModuleHandleW(L"shell32.dll");
    if (shell == nullptr) return nullptr;
    return reinterpret_cast<SHGetImageListFunction>(
        reinterpret_cast<void*>(GetProcAddress(shell, MAKEINTRESOURCEA(kSHGetImageListOrdinal))));
}

}  // namespace

extern "C" HICON __stdcall GetFileIcon(const char* path, int sizeCode) noexcept {
    static_assert(sizeof(SHFILEINFOA) == 352);
    // Zeroed, so the icon index is 0 when the shell fills in none.
    SHFILEINFOA info{};
    SHGetFileInfoA(path, 0xFFFFFFFF, &info, sizeof info, SHGFI_SYSICONINDEX);

    const SHGetImageListFunction getImageList = ImageListFunction();
    if (getImageList == nullptr) return nullptr;
    // The system's own interface declaration: a type private to this file
    // that no object of the file implements lets the optimiser treat every
    // call through it as unreachable.
    IImageList* list = nullptr;
    getImageList(sizeCode, kIidImageList, reinterpret_cast<void**>(&list));
    if (list == nullptr) return nullptr;

    HICON icon = nullptr;
    list->GetIcon(info.iIcon, kDrawTransparent, &icon);
    list->Release();
    return icon;
}
