// The shared objects of the program: created in order, gone after the exit
// routine, which runs once.
#include "shell/globals.h"

#include <gtest/gtest.h>

#include "shell/docking_worker.h"
#include "shell/drop_receiver.h"

namespace orv {
namespace {

class GlobalsTest : public ::testing::Test {
protected:
    void TearDown() override { DestroyGlobals(); }
};

TEST_F(GlobalsTest, CreateGlobalsMakesEveryObjectInItsStartingState) {
    CreateGlobals();
    EXPECT_TRUE(GlobalsAlive());
    ASSERT_TRUE(MenuLock);
    ASSERT_TRUE(MenuItemButtons);
    EXPECT_TRUE(MenuItemButtons->empty());
    ASSERT_TRUE(GlobalBoard);
    EXPECT_EQ(GlobalBoard->GetCategoryCount(), 0);
    ASSERT_TRUE(DragLock);
    ASSERT_TRUE(DragState);
    const DragStateRecord zero;
    EXPECT_EQ(DragState->Dragging, zero.Dragging);
    EXPECT_EQ(DragState->SourceIndex, 0);
    EXPECT_EQ(DragState->TargetCategory, 0);
    ASSERT_TRUE(GlobalDropReceiver);
    EXPECT_FALSE(GlobalDropReceiver->Attached());
}

TEST_F(GlobalsTest, TheLocksAreReadyForUse) {
    CreateGlobals();
    { ExclusiveHold hold(*MenuLock); MenuOpen = 1; }
    { SharedHold hold(*MenuLock); EXPECT_EQ(MenuOpen, 1); }
    { ExclusiveHold hold(*MenuLock); MenuOpen = 0; }
    { ExclusiveHold hold(*DragLock); DragState->Dragging = 1; }
    EXPECT_EQ(DragState->Dragging, 1);
}

TEST_F(GlobalsTest, ExitRoutineDestroysEveryObject) {
    CreateGlobals();
    DestroyGlobals();
    EXPECT_FALSE(GlobalsAlive());
    EXPECT_FALSE(MenuLock);
    EXPECT_FALSE(MenuItemButtons);
    EXPECT_FALSE(GlobalBoard);
    EXPECT_FALSE(DragLock);
    EXPECT_FALSE(DragState);
    EXPECT_FALSE(GlobalDropReceiver);
}

TEST_F(GlobalsTest, ExitRoutineRunsOnceHoweverOftenItIsCalled) {
    CreateGlobals();
    DestroyGlobals();
    DestroyGlobals();
    EXPECT_FALSE(GlobalsAlive());
    CreateGlobals();
    EXPECT_TRUE(GlobalsAlive());
    EXPECT_TRUE(GlobalBoard);
}

TEST_F(GlobalsTest, ExitRoutineStopsTheDockingWorkerBeforeTheMenuLockGoes) {
    CreateGlobals();
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 300, 300, 200, 150, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(StartDockingWorker(window));
    // Let the worker take a step or two first.
    Sleep(250);
    DestroyGlobals();
    EXPECT_FALSE(DockingWorkerRunning());
    DestroyWindow(window);
}

TEST_F(GlobalsTest, TextCodePageStartsAt936) { EXPECT_EQ(TextCodePage, 936); }

TEST_F(GlobalsTest, EndProgramRunsTheExitRoutineAndEndsTheLoopWithZero) {
    CreateGlobals();
    EndProgram();
    EXPECT_FALSE(GlobalsAlive());
    MSG message{};
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 0u);
}

}  // namespace
}  // namespace orv
