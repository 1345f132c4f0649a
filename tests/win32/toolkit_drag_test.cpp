// The system's move and sizing loops driven by real (injected) mouse input:
// dragging the free surface moves a window, a sizing loop started from a
// LeftDown handler sizes it, and both end with LeftUp on the surface.
#include <gtest/gtest.h>

#include <thread>

#include "toolkit_fixture.h"

namespace orv::ui::testing {
namespace {

void SendMouse(DWORD flags, int x = 0, int y = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        input.mi.dx = static_cast<LONG>((x * 65536LL + 32768) / GetSystemMetrics(SM_CXSCREEN));
        input.mi.dy = static_cast<LONG>((y * 65536LL + 32768) / GetSystemMetrics(SM_CYSCREEN));
    }
    SendInput(1, &input, sizeof(input));
}

// Presses at from, drags to to in steps and releases, from another thread,
// while this thread runs the window's messages (and the loops inside them).
void Drag(POINT from, POINT to, const std::function<bool()>& done) {
    std::thread mouse([from, to] {
        // Moved there by input, not SetCursorPos, so every part of the
        // system knows where the pointer is when the button goes down.
        SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, from.x, from.y);
        Sleep(100);
        SendMouse(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, from.x, from.y);
        Sleep(100);
        for (int step = 1; step <= 10; ++step) {
            SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
                      from.x + (to.x - from.x) * step / 10, from.y + (to.y - from.y) * step / 10);
            Sleep(20);
        }
        Sleep(100);
        SendMouse(MOUSEEVENTF_LEFTUP | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, to.x, to.y);
    });
    const DWORD deadline = GetTickCount() + 5000;
    while (!done() && GetTickCount() < deadline) {
        ProcessPendingMessages();
        Sleep(5);
    }
    mouse.join();
    ProcessPendingMessages();
}

class ToolkitDrag : public ::testing::Test {
protected:
    void SetUp() override {
        WindowDesign design = TestDesign();
        design.dragToMove = true;
        window = Window::Create(design, recorder);
        ASSERT_TRUE(window);
        window->Show();
        UpdateWindow(window->Handle());
        ProcessPendingMessages();
    }

    Recorder recorder;
    WindowPtr window;
};

TEST_F(ToolkitDrag, DraggingTheSurfaceMovesTheWindowAndEndsWithLeftUp) {
    const Rect before = window->Bounds();
    Drag({before.left + 200, before.top + 150}, {before.left + 260, before.top + 190},
         [&] { return recorder.Count(EventKind::LeftUp) > 0; });
    EXPECT_EQ(recorder.Count(EventKind::LeftDown), 1);
    EXPECT_EQ(recorder.Count(EventKind::LeftUp), 1);
    EXPECT_EQ(recorder.Count(EventKind::EnterSizeMove), 1);
    const Rect after = window->Bounds();
    EXPECT_EQ(after.left, before.left + 60);
    EXPECT_EQ(after.top, before.top + 40);
    EXPECT_EQ(after.width, before.width);
    // LeftUp is the last mouse event, after the loop.
    std::size_t up = 0, exit = 0;
    for (std::size_t i = 0; i < recorder.events.size(); ++i) {
        if (recorder.events[i].kind == EventKind::LeftUp) up = i;
        if (recorder.events[i].kind == EventKind::ExitSizeMove) exit = i;
    }
    EXPECT_GT(up, exit);
}

TEST_F(ToolkitDrag, WithoutDragToMoveThePressStaysOnTheSurface) {
    window->SetDragToMove(false);
    const Rect before = window->Bounds();
    Drag({before.left + 200, before.top + 150}, {before.left + 260, before.top + 190},
         [&] { return recorder.Count(EventKind::LeftUp) > 0; });
    EXPECT_EQ(window->Bounds(), before);
    EXPECT_EQ(recorder.Count(EventKind::EnterSizeMove), 0);
    EXPECT_EQ(recorder.Count(EventKind::LeftUp), 1);
    EXPECT_GT(recorder.Count(EventKind::MouseMove), 3);  // captured: the moves keep coming
}

TEST_F(ToolkitDrag, ASizingLoopStartedFromLeftDownSizesAndEndsWithLeftUp) {
    struct Case {
        WPARAM hit;
        CursorKind cursor;
        int dWidth, dHeight;
    };
    const Case cases[] = {
        {HTBOTTOMRIGHT, CursorKind::SizeNWSE, 50, 30},
        {HTRIGHT, CursorKind::SizeWE, 50, 0},
        {HTBOTTOM, CursorKind::SizeNS, 0, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hit);
        recorder.events.clear();
        window->SetBounds({100, 100, 400, 300});
        window->SetCursor(c.cursor);
        recorder.action = [&](const Event& e) {
            if (e.kind == EventKind::LeftDown && !e.control) {
                SendMessageW(e.window->Handle(), WM_NCLBUTTONDOWN, c.hit, 0);
            }
        };
        const Rect before = window->Bounds();
        Drag({before.Right() - 3, before.Bottom() - 3},
             {before.Right() - 3 + 50, before.Bottom() - 3 + 30},
             [&] { return recorder.Count(EventKind::LeftUp) > 0; });
        recorder.action = nullptr;
        EXPECT_EQ(recorder.Count(EventKind::LeftUp), 1);
        const Rect after = window->Bounds();
        EXPECT_EQ(after.left, before.left);
        EXPECT_EQ(after.top, before.top);
        EXPECT_EQ(after.width, before.width + c.dWidth);
        EXPECT_EQ(after.height, before.height + c.dHeight);
        EXPECT_GE(recorder.Count(EventKind::SizeChanged), 1);
        // Still no frame: the client area is the whole window.
        RECT client{};
        GetClientRect(window->Handle(), &client);
        EXPECT_EQ(client.right, after.width);
        EXPECT_EQ(client.bottom, after.height);
    }
}

}  // namespace
}  // namespace orv::ui::testing
