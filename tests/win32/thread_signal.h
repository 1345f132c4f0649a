#pragma once
// A manual-reset event for handshakes between a test and its threads.
#include <windows.h>

#include "toolkit/handles.h"

namespace orv::testing {

// Long enough for any loaded machine, so only a real hang fails.
constexpr DWORD kSurelyMs = 10000;
// How long a thread that must stay blocked is watched.
constexpr DWORD kStillBlockedMs = 150;

class Signal {
public:
    Signal() : event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    void Set() { SetEvent(event_.get()); }
    bool WaitFor(DWORD milliseconds) const {
        return WaitForSingleObject(event_.get(), milliseconds) == WAIT_OBJECT_0;
    }
    bool IsSet() const { return WaitFor(0); }

private:
    KernelHandle event_;
};

}  // namespace orv::testing
