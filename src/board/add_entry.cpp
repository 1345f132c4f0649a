// Adding an entry from a dropped path or a picked special place, reading
// shortcuts, and making the picture of a tile.
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "board/entry_routines.h"
#include "board/shellglyph_client.h"
#include "core/geometry.h"
#include "core/shell_link.h"
#include "core/text_rules.h"
#include "menus/render_icon.h"
#include "model/board.h"
#include "model/file_io.h"
#include "model/run_directory.h"
#include "model/text.h"
#include "toolkit/handles.h"
#include "toolkit/win_types.h"

namespace orv {

namespace {

constexpr int kNameBytes = 6;

// A text value of the registry, environment references expanded; none when
// the key or value is missing or not text.
std::optional<std::wstring> ReadRegistryText(HKEY root, const wchar_t* subKey,
                                             const wchar_t* valueName) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, subKey, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    RegistryKey key(opened);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), valueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || size == 0 || size > 64 * 1024) {
        return std::nullopt;
    }
    std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
    DWORD got = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key.get(), valueName, nullptr, &type,
                         reinterpret_cast<BYTE*>(value.data()), &got) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    value.resize(std::min<size_t>(got / sizeof(wchar_t), value.size()));
    while (!value.empty() && value.back() == L'\0') value.pop_back();
    if (type == REG_EXPAND_SZ) {
        const DWORD needed = ExpandEnvironmentStringsW(value.c_str(), nullptr, 0);
        if (needed > 0) {
            std::wstring expanded(needed, L'\0');
            if (ExpandEnvironmentStringsW(value.c_str(), expanded.data(), needed) == needed) {
                expanded.resize(needed - 1);
                value = std::move(expanded);
            }
        }
    }
    return value;
}

// The program of a browser's command line: the first piece between double
// quotes that holds a colon, else the whole line.
std::wstring ProgramOfCommandLine(const std::wstring& commandLine) {
    size_t start = 0;
    while (start <= commandLine.size()) {
        size_t end = commandLine.find(L'"', start);
        if (end == std::wstring::npos) end = commandLine.size();
        const std::wstring piece = commandLine.substr(start, end - start);
        if (piece.find(L':') != std::wstring::npos) return piece;
        start = end + 1;
    }
    return commandLine;
}

// Text of the shortcut's own code page (the system's ANSI one) as local
// text; none when a character has no local form.
std::optional<std::string> AnsiToLocal(const std::string& ansi) {
    if (ansi.empty()) return std::string();
    const int length = static_cast<int>(std::min<size_t>(ansi.size(), 32 * 1024));
    const int needed = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
    if (needed <= 0) return std::nullopt;
    std::wstring wide(static_cast<size_t>(needed), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, wide.data(), needed);
    bool lossless = false;
    std::string local = WideToLocal(wide, &lossless);
    if (!lossless) return std::nullopt;
    return local;
}

std::optional<std::string> Utf16ToLocal(const std::u16string& text) {
    if (text.empty()) return std::string();
    bool lossless = false;
    std::string local = WideToLocal(
        std::wstring_view(reinterpret_cast<const wchar_t*>(text.data()), text.size()), &lossless);
    if (!lossless) return std::nullopt;
    return local;
}

// Some writers count the terminating zero into a stored text.
std::string WithoutTrailingZeros(std::string text) {
    while (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
}

// A path that went through a lossy conversion when the shortcut was written
// holds '?' where a character had no form; no real path contains one.
bool IsUsablePath(const std::string& path) {
    return !path.empty() && path.find_first_of("?*") == std::string::npos;
}

bool StartsWithHttp(std::string_view address) {
    if (address.size() < 4) return false;
    std::string head(address.substr(0, 4));
    for (char& c : head) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return head == "http";
}

}  // namespace

ShortcutTarget ReadShortcutTarget(std::string_view shortcutPath) {
    // The shortcut itself is the fallback: the shell resolves it at launch,
    // so an entry still works when its target cannot be stored here.
    ShortcutTarget own{std::string(shortcutPath), {}};
    const Bytes bytes = ReadWholeFile(shortcutPath);
    const std::optional<ShellLinkTarget> link = ParseShellLink(bytes);
    if (!link) return own;

    std::optional<std::string> address =
        link->hasUnicodePath ? Utf16ToLocal(link->unicodePath) : AnsiToLocal(link->ansiPath);
    if (!address) return own;
    *address = WithoutTrailingZeros(std::move(*address));
    if (!IsUsablePath(*address)) return own;

    std::string arguments;
    if (link->hasArguments) {
        const std::optional<std::string> local = !link->unicodeArguments.empty()
                                                     ? Utf16ToLocal(link->unicodeArguments)
                                                     : AnsiToLocal(link->ansiArguments);
        if (!local) return own;
        arguments = WithoutTrailingZeros(*local);
    }
    ShortcutTarget target{*address, {}};
    if (!arguments.empty()) target.command = " " + arguments;
    return target;
}

void Board::AddEntry(std::string_view path) {
    const std::string address(path);
    std::string name = FileTitle(address);
    Entry entry;
    entry.Address = address;
    // Exactly "lnk": an upper-case extension keeps the shortcut itself.
    if (FileExtension(address) == "lnk") {
        ShortcutTarget target = ReadShortcutTarget(address);
        entry.Address = std::move(target.address);
        entry.Command = std::move(target.command);
    }
    {
        ExclusiveHold hold(Lock);
        Category* category = CurrentCategoryLocked();
        // No category to add to, or no tile left to show another entry.
        if (!category || category->Entries.size() >= static_cast<size_t>(kTileButtonCount)) {
            return;
        }
        if (name.size() > static_cast<size_t>(kNameBytes)) name = TruncateChars(name, kNameBytes);
        entry.Name = std::move(name);
        entry.SortKey = (static_cast<int>(category->Entries.size()) + 1) * 100;
        category->Entries.push_back(std::move(entry));
    }
    ShowCurrentCategory(0);
}

std::string DefaultBrowserPath() {
    std::optional<std::wstring> command;
    if (const auto progId = ReadRegistryText(
            HKEY_CURRENT_USER,
            L"Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\http\\UserChoice",
            L"ProgId");
        progId && !progId->empty()) {
        command = ReadRegistryText(HKEY_CLASSES_ROOT, (*progId + L"\\shell\\open\\command").c_str(),
                                   nullptr);
    }
    if (!command) {
        command = ReadRegistryText(HKEY_CLASSES_ROOT, L"http\\shell\\open\\command", nullptr);
    }
    if (!command) return {};
    return WideToLocal(ProgramOfCommandLine(*command));
}

std::vector<std::uint8_t> MakeEntryImage(std::string_view address, int sizeCode) {
    int pixels = 32;
    switch (sizeCode) {
    case 1: pixels = 16; break;
    case 2: pixels = 48; break;
    case 4: pixels = 256; break;
    default: sizeCode = 0; break;
    }
    std::string iconPath;
    if (StartsWithHttp(address)) {
        iconPath = DefaultBrowserPath();
    } else if (SpecialPlaceCsidl(address)) {
        iconPath = RunDirectory() + "\\ico\\" + std::string(address) + ".ico";
    } else {
        iconPath = std::string(address);
    }
    IconHandle icon(GetFileIcon(iconPath, sizeCode));
    return RenderIconImage(icon.get(), pixels, pixels, ToColorRef(kWindowColor));
}

}  // namespace orv
