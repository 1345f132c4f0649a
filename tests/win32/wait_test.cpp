#include "model/wait.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <thread>

#include "thread_signal.h"

namespace orv {
namespace {

constexpr UINT kProbeMessage = WM_APP + 7;

// A message-only window that counts the probe messages it receives.
class ProbeWindow {
public:
    ProbeWindow() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &ProbeWindow::Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"OrvantoWaitProbe";
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(0, L"OrvantoWaitProbe", L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ProbeWindow(const ProbeWindow&) = delete;
    ProbeWindow& operator=(const ProbeWindow&) = delete;
    ~ProbeWindow() {
        DestroyWindow(window_);
        // Drop whatever a test left queued for the window.
        MSG message{};
        while (PeekMessageW(&message, nullptr, kProbeMessage, kProbeMessage, PM_REMOVE)) {
        }
    }

    HWND Handle() const { return window_; }
    int received = 0;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam,
                                      LPARAM lParam) noexcept {
        if (message == kProbeMessage) {
            auto* self = reinterpret_cast<ProbeWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
            if (self) ++self->received;
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
};

TEST(Wait, ZeroOrLessReturnsAtOnceWithoutRunningMessages) {
    for (const int ms : {0, -1, -200, INT_MIN}) {
        ProbeWindow probe;
        ASSERT_TRUE(PostMessageW(probe.Handle(), kProbeMessage, 0, 0));
        Wait(ms, true);
        EXPECT_EQ(probe.received, 0) << ms;
    }
}

TEST(Wait, WithoutMessageProcessingMessagesStayQueued) {
    ProbeWindow probe;
    ASSERT_TRUE(PostMessageW(probe.Handle(), kProbeMessage, 0, 0));
    Wait(30, false);
    EXPECT_EQ(probe.received, 0);
}

TEST(Wait, BlocksForAboutTheAskedTime) {
    const ULONGLONG start = GetTickCount64();
    Wait(100);
    const ULONGLONG elapsed = GetTickCount64() - start;
    // The tick count moves in steps of up to 16 ms.
    EXPECT_GE(elapsed, 80u);
    EXPECT_LT(elapsed, 10000u);
}

TEST(Wait, WithMessageProcessingRunsAMessageThatArrivesDuringTheWait) {
    ProbeWindow probe;
    testing::Signal waiting;
    std::thread poster([&] {
        waiting.WaitFor(testing::kSurelyMs);
        Sleep(50);
        PostMessageW(probe.Handle(), kProbeMessage, 0, 0);
    });

    const ULONGLONG start = GetTickCount64();
    waiting.Set();
    Wait(200, true);
    const ULONGLONG end = GetTickCount64();
    poster.join();

    EXPECT_EQ(probe.received, 1);
    EXPECT_GE(end - start, 180u);
    EXPECT_LT(end - start, 10000u);
}

TEST(Wait, QuitMetDuringTheWaitIsLeftForTheMessageLoop) {
    PostQuitMessage(7);
    Wait(30, true);
    MSG message{};
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 7u);
}

}  // namespace
}  // namespace orv
