// The docking worker on a real window: it starts, steps every 200 ms unless
// a menu is open, moves the window from its own thread, and stops and is
// joined when asked.
#include "shell/docking_worker.h"

#include <gtest/gtest.h>

#include "shell/globals.h"

namespace orv {
namespace {

// Keeps the calling thread's messages flowing (the worker's moves are sent
// to it) until the condition holds or the time is up.
template <typename Condition>
bool PumpUntil(Condition condition, DWORD milliseconds) {
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    while (GetTickCount64() < deadline) {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        if (condition()) return true;
        Sleep(10);
    }
    return condition();
}

class DockingWorkerTest : public ::testing::Test {
protected:
    void SetUp() override {
        CreateGlobals();
        GetCursorPos(&savedCursor_);
        screen_ = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", L"dock",
                                  WS_POPUP | WS_VISIBLE, 300, 0, 500, 400, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(window_, nullptr);
    }
    void TearDown() override {
        StopDockingWorker();
        DestroyWindow(window_);
        DestroyGlobals();
        SetCursorPos(savedCursor_.x, savedCursor_.y);
    }
    RECT Place() const {
        RECT r{};
        GetWindowRect(window_, &r);
        return r;
    }
    void MoveWindowTo(int left, int top) {
        SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    void SetMenuOpen(int open) {
        ExclusiveHold hold(*MenuLock);
        MenuOpen = open;
    }

    HWND window_ = nullptr;
    POINT savedCursor_{};
    SIZE screen_{};
};

TEST_F(DockingWorkerTest, StartsAndStopsAndIsJoined) {
    ASSERT_TRUE(StartDockingWorker(window_));
    EXPECT_TRUE(DockingWorkerRunning());
    const ULONGLONG before = GetTickCount64();
    StopDockingWorker();
    EXPECT_FALSE(DockingWorkerRunning());
    EXPECT_LT(GetTickCount64() - before, 2000u) << "the stop must not wait for more than a step";
}

TEST_F(DockingWorkerTest, StartsOnlyOnce) {
    ASSERT_TRUE(StartDockingWorker(window_));
    EXPECT_FALSE(StartDockingWorker(window_));
    EXPECT_TRUE(DockingWorkerRunning());
}

TEST_F(DockingWorkerTest, StoppingWithoutAWorkerDoesNothing) {
    StopDockingWorker();
    EXPECT_FALSE(DockingWorkerRunning());
}

TEST_F(DockingWorkerTest, HidesAWindowDockedAtTheTopWhenTheMouseIsAway) {
    SetCursorPos(1000, 600);
    ASSERT_TRUE(StartDockingWorker(window_));
    EXPECT_TRUE(PumpUntil([&] { return Place().top == 1 - 400; }, 3000)) << Place().top;
    EXPECT_EQ(Place().left, 300);
}

TEST_F(DockingWorkerTest, ShowsTheHiddenWindowWhenTheMouseTouchesItsStrip) {
    MoveWindowTo(300, 1 - 400);
    SetCursorPos(500, 1);
    ASSERT_TRUE(StartDockingWorker(window_));
    EXPECT_TRUE(PumpUntil([&] { return Place().top == 0; }, 3000)) << Place().top;
}

TEST_F(DockingWorkerTest, TakesNoStepWhileAMenuIsOpen) {
    SetCursorPos(1000, 600);
    SetMenuOpen(1);
    ASSERT_TRUE(StartDockingWorker(window_));
    EXPECT_FALSE(PumpUntil([&] { return Place().top != 0; }, 800));
    SetMenuOpen(0);
    EXPECT_TRUE(PumpUntil([&] { return Place().top == 1 - 400; }, 3000)) << Place().top;
}

TEST_F(DockingWorkerTest, CornerMoveLeavesTheWindowEnabled) {
    MoveWindowTo(screen_.cx - 500, 0);
    TakeDockStep(window_);
    EXPECT_EQ(Place().left, screen_.cx - 500 - 1);
    EXPECT_EQ(Place().top, 0);
    EXPECT_TRUE(IsWindowEnabled(window_));
}

TEST_F(DockingWorkerTest, MinimisedWindowIsLeftAlone) {
    SetCursorPos(1000, 600);
    ShowWindow(window_, SW_MINIMIZE);
    const RECT before = Place();
    TakeDockStep(window_);
    const RECT after = Place();
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_TRUE(IsIconic(window_));
}

TEST_F(DockingWorkerTest, WindowTouchingTheBottomNeverHides) {
    MoveWindowTo(0, screen_.cy - 400);
    SetCursorPos(1000, 100);
    TakeDockStep(window_);
    EXPECT_EQ(Place().left, 0);
    EXPECT_EQ(Place().top, screen_.cy - 400);
}

}  // namespace
}  // namespace orv
