// Launching entries: the program receives Address's arguments from Command
// and starts in its own folder; a path that continues with a space is one file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board_test_support.h"
#include "model/text.h"

namespace orv::testing {
namespace {

// The lines echo_args wrote (UTF-8 turned into local text), waiting for them.
std::vector<std::string> EchoedLines(const std::string& folder) {
    const std::string out = folder + "\\echo_args.out";
    Bytes bytes;
    for (int i = 0; i < 200 && !(FileThere(out) && GetFile(out, bytes) && !bytes.empty()); ++i) {
        Sleep(50);
    }
    std::vector<std::string> lines;
    std::string line;
    for (char c : ToString(bytes)) {
        if (c == '\n') {
            lines.push_back(Utf8ToLocal(line));
            line.clear();
        } else {
            line += c;
        }
    }
    return lines;
}

struct Program {
    std::string folder;
    std::string path;
};

// echo_args copied into a folder of the run directory under the given name.
Program PlaceEcho(const BoardHarness& harness, const std::string& folderName,
                 const std::string& fileName) {
    Program program{harness.RunDir() + "\\" + folderName, {}};
    program.path = program.folder + "\\" + fileName;
    CreateDirectoryW(LocalToWide(program.folder).c_str(), nullptr);
    EXPECT_TRUE(CopyFileW(LocalToWide(TestExeDirectory() + "\\echo_args.exe").c_str(),
                          LocalToWide(program.path).c_str(), FALSE));
    return program;
}

void LoadWithEntry(BoardHarness& harness, const std::string& address, const std::string& command) {
    harness.WriteConfig(ProgramLayout(500, 400, 0, 0, false,
                                      {{"工具", {{"程序", address, "", command}}}}));
    harness.Load();
}

TEST(LaunchEntry, CommandReachesTheProgramAsArgumentsAndItStartsInItsFolder) {
    BoardHarness harness;
    const Program echo = PlaceEcho(harness, "工具 箱", "echo_args.exe");
    LoadWithEntry(harness, echo.path, " --alpha \"b c\" 中文");
    harness.board().LaunchEntry(1);
    const auto lines = EchoedLines(echo.folder);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], echo.folder);
    EXPECT_EQ(lines[1], "--alpha");
    EXPECT_EQ(lines[2], "b c");
    EXPECT_EQ(lines[3], "中文");
}

TEST(LaunchEntry, WithoutCommandTheProgramGetsNoArguments) {
    BoardHarness harness;
    const Program echo = PlaceEcho(harness, "bin", "echo_args.exe");
    LoadWithEntry(harness, echo.path, "");
    harness.board().LaunchEntry(1);
    const auto lines = EchoedLines(echo.folder);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], echo.folder);
}

TEST(LaunchEntry, AddressAndCommandNamingOneFileOpenThatFile) {
    BoardHarness harness;
    const Program echo = PlaceEcho(harness, "bin", "my prog.exe");
    LoadWithEntry(harness, echo.folder + "\\my", " prog.exe");
    harness.board().LaunchEntry(1);
    const auto lines = EchoedLines(echo.folder);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], echo.folder);
}

TEST(LaunchEntry, AnIndexBeyondTheEntriesStartsNothing) {
    BoardHarness harness;
    const Program echo = PlaceEcho(harness, "bin", "echo_args.exe");
    LoadWithEntry(harness, echo.path, "");
    harness.board().LaunchEntry(2);
    harness.board().LaunchEntry(0);
    Sleep(500);
    EXPECT_FALSE(FileThere(echo.folder + "\\echo_args.out"));
}

TEST(LaunchEntry, TilesOfADeletedCategoryStartNothing) {
    BoardHarness harness;
    const Program echo = PlaceEcho(harness, "bin", "echo_args.exe");
    LoadWithEntry(harness, echo.path, "");
    harness.board().DeleteCategory(1);
    harness.board().LaunchEntry(1);
    harness.board().OpenEntryFolder(1);
    Sleep(500);
    EXPECT_FALSE(FileThere(echo.folder + "\\echo_args.out"));
    EXPECT_FALSE(harness.Tile(1).Visible());
}

}  // namespace
}  // namespace orv::testing
