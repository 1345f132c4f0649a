#include "shell/rw_lock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cctype>
#include <set>
#include <thread>

#include "thread_signal.h"

namespace orv {
namespace {

using testing::kStillBlockedMs;
using testing::kSurelyMs;
using testing::Signal;

// A thread that takes the lock one way, says so, holds it until released,
// then leaves.
class Holder {
public:
    enum class Kind { Shared, Exclusive };

    Holder(RwLock& lock, Kind kind) : thread_([this, &lock, kind] {
        started.Set();
        if (kind == Kind::Shared) {
            lock.LockShared();
        } else {
            lock.LockExclusive();
        }
        inside.Set();
        release.WaitFor(INFINITE);
        if (kind == Kind::Shared) {
            lock.UnlockShared();
        } else {
            lock.UnlockExclusive();
        }
        left.Set();
    }) {}
    Holder(const Holder&) = delete;
    Holder& operator=(const Holder&) = delete;
    ~Holder() {
        release.Set();
        thread_.join();
    }

    Signal started;
    Signal inside;
    Signal release;
    Signal left;

private:
    std::thread thread_;
};

RwLock& FreshLock(RwLock& lock) {
    lock.Init();
    return lock;
}

TEST(RwLock, ReaderInsideBlocksWriterAndWriterBlocksLaterReader) {
    RwLock lock;
    FreshLock(lock);
    lock.LockShared();

    Holder writer(lock, Holder::Kind::Exclusive);
    ASSERT_TRUE(writer.started.WaitFor(kSurelyMs));
    EXPECT_FALSE(writer.inside.WaitFor(kStillBlockedMs)) << "writer entered beside a reader";

    // The writer now holds the mutex and waits for the reader to leave, so
    // a new reader has to queue behind it.
    Holder secondReader(lock, Holder::Kind::Shared);
    ASSERT_TRUE(secondReader.started.WaitFor(kSurelyMs));
    EXPECT_FALSE(secondReader.inside.WaitFor(kStillBlockedMs))
        << "reader overtook a waiting writer";

    lock.UnlockShared();
    EXPECT_TRUE(writer.inside.WaitFor(kSurelyMs)) << "writer never entered after the reader left";
    EXPECT_FALSE(secondReader.inside.WaitFor(kStillBlockedMs))
        << "reader entered beside the writer";

    writer.release.Set();
    EXPECT_TRUE(secondReader.inside.WaitFor(kSurelyMs)) << "reader never entered after the writer";
}

TEST(RwLock, NestedExclusiveHoldLetsReaderInOnlyAfterTheLastUnlock) {
    RwLock lock;
    FreshLock(lock);
    lock.LockExclusive();
    lock.LockExclusive();

    Holder reader(lock, Holder::Kind::Shared);
    ASSERT_TRUE(reader.started.WaitFor(kSurelyMs));
    lock.UnlockExclusive();
    EXPECT_FALSE(reader.inside.WaitFor(kStillBlockedMs)) << "one unlock ended a nested hold";

    lock.UnlockExclusive();
    EXPECT_TRUE(reader.inside.WaitFor(kSurelyMs));
}

TEST(RwLock, FreshLockLetsAReaderAndThenAWriterInAtOnce) {
    RwLock lock;
    FreshLock(lock);
    {
        Holder reader(lock, Holder::Kind::Shared);
        EXPECT_TRUE(reader.inside.WaitFor(kSurelyMs));
        reader.release.Set();
        EXPECT_TRUE(reader.left.WaitFor(kSurelyMs));
    }
    Holder writer(lock, Holder::Kind::Exclusive);
    EXPECT_TRUE(writer.inside.WaitFor(kSurelyMs));
}

TEST(RwLock, ReaderTwiceOnOneThreadNeedsTwoUnlocks) {
    RwLock lock;
    FreshLock(lock);
    lock.LockShared();
    lock.LockShared();

    Holder writer(lock, Holder::Kind::Exclusive);
    ASSERT_TRUE(writer.started.WaitFor(kSurelyMs));
    lock.UnlockShared();
    EXPECT_FALSE(writer.inside.WaitFor(kStillBlockedMs)) << "writer entered beside a reader";

    lock.UnlockShared();
    EXPECT_TRUE(writer.inside.WaitFor(kSurelyMs));
}

TEST(RwLock, ExclusiveHoldOfAnotherThreadIsWaitedFor) {
    RwLock lock;
    FreshLock(lock);
    Holder first(lock, Holder::Kind::Exclusive);
    ASSERT_TRUE(first.inside.WaitFor(kSurelyMs));

    Holder second(lock, Holder::Kind::Exclusive);
    ASSERT_TRUE(second.started.WaitFor(kSurelyMs));
    EXPECT_FALSE(second.inside.WaitFor(kStillBlockedMs));

    first.release.Set();
    EXPECT_TRUE(second.inside.WaitFor(kSurelyMs));
}

TEST(RwLock, UnlockExclusiveWithoutMutexLeavesTheCountAlone) {
    RwLock lock;
    lock.UnlockExclusive();  // no mutex yet: must not count a reader out

    lock.Init();
    lock.LockShared();
    Holder writer(lock, Holder::Kind::Exclusive);
    ASSERT_TRUE(writer.started.WaitFor(kSurelyMs));
    EXPECT_FALSE(writer.inside.WaitFor(kStillBlockedMs)) << "the count went below zero";

    lock.UnlockShared();
    EXPECT_TRUE(writer.inside.WaitFor(kSurelyMs));
}

// Readers on two threads entering and leaving at the same moments must never
// let the writer in beside one of them.
TEST(RwLock, WriterNeverMeetsReadersOfTwoThreads) {
    RwLock lock;
    FreshLock(lock);
    std::atomic<int> readersInside{0};
    std::atomic<bool> writerInside{false};
    std::atomic<int> clashes{0};
    std::atomic<bool> stop{false};
    constexpr int kWriterRounds = 200;

    auto reader = [&] {
        while (!stop) {
            lock.LockShared();
            ++readersInside;
            if (writerInside) ++clashes;
            --readersInside;
            lock.UnlockShared();
        }
    };
    std::thread readerA(reader);
    std::thread readerB(reader);
    for (int round = 0; round < kWriterRounds; ++round) {
        lock.LockExclusive();
        writerInside = true;
        if (readersInside != 0) ++clashes;
        writerInside = false;
        lock.UnlockExclusive();
    }
    stop = true;
    readerA.join();
    readerB.join();
    EXPECT_EQ(clashes.load(), 0);
}

bool IsLockName(const std::string& name) {
    if (name.size() != 20) return false;
    for (int i = 0; i < 10; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i]))) return false;
    }
    for (int i = 10; i < 20; ++i) {
        if (name[i] < 'a' || name[i] > 'z') return false;
    }
    return true;
}

TEST(RwLock, GeneratedNamesAreTenDigitsThenTenLowercaseLetters) {
    std::set<std::string> letterParts;
    for (int i = 0; i < 8; ++i) {
        const std::string name = RwLock::GenerateName();
        EXPECT_TRUE(IsLockName(name)) << name;
        // Seconds since 1970 (shifted by eight hours): well past 2020.
        EXPECT_GT(std::stoll(name.substr(0, 10)), 1577836800LL) << name;
        letterParts.insert(name.substr(10));
    }
    EXPECT_GT(letterParts.size(), 1u) << "the letters do not vary";
}

}  // namespace
}  // namespace orv
