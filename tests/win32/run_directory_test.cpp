#include "model/run_directory.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "model/text.h"

namespace orv {
namespace {

std::wstring ModuleFileName() {
    wchar_t path[32768] = {};
    GetModuleFileNameW(nullptr, path, 32768);
    return path;
}

// Puts the run directory back after a test that moved it.
class RunDirectoryRestorer {
public:
    RunDirectoryRestorer() : saved_(RunDirectory()) {}
    RunDirectoryRestorer(const RunDirectoryRestorer&) = delete;
    RunDirectoryRestorer& operator=(const RunDirectoryRestorer&) = delete;
    ~RunDirectoryRestorer() { SetRunDirectoryForTesting(saved_); }

private:
    std::string saved_;
};

TEST(RunDirectory, IsTheExecutablesFolderWithoutTrailingBackslash) {
    const std::wstring module = ModuleFileName();
    const size_t separator = module.find_last_of(L'\\');
    ASSERT_NE(separator, std::wstring::npos);

    EXPECT_EQ(LocalToWide(RunDirectory()), module.substr(0, separator));
    EXPECT_EQ(LocalToWide(ExecutableName()), module.substr(separator + 1));
    ASSERT_FALSE(RunDirectory().empty());
    EXPECT_NE(RunDirectory().back(), '\\');
    EXPECT_EQ(LocalToWide(RunDirectory() + "\\" + ExecutableName()), module);
}

TEST(RunDirectory, TestsCanPointItElsewhere) {
    RunDirectoryRestorer restorer;
    const struct {
        std::string given;
        std::string expected;
    } cases[] = {
        {"C:\\temp\\run", "C:\\temp\\run"},
        {"C:\\temp\\run\\", "C:\\temp\\run"},
        {"C:\\temp\\run\\\\", "C:\\temp\\run"},
        {"C:\\临时\\运行", "C:\\临时\\运行"},
        // The second byte of 籠 in code page 936 is a backslash.
        {"C:\\竹籠", "C:\\竹籠"},
        {"C:\\竹籠\\", "C:\\竹籠"},
    };
    const std::string executable = ExecutableName();
    for (const auto& c : cases) {
        SetRunDirectoryForTesting(c.given);
        EXPECT_EQ(RunDirectory(), c.expected) << c.given;
        EXPECT_EQ(ExecutableName(), executable);
    }
}

}  // namespace
}  // namespace orv
