#include "model/file_io.h"

#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>

#include "model/text.h"
#include "scratch_directory.h"
#include "toolkit/handles.h"

namespace orv {
namespace {

using testing::ScratchDirectory;

std::string AsText(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

FileHandle OpenWithSharing(const std::wstring& path, DWORD access, DWORD sharing) {
    return FileHandle(CreateFileW(path.c_str(), access, sharing, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool Contains(const std::vector<std::wstring>& names, const std::wstring& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

TEST(WholeFile, WhatIsWrittenReadsBackByteForByte) {
    const struct {
        const char* what;
        std::string data;
    } cases[] = {
        {"one byte", "x"},
        {"zero bytes inside", std::string("a\0b\0\0c", 6)},
        {"Chinese text", "导航"},
        {"larger than one read", std::string(300000, 'q') + "end"},
    };
    ScratchDirectory scratch;
    for (const auto& c : cases) {
        const std::string path = scratch.Local("file.bin");
        ASSERT_TRUE(WriteWholeFile(path, c.data)) << c.what;
        EXPECT_EQ(AsText(ReadWholeFile(path)), c.data) << c.what;
    }
}

TEST(WholeFile, ReadOfMissingOrEmptyFileIsEmpty) {
    ScratchDirectory scratch;
    EXPECT_TRUE(ReadWholeFile(scratch.Local("missing.json")).empty());
    EXPECT_TRUE(ReadWholeFile("").empty());

    ASSERT_TRUE(WriteWholeFile(scratch.Local("empty.json"), ""));
    EXPECT_TRUE(FileExists(scratch.Local("empty.json")));
    EXPECT_TRUE(ReadWholeFile(scratch.Local("empty.json")).empty());
}

TEST(WholeFile, ReadOfFileHeldWithoutSharingGivesUpEmptyAfterAboutASecond) {
    ScratchDirectory scratch;
    const std::string path = scratch.Local("held.json");
    ASSERT_TRUE(WriteWholeFile(path, "content"));
    const FileHandle holder = OpenWithSharing(scratch.Wide(L"held.json"), GENERIC_WRITE, 0);
    ASSERT_TRUE(holder);

    const ULONGLONG start = GetTickCount64();
    EXPECT_TRUE(ReadWholeFile(path).empty());
    const ULONGLONG elapsed = GetTickCount64() - start;
    // 50 retries 20 ms apart; generous above for a loaded machine.
    EXPECT_GE(elapsed, 700u);
    EXPECT_LT(elapsed, 15000u);
}

TEST(WholeFile, ReadSucceedsWhenTheHolderLetsGoDuringTheRetries) {
    ScratchDirectory scratch;
    const std::string path = scratch.Local("briefly-held.json");
    ASSERT_TRUE(WriteWholeFile(path, "content"));
    FileHandle holder = OpenWithSharing(scratch.Wide(L"briefly-held.json"), GENERIC_WRITE, 0);
    ASSERT_TRUE(holder);

    std::thread letGo([&holder] {
        Sleep(150);
        holder.reset();
    });
    const std::string read = AsText(ReadWholeFile(path));
    letGo.join();
    EXPECT_EQ(read, "content");
}

TEST(WholeFile, FileExistsTellsFilesAndFoldersFromMissingPaths) {
    ScratchDirectory scratch;
    ASSERT_TRUE(WriteWholeFile(scratch.Local("here.txt"), "1"));
    const struct {
        std::string path;
        bool exists;
    } cases[] = {
        {scratch.Local("here.txt"), true},
        {scratch.Local(), true},
        {scratch.Local("not-here.txt"), false},
        {scratch.Local("missing\\here.txt"), false},
        {"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(FileExists(c.path), c.exists) << c.path;
}

TEST(WholeFile, WriteCreatesTheMissingDirectoryChain) {
    ScratchDirectory scratch;
    const std::string path = scratch.Local("configure\\deeper\\deepest\\navigation.json");
    ASSERT_TRUE(WriteWholeFile(path, "{}"));
    EXPECT_EQ(AsText(ReadWholeFile(path)), "{}");
}

TEST(WholeFile, WriteWithoutBackslashGoesToTheCurrentDirectory) {
    ScratchDirectory scratch;
    wchar_t previous[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryW(scratch.Wide().c_str()));

    const bool written = WriteWholeFile("plain.json", "here");
    SetCurrentDirectoryW(previous);
    ASSERT_TRUE(written);
    EXPECT_EQ(AsText(ReadWholeFile(scratch.Local("plain.json"))), "here");
}

TEST(WholeFile, WriteReplacesLongerContentWholly) {
    ScratchDirectory scratch;
    const std::string path = scratch.Local("navigation.json");
    ASSERT_TRUE(WriteWholeFile(path, "a much longer first content"));
    ASSERT_TRUE(WriteWholeFile(path, "short"));
    EXPECT_EQ(AsText(ReadWholeFile(path)), "short");
}

TEST(WholeFile, SuccessfulWriteLeavesOnlyTheTarget) {
    ScratchDirectory scratch;
    ASSERT_TRUE(WriteWholeFile(scratch.Local("navigation.json"), "one"));
    ASSERT_TRUE(WriteWholeFile(scratch.Local("navigation.json"), "two"));
    EXPECT_EQ(scratch.Names(), std::vector<std::wstring>{L"navigation.json"});
}

TEST(WholeFile, RefusedReplaceKeepsTheOldContentAndNoTemporary) {
    ScratchDirectory scratch;
    const std::string path = scratch.Local("navigation.json");
    ASSERT_TRUE(WriteWholeFile(path, "old content"));
    {
        // Open for reading, without FILE_SHARE_DELETE: the file cannot be
        // replaced while this handle lives.
        const FileHandle holder = OpenWithSharing(scratch.Wide(L"navigation.json"), GENERIC_READ,
                                                  FILE_SHARE_READ | FILE_SHARE_WRITE);
        ASSERT_TRUE(holder);
        EXPECT_FALSE(WriteWholeFile(path, "new content"));
    }
    EXPECT_EQ(AsText(ReadWholeFile(path)), "old content");
    EXPECT_EQ(scratch.Names(), std::vector<std::wstring>{L"navigation.json"});
}

TEST(WholeFile, WriteIntoAFileThatIsAFolderFails) {
    ScratchDirectory scratch;
    ASSERT_TRUE(CreateDirectoryW(scratch.Wide(L"taken").c_str(), nullptr));
    EXPECT_FALSE(WriteWholeFile(scratch.Local("taken"), "x"));
    EXPECT_FALSE(WriteWholeFile(scratch.Local("dir\\"), "x"));
    EXPECT_EQ(scratch.Names(), std::vector<std::wstring>{L"taken"});
}

// Some other process that is running now, or 0 when there is none.
DWORD AnotherRunningProcessId() {
    const KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return 0;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry)) {
        if (entry.th32ProcessID != 0 && entry.th32ProcessID != GetCurrentProcessId()) {
            return entry.th32ProcessID;
        }
    }
    return 0;
}

TEST(WholeFile, SuccessfulWriteRemovesOnlyLeftoversOfKilledRunsOfTheSameTarget) {
    const DWORD running = AnotherRunningProcessId();
    if (running == 0) GTEST_SKIP() << "no other process to stand for a live writer";
    // Process ids are multiples of four and stay far below this one.
    const std::wstring gone = L"4000000000";
    const struct {
        std::wstring name;
        bool kept;
    } cases[] = {
        {L"navigation.json." + gone + L".tmp", false},
        {L"navigation.json." + std::to_wstring(running) + L".tmp", true},
        {L"navigation.json.notanid.tmp", true},
        {L"other.json." + gone + L".tmp", true},
        {L"navigation.json." + gone + L".txt", true},
    };
    ScratchDirectory scratch;
    for (const auto& c : cases) {
        const FileHandle file(CreateFileW(scratch.Wide(c.name).c_str(), GENERIC_WRITE, 0, nullptr,
                                          CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
    }
    ASSERT_TRUE(WriteWholeFile(scratch.Local("navigation.json"), "{}"));
    const std::vector<std::wstring> names = scratch.Names();
    for (const auto& c : cases) {
        EXPECT_EQ(Contains(names, c.name), c.kept) << LocalToUtf8(WideToLocal(c.name));
    }
    EXPECT_TRUE(Contains(names, L"navigation.json"));
}

TEST(WholeFile, ChineseNamesGoThroughCodePage936) {
    // Narrow literals are code page 936 bytes, wide ones the same names in
    // UTF-16. The second byte of 籠 is a backslash.
    const struct {
        const char* local;
        const wchar_t* wide;
    } cases[] = {
        {"中文目录\\导航.json", L"中文目录\\导航.json"},
        {"竹籠\\竹籠.json", L"竹籠\\竹籠.json"},
    };
    for (const auto& c : cases) {
        ScratchDirectory scratch;
        const std::string path = scratch.Local(c.local);
        ASSERT_TRUE(WriteWholeFile(path, "数据")) << LocalToUtf8(c.local);
        EXPECT_TRUE(FileExists(path));
        EXPECT_EQ(AsText(ReadWholeFile(path)), "数据");
        EXPECT_NE(GetFileAttributesW(scratch.Wide(c.wide).c_str()), INVALID_FILE_ATTRIBUTES)
            << LocalToUtf8(c.local);
    }
}

TEST(WholeFile, EnsureDirectoryPathCreatesOrFindsTheFolder) {
    ScratchDirectory scratch;
    const struct {
        std::string directory;
        std::wstring expected;
    } cases[] = {
        {scratch.Local("a\\b\\c"), scratch.Wide(L"a\\b\\c")},
        {scratch.Local("with\\trailing\\"), scratch.Wide(L"with\\trailing")},
        {scratch.Local("a\\b"), scratch.Wide(L"a\\b")},  // exists already
        {scratch.Local(), scratch.Wide()},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(EnsureDirectoryPath(c.directory)) << c.directory;
        const DWORD attributes = GetFileAttributesW(c.expected.c_str());
        EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES &&
                    (attributes & FILE_ATTRIBUTE_DIRECTORY))
            << c.directory;
    }
}

TEST(WholeFile, EnsureDirectoryPathFailsBelowAFile) {
    ScratchDirectory scratch;
    ASSERT_TRUE(WriteWholeFile(scratch.Local("plain"), "x"));
    EXPECT_FALSE(EnsureDirectoryPath(scratch.Local("plain\\below")));
}

}  // namespace
}  // namespace orv
