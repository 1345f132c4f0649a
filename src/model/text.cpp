// Conversions between local text (code page 936), UTF-16 and UTF-8. The code
// page is fixed: the program's names stay GBK whatever the system's ANSI code
// page is.
#include "model/text.h"

#include <windows.h>

#include <climits>

namespace orv {
namespace {

constexpr UINT kLocalCodePage = 936;

std::wstring ToWide(UINT codePage, std::string_view text) {
    if (text.empty() || text.size() > static_cast<size_t>(INT_MAX)) return {};
    const int length = static_cast<int>(text.size());
    // No MB_ERR_INVALID_CHARS: a stray byte becomes a replacement character,
    // so a file in another encoding reads garbled instead of not at all.
    const int needed = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    if (needed <= 0) return {};
    std::wstring wide(static_cast<size_t>(needed), L'\0');
    const int written = MultiByteToWideChar(codePage, 0, text.data(), length, wide.data(),
                                            needed);
    if (written != needed) return {};
    return wide;
}

std::string FromWide(UINT codePage, std::wstring_view wide, bool* lossless) {
    if (lossless) *lossless = true;
    if (wide.empty() || wide.size() > static_cast<size_t>(INT_MAX)) return {};
    const int length = static_cast<int>(wide.size());
    // UTF-8 accepts neither the default-character arguments nor the
    // best-fit flag; for code page 936 they tell whether anything was lost.
    const bool utf8 = codePage == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = utf8 ? nullptr : &usedDefault;
    const int needed = WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0,
                                           nullptr, usedDefaultOut);
    if (needed <= 0) {
        if (lossless) *lossless = false;
        return {};
    }
    std::string text(static_cast<size_t>(needed), '\0');
    usedDefault = FALSE;
    const int written = WideCharToMultiByte(codePage, flags, wide.data(), length, text.data(),
                                            needed, nullptr, usedDefaultOut);
    if (written != needed) {
        if (lossless) *lossless = false;
        return {};
    }
    if (lossless && usedDefault) *lossless = false;
    return text;
}

// Bytes below 0x80 mean the same characters in code page 936 and in UTF-8,
// so such a text needs no trip through UTF-16. Most keys, pointers and paths
// are like that, and loading and saving a board convert thousands of them.
bool IsAsciiText(std::string_view text) {
    if (text.size() > static_cast<size_t>(INT_MAX)) return false;
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

}  // namespace

std::string LocalToUtf8(std::string_view local) {
    if (IsAsciiText(local)) return std::string(local);
    return FromWide(CP_UTF8, ToWide(kLocalCodePage, local), nullptr);
}

std::string Utf8ToLocal(std::string_view utf8) {
    if (IsAsciiText(utf8)) return std::string(utf8);
    return FromWide(kLocalCodePage, ToWide(CP_UTF8, utf8), nullptr);
}

std::wstring LocalToWide(std::string_view local) { return ToWide(kLocalCodePage, local); }

std::string WideToLocal(std::wstring_view wide, bool* lossless) {
    return FromWide(kLocalCodePage, wide, lossless);
}

}  // namespace orv
