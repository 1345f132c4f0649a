#include "shell/start_thread.h"

#include "model/wait.h"

namespace orv {

KernelHandle StartThread(ThreadRoutine routine, void* argument) {
    for (;;) {
        KernelHandle thread(CreateThread(nullptr, 0, routine, argument, 0, nullptr));
        if (thread) return thread;
        // Without memory a retry cannot succeed; the program runs on without
        // the thread. Anything else is taken as passing.
        if (GetLastError() == ERROR_NOT_ENOUGH_MEMORY) return {};
        Wait(100);
    }
}

}  // namespace orv
