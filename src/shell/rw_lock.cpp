#include "shell/rw_lock.h"

#include <x86intrin.h>

#include <cstdint>

#include "model/text.h"

namespace orv {

namespace {

// Seconds from 1970-01-01 08:00:00 to the current local time.
std::int64_t LocalSecondsSinceNameEpoch() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    FILETIME asFileTime{};
    if (!SystemTimeToFileTime(&now, &asFileTime)) return 0;
    ULARGE_INTEGER ticks{};
    ticks.LowPart = asFileTime.dwLowDateTime;
    ticks.HighPart = asFileTime.dwHighDateTime;
    // 100-nanosecond ticks from 1601-01-01 to 1970-01-01.
    constexpr std::uint64_t kTicksTo1970 = 116444736000000000ULL;
    if (ticks.QuadPart < kTicksTo1970) return 0;
    constexpr std::int64_t kEightHours = 8 * 3600;
    const std::int64_t seconds =
        static_cast<std::int64_t>((ticks.QuadPart - kTicksTo1970) / 10000000ULL) - kEightHours;
    return seconds < 0 ? 0 : seconds;
}

char RandomLowercaseLetter() {
    const auto t = static_cast<std::uint32_t>(__rdtsc());
    const std::uint32_t r = ((t * 214013u + 2531011u) >> 16) & 0x7FFFu;
    return static_cast<char>('a' + r % 26);
}

// Reads the count with a full barrier; the count itself only changes through
// the interlocked increment and decrement.
LONG CurrentCount(volatile LONG* count) { return InterlockedCompareExchange(count, 0, 0); }

}  // namespace

std::string RwLock::GenerateName() {
    std::string name = std::to_string(LocalSecondsSinceNameEpoch());
    if (name.size() < 10) name.insert(0, 10 - name.size(), '0');
    for (int i = 0; i < 10; ++i) name += RandomLowercaseLetter();
    return name;
}

void RwLock::Init() {
    const std::wstring eventName = LocalToWide(GenerateName());
    NoReadersEvent.reset(CreateEventW(nullptr, TRUE, TRUE, eventName.c_str()));
    const std::wstring mutexName = LocalToWide(GenerateName());
    WriterMutex.reset(CreateMutexW(nullptr, FALSE, mutexName.c_str()));
}

void RwLock::LockShared() {
    WaitForSingleObject(WriterMutex.get(), INFINITE);
    if (InterlockedIncrement(&ReaderCount) == 1) ResetEvent(NoReadersEvent.get());
    ReleaseMutex(WriterMutex.get());
}

void RwLock::UnlockShared() {
    // A thread that owns the mutex is a writer leaving one level of its hold.
    if (ReleaseMutex(WriterMutex.get())) return;
    if (InterlockedDecrement(&ReaderCount) == 0) SetEvent(NoReadersEvent.get());
}

void RwLock::LockExclusive() {
    WaitForSingleObject(WriterMutex.get(), INFINITE);
    // Readers leave without the mutex, so a reader leaving on one thread and
    // another registering on a second thread can leave the event signalled
    // with a reader inside. Once the mutex is ours the count can only fall,
    // so the event is trusted only together with a zero count.
    for (;;) {
        if (WaitForSingleObject(NoReadersEvent.get(), INFINITE) != WAIT_OBJECT_0) return;
        if (CurrentCount(&ReaderCount) == 0) return;
        ResetEvent(NoReadersEvent.get());
        // The last reader may have set the event just before the reset.
        if (CurrentCount(&ReaderCount) == 0) {
            SetEvent(NoReadersEvent.get());
            return;
        }
    }
}

void RwLock::UnlockExclusive() {
    if (!WriterMutex) return;
    UnlockShared();
}

}  // namespace orv
