#pragma once
// Starts a routine on a new thread, retrying every 100 ms on any failure but
// exhausted memory.
#include <windows.h>

#include "toolkit/handles.h"

namespace orv {

using ThreadRoutine = DWORD(WINAPI*)(void*);

// The thread's handle, or an empty handle when memory is exhausted.
KernelHandle StartThread(ThreadRoutine routine, void* argument = nullptr);

}  // namespace orv
