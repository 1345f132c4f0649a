#include "model/wait.h"

#include <windows.h>

#include "toolkit/handles.h"

namespace orv {

namespace {

// Runs the thread's pending window messages. A WM_QUIT met here belongs to
// the thread's message loop: it is kept aside and posted again by the caller
// once the wait is over, and no more messages are run until then.
void RunPendingMessages(bool& quitSeen, WPARAM& quitCode) {
    MSG message{};
    while (!quitSeen && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quitSeen = true;
            quitCode = message.wParam;
            break;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Without a timer: wait against the tick count (the unsigned difference stays
// right across the tick counter's wrap).
void WaitByTickCount(DWORD milliseconds, bool processMessages, bool& quitSeen,
                     WPARAM& quitCode) {
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds) return;
        const DWORD remaining = milliseconds - elapsed;
        if (processMessages && !quitSeen) {
            MsgWaitForMultipleObjectsEx(0, nullptr, remaining, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
            RunPendingMessages(quitSeen, quitCode);
        } else {
            Sleep(remaining);
        }
    }
}

void WaitOnTimer(HANDLE timer, bool processMessages, bool& quitSeen, WPARAM& quitCode) {
    if (!processMessages) {
        WaitForSingleObject(timer, INFINITE);
        return;
    }
    // Wakes for the timer or for a message, whichever comes first, so
    // messages are run as they arrive and the wait ends on time.
    for (;;) {
        if (quitSeen) {
            WaitForSingleObject(timer, INFINITE);
            return;
        }
        const DWORD woken =
            MsgWaitForMultipleObjectsEx(1, &timer, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woken == WAIT_OBJECT_0 || woken == WAIT_FAILED) return;
        RunPendingMessages(quitSeen, quitCode);
    }
}

}  // namespace

void Wait(int milliseconds, bool processMessages) {
    if (milliseconds <= 0) return;
    bool quitSeen = false;
    WPARAM quitCode = 0;

    KernelHandle timer(CreateWaitableTimerW(nullptr, FALSE, nullptr));
    LARGE_INTEGER dueTime{};
    dueTime.QuadPart = static_cast<LONGLONG>(milliseconds) * -10000;  // relative, 100 ns
    if (timer && SetWaitableTimer(timer.get(), &dueTime, 0, nullptr, nullptr, FALSE)) {
        WaitOnTimer(timer.get(), processMessages, quitSeen, quitCode);
    } else {
        WaitByTickCount(static_cast<DWORD>(milliseconds), processMessages, quitSeen, quitCode);
    }

    if (quitSeen) PostQuitMessage(static_cast<int>(quitCode));
}

}  // namespace orv
