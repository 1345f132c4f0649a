// The shell's icons through shellglyph.dll, bound from the run directory's
// data folder.
#include "board/shellglyph_client.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <cwchar>
#include <string>
#include <vector>

#include "menus/render_icon.h"
#include "model/text.h"
#include "toolkit/handles.h"

namespace {

using orv::GetFileIcon;
using orv::IconHandle;

constexpr COLORREF kTile = RGB(50, 65, 85);

std::string ExePath() {
    wchar_t buffer[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    return orv::WideToLocal(buffer);
}

// The icon's size from its colour or mask bitmap.
SIZE IconSize(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return SIZE{0, 0};
    const orv::GdiObject colour(info.hbmColor);
    const orv::GdiObject mask(info.hbmMask);
    BITMAP bitmap{};
    GetObjectW(colour ? colour.get() : mask.get(), sizeof bitmap, &bitmap);
    const int height = colour ? bitmap.bmHeight : bitmap.bmHeight / 2;
    return SIZE{bitmap.bmWidth, height};
}

// True when drawing the icon changes some pixel of a tile-coloured square.
bool DrawsSomething(HICON icon) {
    const std::vector<std::uint8_t> file = orv::RenderIconImage(icon, 32, 32, kTile);
    if (file.size() != 4150) return false;
    for (std::size_t at = 54; at + 3 < file.size(); at += 4) {
        if (RGB(file[at + 2], file[at + 1], file[at]) != kTile) return true;
    }
    return false;
}

// A 32 x 32 icon file of one opaque colour, written to a temporary folder.
std::filesystem::path WriteSolidIconFile(std::uint32_t rgb) {
    std::vector<std::uint8_t> b;
    const auto put16 = [&b](std::uint32_t v) {
        b.push_back(static_cast<std::uint8_t>(v));
        b.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    const auto put32 = [&](std::uint32_t v) {
        put16(v & 0xffff);
        put16(v >> 16);
    };
    const std::uint32_t imageSize = 40 + 32 * 32 * 4 + 32 * 4;
    put16(0);
    put16(1);
    put16(1);
    b.insert(b.end(), {32, 32, 0, 0});
    put16(1);
    put16(32);
    put32(imageSize);
    put32(22);
    put32(40);
    put32(32);
    put32(64);
    put16(1);
    put16(32);
    for (int i = 0; i < 6; ++i) put32(0);
    for (int i = 0; i < 32 * 32; ++i) put32(0xff000000u | rgb);
    b.resize(b.size() + 32 * 4, 0);
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::filesystem::path folder = std::filesystem::path(temp) / L"orvanto-shellglyph-test";
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = folder / L"solid.ico";
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(b.data()),
                                                static_cast<std::streamsize>(b.size()));
    return file;
}

TEST(Shellglyph, ShellIconsForRealPaths) {
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    const std::string windowsFolder = orv::WideToLocal(windows);
    struct Case {
        const char* name;
        std::string path;
    };
    const std::vector<Case> cases = {
        {"an executable", ExePath()},
        {"a folder", windowsFolder},
        {"a drive root", windowsFolder.substr(0, 3)},
        {"a missing path", windowsFolder + "\\no such file 7f3a.xyz"},
    };
    for (const Case& c : cases) {
        const IconHandle icon(GetFileIcon(c.path, 0));
        ASSERT_TRUE(icon) << c.name << ": " << c.path;
        const SIZE size = IconSize(icon.get());
        EXPECT_EQ(size.cx, 32) << c.name;
        EXPECT_EQ(size.cy, 32) << c.name;
        EXPECT_TRUE(DrawsSomething(icon.get())) << c.name;
    }
}

// Windows ships the association that makes the shell show an icon file's
// own icon (".ico" -> "icofile", whose DefaultIcon is "%1"); a bare Wine
// prefix lacks it. Added for the current user while a test runs, then taken
// away again, when the machine does not have it.
class IconFileAssociation {
public:
    IconFileAssociation() {
        HKEY existing = nullptr;
        if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L".ico", 0, KEY_READ, &existing) == ERROR_SUCCESS) {
            const orv::RegistryKey owner(existing);
            native_ = true;
            return;
        }
        added_ = Set(L"Software\\Classes\\.ico", L"icofile") &&
                 Set(L"Software\\Classes\\icofile\\DefaultIcon", L"%1");
    }
    IconFileAssociation(const IconFileAssociation&) = delete;
    IconFileAssociation& operator=(const IconFileAssociation&) = delete;
    ~IconFileAssociation() {
        if (!added_) return;
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Classes\\.ico");
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Classes\\icofile");
    }

private:
    static bool Set(const wchar_t* key, const wchar_t* value) {
        HKEY raw = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_WRITE, nullptr, &raw,
                            nullptr) != ERROR_SUCCESS) {
            return false;
        }
        const orv::RegistryKey owner(raw);
        const DWORD bytes = static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t));
        return RegSetValueExW(raw, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                              bytes) == ERROR_SUCCESS;
    }
    bool added_ = false;
    bool native_ = false;

public:
    bool Native() const { return native_; }
};

TEST(Shellglyph, IconFileYieldsTheIconStoredInIt) {
    const IconFileAssociation association;
    const std::filesystem::path file = WriteSolidIconFile(0x20c040);
    const IconHandle icon(GetFileIcon(orv::WideToLocal(file.wstring()), 0));
    ASSERT_TRUE(icon);
    if (!association.Native()) {
        std::filesystem::remove_all(file.parent_path());
        GTEST_SKIP() << "this system has no icon-file association; its shell shows a generic "
                        "icon for .ico files";
    }
    const std::vector<std::uint8_t> bmp = orv::RenderIconImage(icon.get(), 32, 32, kTile);
    ASSERT_EQ(bmp.size(), 4150u);
    const std::size_t centre = 54 + (16 * 32 + 16) * 4;
    EXPECT_EQ(RGB(bmp[centre + 2], bmp[centre + 1], bmp[centre]), RGB(0x20, 0xc0, 0x40));
    std::filesystem::remove_all(file.parent_path());
}

TEST(Shellglyph, TwoCallsGiveTwoHandles) {
    const std::string path = ExePath();
    IconHandle first(GetFileIcon(path, 0));
    const IconHandle second(GetFileIcon(path, 0));
    ASSERT_TRUE(first);
    ASSERT_TRUE(second);
    EXPECT_NE(first.get(), second.get());
    first.reset();
    EXPECT_TRUE(DrawsSomething(second.get()));
}

TEST(Shellglyph, SmallSizeCode) {
    const IconHandle icon(GetFileIcon(ExePath(), 1));
    ASSERT_TRUE(icon);
    EXPECT_EQ(IconSize(icon.get()).cx, 16);
}

TEST(Shellglyph, PathOutsideTheAnsiCodePage) {
    // A folder whose name has a character that neither code page 936 nor,
    // usually, the ANSI code page holds is still found through its short name.
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::filesystem::path folder = std::filesystem::path(temp) / L"orvanto-\u4e2d\u6587";
    std::filesystem::create_directories(folder);
    const IconHandle icon(GetFileIcon(orv::WideToLocal(folder.wstring()), 0));
    EXPECT_TRUE(icon);
    std::filesystem::remove_all(folder);
}

}  // namespace
