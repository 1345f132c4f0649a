// The Windows version the program works with is the system's own record,
// not what the compatibility layer reports to an unmanifested program.
#include "shell/windows_version.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace orv {
namespace {

// The process environment block records the version at these offsets on
// 32-bit Windows.
int VersionFromProcessBlock() {
    const BYTE* block = nullptr;
    asm("movl %%fs:0x30, %0" : "=r"(block));
    const ULONG major = *reinterpret_cast<const ULONG*>(block + 0xA4);
    const ULONG minor = *reinterpret_cast<const ULONG*>(block + 0xA8);
    return static_cast<int>(major * 256 + minor);
}

TEST(WindowsVersionTest, MatchesTheProcessEnvironmentBlock) {
    EXPECT_EQ(QueryWindowsVersion(), VersionFromProcessBlock());
}

TEST(WindowsVersionTest, IsAtLeastWindows7SoDropsTakeTheVistaPath) {
    EXPECT_GE(QueryWindowsVersion(), 0x0601);
}

}  // namespace
}  // namespace orv
