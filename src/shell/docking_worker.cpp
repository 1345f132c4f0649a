#include "shell/docking_worker.h"

#include "core/dock_step.h"
#include "shell/globals.h"
#include "shell/start_thread.h"
#include "toolkit/handles.h"

namespace orv {

namespace {

constexpr DWORD kStepInterval = 200;

struct Worker {
    HWND window = nullptr;
    KernelHandle stopEvent;
    KernelHandle thread;
};

Worker worker;

// Waits the step interval while the thread's own messages keep flowing.
// True when the stop event was set.
bool WaitForStop(HANDLE stopEvent) {
    const ULONGLONG deadline = GetTickCount64() + kStepInterval;
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) return false;
        const DWORD woken = MsgWaitForMultipleObjects(
            1, &stopEvent, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0) return true;
        if (woken == WAIT_TIMEOUT) return false;
        if (woken == WAIT_FAILED) return WaitForSingleObject(stopEvent, kStepInterval) == WAIT_OBJECT_0;
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

int ReadMenuOpen() {
    if (!MenuLock) return 0;
    SharedHold hold(*MenuLock);
    return MenuOpen;
}

DWORD WINAPI DockingWorker(void* parameter) noexcept {
    auto* state = static_cast<Worker*>(parameter);
    for (;;) {
        // The value read before the wait decides: a menu opened during the
        // wait does not stop the step that follows it.
        const int menuOpen = ReadMenuOpen();
        if (WaitForStop(state->stopEvent.get())) return 0;
        if (menuOpen == 0) TakeDockStep(state->window);
    }
}

}  // namespace

void TakeDockStep(HWND window) {
    // A minimised or hidden window has no place at an edge.
    if (!IsWindow(window) || !IsWindowVisible(window) || IsIconic(window)) return;
    RECT r{};
    if (!GetWindowRect(window, &r)) return;
    POINT mouse{};
    if (!GetCursorPos(&mouse)) return;
    const Rect place{r.left, r.top, r.right - r.left, r.bottom - r.top};
    const Size screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const std::optional<DockMove> move = DockStep(place, {mouse.x, mouse.y}, screen);
    if (!move) return;
    // Disabling around a corner move breaks off a drag still in progress.
    if (move->disableAround) EnableWindow(window, FALSE);
    SetWindowPos(window, nullptr, move->left, move->top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (move->disableAround) EnableWindow(window, TRUE);
}

bool StartDockingWorker(HWND window) {
    if (worker.thread) return false;
    worker.window = window;
    worker.stopEvent.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!worker.stopEvent) return false;
    worker.thread = StartThread(DockingWorker, &worker);
    if (!worker.thread) worker.stopEvent.reset();
    return static_cast<bool>(worker.thread);
}

void StopDockingWorker() {
    if (!worker.thread) return;
    SetEvent(worker.stopEvent.get());
    HANDLE thread = worker.thread.get();
    for (;;) {
        const DWORD woken = MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE);
        if (woken != WAIT_OBJECT_0 + 1) break;
        // Runs the messages other threads sent (the worker's moves), and
        // nothing posted.
        MSG message{};
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    worker.thread.reset();
    worker.stopEvent.reset();
    worker.window = nullptr;
}

bool DockingWorkerRunning() {
    return worker.thread && WaitForSingleObject(worker.thread.get(), 0) == WAIT_TIMEOUT;
}

}  // namespace orv
