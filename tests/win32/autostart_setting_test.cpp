// Start with Windows through the board: the Run value in the Wine prefix's
// registry, the board's setting and the saved file.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "menus_board_fixture.h"
#include "model/run_directory.h"
#include "model/text.h"
#include "toolkit/handles.h"

namespace orv::testing {

namespace {

constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kValueName[] = L"vexa_colour";

// The value's text and its key's last write time, from the machine's key
// or, where that refused the value, from the user's.
struct RunValue {
    bool present = false;
    std::wstring text;
    ULONGLONG written = 0;
};

RunValue ReadRunValue() {
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        HKEY raw = nullptr;
        if (RegOpenKeyExW(root, kRunKey, 0, KEY_READ, &raw) != ERROR_SUCCESS) continue;
        const RegistryKey key(raw);
        wchar_t buffer[1024] = {};
        DWORD size = sizeof(buffer) - sizeof(wchar_t);
        if (RegQueryValueExW(key.get(), kValueName, nullptr, nullptr,
                             reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS) {
            continue;
        }
        FILETIME time{};
        RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr, &time);
        RunValue value;
        value.present = true;
        value.text = buffer;
        value.written = (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
        return value;
    }
    return {};
}

std::wstring ExpectedValue() {
    return L"\"" + LocalToWide(RunDirectory() + "\\" + ExecutableName()) + L"\"";
}

class AutostartTest : public BoardWindowTest {
protected:
    // The word after "startup": in the saved file.
    std::string SavedStartup() {
        const std::string text = ConfigText();
        std::size_t at = text.find("\"startup\"");
        if (at == std::string::npos) return {};
        at = text.find_first_not_of(": \t\r\n", at + 9);
        if (at == std::string::npos) return {};
        return text.substr(at, text.compare(at, 4, "true") == 0 ? 4 : 5);
    }

    void TearDown() override {
        GlobalBoard->SetStartup(0);
        BoardWindowTest::TearDown();
    }
};

}  // namespace

TEST_F(AutostartTest, SwitchingOnWritesTheProgramPathAndSaves) {
    GlobalBoard->SetStartup(1);
    const RunValue value = ReadRunValue();
    EXPECT_TRUE(value.present);
    EXPECT_EQ(value.text, ExpectedValue());
    EXPECT_EQ(GlobalBoard->IsStartup(), 1);
    EXPECT_EQ(SavedStartup(), "true");
}

TEST_F(AutostartTest, SwitchingOnTwiceWritesTheValueOnce) {
    GlobalBoard->SetStartup(1);
    const RunValue first = ReadRunValue();
    Sleep(50);
    GlobalBoard->SetStartup(1);
    const RunValue second = ReadRunValue();
    EXPECT_TRUE(second.present);
    EXPECT_EQ(second.written, first.written);
}

TEST_F(AutostartTest, SwitchingOffRemovesTheValueAndSavesFalse) {
    GlobalBoard->SetStartup(1);
    GlobalBoard->SetStartup(0);
    EXPECT_FALSE(ReadRunValue().present);
    EXPECT_EQ(GlobalBoard->IsStartup(), 0);
    EXPECT_EQ(SavedStartup(), "false");
    // off again, with no value there: the file still says false
    GlobalBoard->SetStartup(0);
    EXPECT_EQ(GlobalBoard->IsStartup(), 0);
}

TEST_F(AutostartTest, TheMenuItemSwitchesTheSetting) {
    SetCursorPos(800, 400);
    OpenPopupMenu(TrayMenu);
    ASSERT_TRUE(MenuWindow);
    for (ui::Control* c : MenuWindow->Controls()) {
        if (c->Visible() && c->Caption().rfind("开机启动", 0) == 0) {
            SendMessageW(c->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
            SendMessageW(c->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
            break;
        }
    }
    ui::ProcessPendingMessages();
    EXPECT_EQ(GlobalBoard->IsStartup(), 1);
    EXPECT_TRUE(ReadRunValue().present);
    EXPECT_FALSE(MenuWindow);
}

}  // namespace orv::testing
