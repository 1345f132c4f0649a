// The binding of treedoc from a child process in a temporary run directory:
// where the library is taken from, that a file planted in the current
// directory is never taken, and the fatal error when nothing is found.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "scratch_directory.h"
#include "toolkit/handles.h"

namespace {

std::wstring TestExeDirectory() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring directory(path, length);
    return directory.substr(0, directory.find_last_of(L'\\'));
}

// A child left running by a failed check is ended with the test.
struct Child {
    PROCESS_INFORMATION info{};
    orv::KernelHandle process;
    orv::KernelHandle thread;
    ~Child() {
        if (process) TerminateProcess(process.get(), 99);
    }
};

// Starts binding_child.exe copied into runDirectory, with workDirectory current.
bool StartChild(const orv::testing::ScratchDirectory& runDirectory, const std::wstring& workDirectory,
                Child& child) {
    const std::wstring exe = runDirectory.Wide(L"binding_child.exe");
    if (!CopyFileW((TestExeDirectory() + L"\\binding_child.exe").c_str(), exe.c_str(), FALSE)) return false;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workDirectory.c_str(), &startup, &child.info))
        return false;
    child.process.reset(child.info.hProcess);
    child.thread.reset(child.info.hThread);
    return true;
}

DWORD WaitExit(Child& child) {
    if (WaitForSingleObject(child.process.get(), 20000) != WAIT_OBJECT_0) return 999;
    DWORD code = 999;
    GetExitCodeProcess(child.process.get(), &code);
    return code;
}

bool CopyTreedoc(const std::wstring& to) {
    return CopyFileW((TestExeDirectory() + L"\\treedoc.dll").c_str(), to.c_str(), FALSE) != 0;
}

struct Search {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    if (owner == search->process && lstrcmpW(className, L"#32770") == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForMessageBox(DWORD process) {
    for (int i = 0; i < 200; ++i) {
        Search search{process, nullptr};
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(50);
    }
    return nullptr;
}

TEST(DllBinding, LibraryUnderDataIsTakenFirst) {
    orv::testing::ScratchDirectory run;
    orv::testing::ScratchDirectory work;
    CreateDirectoryW(run.Wide(L"data").c_str(), nullptr);
    ASSERT_TRUE(CopyTreedoc(run.Wide(L"data\\treedoc.dll")));
    ASSERT_TRUE(CopyTreedoc(run.Wide(L"treedoc.dll")));
    Child child;
    ASSERT_TRUE(StartChild(run, work.Wide(), child));
    EXPECT_EQ(WaitExit(child), 0u);
}

TEST(DllBinding, LibraryBesideTheExeIsTakenSecond) {
    orv::testing::ScratchDirectory run;
    orv::testing::ScratchDirectory work;
    ASSERT_TRUE(CopyTreedoc(run.Wide(L"treedoc.dll")));
    Child child;
    ASSERT_TRUE(StartChild(run, work.Wide(), child));
    EXPECT_EQ(WaitExit(child), 2u);
}

TEST(DllBinding, PlantedLibraryInTheCurrentDirectoryIsNotLoaded) {
    orv::testing::ScratchDirectory run;
    orv::testing::ScratchDirectory planted;
    CreateDirectoryW(run.Wide(L"data").c_str(), nullptr);
    ASSERT_TRUE(CopyTreedoc(run.Wide(L"data\\treedoc.dll")));
    ASSERT_TRUE(CopyTreedoc(planted.Wide(L"treedoc.dll")));
    Child child;
    ASSERT_TRUE(StartChild(run, planted.Wide(), child));
    EXPECT_EQ(WaitExit(child), 0u);
}

TEST(DllBinding, MissingLibraryShowsTheFatalErrorAndEnds) {
    orv::testing::ScratchDirectory run;
    orv::testing::ScratchDirectory planted;
    // Even a working copy in the current directory must not be found.
    ASSERT_TRUE(CopyTreedoc(planted.Wide(L"treedoc.dll")));
    Child child;
    ASSERT_TRUE(StartChild(run, planted.Wide(), child));
    HWND box = WaitForMessageBox(child.info.dwProcessId);
    ASSERT_NE(box, nullptr) << "no message box from the child";
    wchar_t text[512] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 512);
    const std::wstring message(text);
    EXPECT_NE(message.find(L"treedoc.dll"), std::wstring::npos);
    EXPECT_NE(message.find(L"parse"), std::wstring::npos);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    const DWORD code = WaitExit(child);
    EXPECT_NE(code, 0u);
    EXPECT_NE(code, 999u);
}

}  // namespace
