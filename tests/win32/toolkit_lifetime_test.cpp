// Windows closed from inside their own event handlers, and modal showing.
#include <gtest/gtest.h>

#include "toolkit_fixture.h"

namespace orv::ui::testing {
namespace {

class ToolkitLifetime : public ::testing::Test {
protected:
    void SetUp() override {
        window = Window::Create(TestDesign(), recorder);
        ASSERT_TRUE(window);
        hwnd = window->Handle();
    }
    HWND ControlHandle(std::string_view name) { return window->Find(name)->Handle(); }

    Recorder recorder;
    WindowPtr window;
    HWND hwnd = nullptr;
};

// Each row drops the window from the handler of one event and sends the
// messages that raise it.
struct DropCase {
    const char* label;
    EventKind dropOn;
    const char* control;  // "" = the window itself
    std::vector<std::pair<UINT, WPARAM>> messages;
    LPARAM lParam;
};

TEST_F(ToolkitLifetime, DroppingTheWindowFromItsOwnHandlerIsSafe) {
    const DropCase cases[] = {
        {"clicked", EventKind::Clicked, "Button", {{WM_LBUTTONDOWN, MK_LBUTTON}, {WM_LBUTTONUP, 0}}, MAKELPARAM(5, 5)},
        {"left down", EventKind::LeftDown, "Button", {{WM_LBUTTONDOWN, MK_LBUTTON}, {WM_LBUTTONUP, 0}}, MAKELPARAM(5, 5)},
        {"right up", EventKind::RightUp, "Tile", {{WM_RBUTTONUP, 0}}, MAKELPARAM(5, 5)},
        {"edit enter", EventKind::KeyDown, "Edit", {{WM_KEYDOWN, VK_RETURN}, {WM_CHAR, VK_RETURN}}, 0},
        {"edit lost focus", EventKind::LostFocus, "Edit", {{WM_KILLFOCUS, 0}}, 0},
        {"window escape", EventKind::KeyDown, "", {{WM_KEYDOWN, VK_ESCAPE}}, 0},
        {"tray", EventKind::Tray, "", {{WM_APP + 1, 1}}, WM_RBUTTONUP},
        {"surface up", EventKind::LeftUp, "", {{WM_LBUTTONDOWN, MK_LBUTTON}, {WM_LBUTTONUP, 0}}, MAKELPARAM(390, 200)},
    };
    for (const DropCase& c : cases) {
        SCOPED_TRACE(c.label);
        Recorder events;
        WindowPtr w = Window::Create(TestDesign(), events);
        ASSERT_TRUE(w);
        HWND target = *c.control ? w->Find(c.control)->Handle() : w->Handle();
        HWND top = w->Handle();
        int eventsAfterDrop = 0;
        bool dropped = false;
        events.action = [&](const Event& e) {
            if (dropped) {
                if (e.kind != EventKind::Destroyed) ++eventsAfterDrop;
                return;
            }
            if (e.kind == c.dropOn && e.name == c.control) {
                dropped = true;
                w.reset();  // destroys the HWND now, frees the object later
            }
        };
        for (const auto& [message, wParam] : c.messages) {
            if (IsWindow(target)) SendMessageW(target, message, wParam, c.lParam);
        }
        EXPECT_TRUE(dropped);
        EXPECT_FALSE(IsWindow(top));
        EXPECT_FALSE(IsWindow(target));
        EXPECT_EQ(events.Count(EventKind::Destroyed), 1);
        EXPECT_EQ(eventsAfterDrop, 0);  // no Clicked after a LeftUp that closed the window
    }
}

TEST_F(ToolkitLifetime, DestroyFromAHandlerKeepsTheObjectUntilDropped) {
    recorder.action = [&](const Event& e) {
        if (e.kind == EventKind::Clicked) e.window->Destroy();
    };
    SendMessageW(ControlHandle("Button"), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(ControlHandle("Button"), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_FALSE(window->Alive());
    EXPECT_EQ(window->Find("Button")->Name(), "Button");
    EXPECT_EQ(recorder.Count(EventKind::Destroyed), 1);
}

TEST_F(ToolkitLifetime, DroppingTheWindowFromItsDestroyedEventIsSafe) {
    recorder.action = [&](const Event& e) {
        if (e.kind == EventKind::Destroyed) window.reset();
    };
    DestroyWindow(hwnd);
    EXPECT_FALSE(window);
    EXPECT_EQ(recorder.Count(EventKind::Destroyed), 1);
}

TEST_F(ToolkitLifetime, TheCreatedHandlerMayDestroyTheWindow) {
    Recorder events;
    events.action = [](const Event& e) {
        if (e.kind == EventKind::Created) e.window->Destroy();
    };
    WindowPtr w = Window::Create(TestDesign(), events);
    ASSERT_TRUE(w);
    EXPECT_FALSE(w->Alive());
}

Window* timerTarget = nullptr;
bool otherWasEnabledDuringModal = true;
HWND otherWindow = nullptr;

void CALLBACK DestroyOnTimer(HWND, UINT, UINT_PTR id, DWORD) noexcept {
    KillTimer(nullptr, id);
    if (otherWindow) otherWasEnabledDuringModal = IsWindowEnabled(otherWindow) != FALSE;
    if (timerTarget) timerTarget->Destroy();
}

TEST_F(ToolkitLifetime, ShowModalReturnsWhenAPostedCloseDestroysTheWindow) {
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    window->ShowModal();
    EXPECT_FALSE(window->Alive());
    EXPECT_EQ(recorder.Count(EventKind::Destroyed), 1);
}

TEST_F(ToolkitLifetime, ShowModalDisablesTheOtherWindowsUntilItEnds) {
    Recorder otherEvents;
    WindowDesign otherDesign = TestDesign();
    otherDesign.name = "ToolkitOther";
    WindowPtr other = Window::Create(otherDesign, otherEvents);
    ASSERT_TRUE(other);
    other->ShowNoActivate();
    otherWindow = other->Handle();
    timerTarget = window.get();
    otherWasEnabledDuringModal = true;
    SetTimer(nullptr, 0, 50, DestroyOnTimer);
    window->ShowModal();
    timerTarget = nullptr;
    otherWindow = nullptr;
    EXPECT_FALSE(window->Alive());
    EXPECT_FALSE(otherWasEnabledDuringModal);
    EXPECT_TRUE(IsWindowEnabled(other->Handle()));
}

TEST_F(ToolkitLifetime, ShowModalEndsOnQuitAndLeavesTheQuitForTheOuterLoop) {
    PostQuitMessage(5);
    window->ShowModal();
    EXPECT_TRUE(window->Alive());
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 5u);
}

TEST_F(ToolkitLifetime, DroppingTheWindowDuringItsModalLoopIsSafe) {
    Window* raw = window.get();
    recorder.action = [&](const Event& e) {
        if (e.kind == EventKind::Tray) window.reset();
    };
    PostMessageW(hwnd, WM_APP + 1, 1, WM_LBUTTONUP);
    raw->ShowModal();
    EXPECT_FALSE(window);
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(ToolkitLifetime, ProcessPendingMessagesDispatchesAndKeepsQuit) {
    PostMessageW(ControlHandle("Tile"), WM_RBUTTONUP, 0, 0);
    PostQuitMessage(3);
    ProcessPendingMessages();
    EXPECT_EQ(recorder.Count(EventKind::RightUp, "Tile"), 1);
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(ToolkitLifetime, RunMessageLoopReturnsTheQuitCode) {
    Quit(7);
    EXPECT_EQ(RunMessageLoop(), 7);
}

}  // namespace
}  // namespace orv::ui::testing
