// One running copy per run directory: the key, the mutex and the request
// that brings the running copy's window back.
#include "shell/single_instance.h"

#include <gtest/gtest.h>

#include <string>

#include "toolkit/toolkit.h"

namespace orv {
namespace {

TEST(InstanceKeyTest, IsTheNameAndThirtyTwoLowercaseHexDigits) {
    const std::wstring key = InstanceKey("C:\\Apps\\Orvanto");
    ASSERT_EQ(key.size(), 8u + 32u);
    EXPECT_EQ(key.substr(0, 8), L"Orvanto-");
    for (wchar_t c : key.substr(8)) EXPECT_TRUE((c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f'));
}

TEST(InstanceKeyTest, IgnoresLetterCase) {
    EXPECT_EQ(InstanceKey("C:\\Apps\\Orvanto"), InstanceKey("c:\\APPS\\orvanto"));
}

TEST(InstanceKeyTest, DiffersForAnotherFolder) {
    EXPECT_NE(InstanceKey("C:\\Apps\\Orvanto"), InstanceKey("D:\\Orvanto"));
    EXPECT_NE(InstanceKey("C:\\桌面\\Orvanto"), InstanceKey("C:\\桌面\\Orvanto2"));
}

TEST(ClaimInstanceTest, SecondClaimOfTheSameFolderFindsTheFirst) {
    const InstanceClaim first = ClaimInstance("Z:\\tmp\\claim-test");
    ASSERT_TRUE(first.mutex);
    EXPECT_FALSE(first.alreadyRunning);
    const InstanceClaim second = ClaimInstance("z:\\TMP\\claim-test");
    EXPECT_TRUE(second.alreadyRunning);
}

TEST(ClaimInstanceTest, AnotherFolderRunsBeside) {
    const InstanceClaim first = ClaimInstance("Z:\\tmp\\claim-one");
    const InstanceClaim other = ClaimInstance("Z:\\tmp\\claim-two");
    EXPECT_FALSE(first.alreadyRunning);
    EXPECT_FALSE(other.alreadyRunning);
}

TEST(ClaimInstanceTest, FolderIsFreeAgainWhenTheHolderEnds) {
    { const InstanceClaim first = ClaimInstance("Z:\\tmp\\claim-again"); }
    const InstanceClaim later = ClaimInstance("Z:\\tmp\\claim-again");
    EXPECT_FALSE(later.alreadyRunning);
}

class NoEvents final : public ui::EventHandler {
public:
    void OnEvent(const ui::Event&) noexcept override {}
};

int bringBackCalls = 0;
void CountBringBack() { ++bringBackCalls; }

void PumpFor(DWORD milliseconds) {
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    while (GetTickCount64() < deadline) {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        Sleep(10);
    }
}

TEST(BringBackTest, SecondStartReachesTheMarkedMainWindow) {
    NoEvents handler;
    ui::WindowDesign design;
    design.name = "MainWindow";
    design.place = {50, 50, 300, 200};
    ui::WindowPtr window = ui::Window::Create(design, handler);
    ASSERT_TRUE(window);
    ASSERT_TRUE(ServeBringBack(window->Handle(), "Z:\\tmp\\bring-back", CountBringBack));
    bringBackCalls = 0;
    EXPECT_TRUE(BringBackRunningInstance("Z:\\TMP\\Bring-Back", 0));
    PumpFor(200);
    EXPECT_EQ(bringBackCalls, 1);
    EXPECT_FALSE(BringBackRunningInstance("Z:\\tmp\\another-copy", 0));
    PumpFor(100);
    EXPECT_EQ(bringBackCalls, 1);
}

TEST(BringBackTest, MarkGoesWithTheWindow) {
    NoEvents handler;
    ui::WindowDesign design;
    design.name = "MainWindow";
    design.place = {50, 50, 300, 200};
    ui::WindowPtr window = ui::Window::Create(design, handler);
    ASSERT_TRUE(window);
    ASSERT_TRUE(ServeBringBack(window->Handle(), "Z:\\tmp\\bring-gone", CountBringBack));
    window.reset();
    PumpFor(50);
    EXPECT_FALSE(BringBackRunningInstance("Z:\\tmp\\bring-gone", 0));
}

}  // namespace
}  // namespace orv
