// The program's side of shellglyph.dll: the export takes a path in the
// system's ANSI code page, while the program's paths are code page 936.
#include "board/shellglyph_client.h"

#include <string>

#include "json/dll_binding.h"
#include "model/text.h"

namespace orv {
namespace {

using GetFileIconFunction = HICON(__stdcall*)(const char*, int);

// UTF-16 to the ANSI code page; lossless tells whether every character had a
// form there.
std::string WideToAnsi(const std::wstring& wide, bool& lossless) {
    lossless = false;
    if (wide.empty()) {
        lossless = true;
        return {};
    }
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(),
                                           static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                           &usedDefault);
    if (length <= 0) return {};
    std::string ansi(static_cast<std::size_t>(length), '\0');
    usedDefault = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                        ansi.data(), length, nullptr, &usedDefault);
    lossless = usedDefault == FALSE;
    return ansi;
}

// The short 8.3 form of an existing path; empty when there is none.
std::wstring ShortPath(const std::wstring& wide) {
    const DWORD needed = GetShortPathNameW(wide.c_str(), nullptr, 0);
    if (needed == 0) return {};
    std::wstring shortPath(needed, L'\0');
    const DWORD written = GetShortPathNameW(wide.c_str(), shortPath.data(), needed);
    if (written == 0 || written >= needed) return {};
    shortPath.resize(written);
    return shortPath;
}

// The path as the export wants it: the ANSI form when it is exact, else the
// short form when that is exact, else the best the conversion gives.
std::string PathForExport(std::string_view localPath) {
    const std::wstring wide = LocalToWide(localPath);
    bool lossless = false;
    std::string ansi = WideToAnsi(wide, lossless);
    if (lossless) return ansi;
    const std::wstring shortPath = ShortPath(wide);
    if (!shortPath.empty()) {
        bool shortLossless = false;
        std::string shortAnsi = WideToAnsi(shortPath, shortLossless);
        if (shortLossless) return shortAnsi;
    }
    return ansi;
}

}  // namespace

HICON GetFileIcon(std::string_view localPath, int sizeCode) {
    static const auto getFileIcon =
        BoundFunction<GetFileIconFunction>(L"shellglyph", "GetFileIcon");
    const std::string path = PathForExport(localPath);
    return getFileIcon(path.c_str(), sizeCode);
}

}  // namespace orv
