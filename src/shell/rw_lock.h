#pragma once
// Many readers or one writer, from a Win32 mutex (held by the writer), a
// manual-reset event (signalled while no reader is inside) and an
// interlocked reader count. Writers are preferred; the writer's hold is
// re-entrant on its thread.
#include <windows.h>

#include <string>

#include "toolkit/handles.h"

namespace orv {

class RwLock {
public:
    RwLock() = default;
    RwLock(const RwLock&) = delete;
    RwLock& operator=(const RwLock&) = delete;
    ~RwLock() = default;  // closes the event, then the mutex

    void Init();
    void LockShared();
    void UnlockShared();
    void LockExclusive();
    void UnlockExclusive();

    // Ten decimal digits of seconds since 1970-01-01 08:00:00 local time,
    // then ten random lowercase letters.
    static std::string GenerateName();

private:
    // Declared mutex first so the event is closed first.
    KernelHandle WriterMutex;
    KernelHandle NoReadersEvent;
    volatile LONG ReaderCount = 0;
};

// Scoped holds.
class ExclusiveHold {
public:
    explicit ExclusiveHold(RwLock& lock) : lock_(lock) { lock_.LockExclusive(); }
    ExclusiveHold(const ExclusiveHold&) = delete;
    ExclusiveHold& operator=(const ExclusiveHold&) = delete;
    ~ExclusiveHold() { lock_.UnlockExclusive(); }

private:
    RwLock& lock_;
};

class SharedHold {
public:
    explicit SharedHold(RwLock& lock) : lock_(lock) { lock_.LockShared(); }
    SharedHold(const SharedHold&) = delete;
    SharedHold& operator=(const SharedHold&) = delete;
    ~SharedHold() { lock_.UnlockShared(); }

private:
    RwLock& lock_;
};

}  // namespace orv
