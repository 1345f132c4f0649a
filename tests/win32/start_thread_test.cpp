#include "shell/start_thread.h"

#include <gtest/gtest.h>

#include "thread_signal.h"

namespace orv {
namespace {

DWORD WINAPI SetSignal(void* argument) {
    static_cast<testing::Signal*>(argument)->Set();
    return 0;
}

TEST(StartThread, RunsTheRoutineWithItsArgumentAndHandsBackTheThread) {
    testing::Signal ran;
    const KernelHandle thread = StartThread(SetSignal, &ran);
    ASSERT_TRUE(thread);
    EXPECT_TRUE(ran.WaitFor(testing::kSurelyMs));
    EXPECT_EQ(WaitForSingleObject(thread.get(), testing::kSurelyMs), WAIT_OBJECT_0);
}

}  // namespace
}  // namespace orv
