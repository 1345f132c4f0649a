// Adding entries: names, addresses, shortcuts written by the shell itself,
// and the limits of a category.
#include <gtest/gtest.h>

#include <objbase.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "board_test_support.h"
#include "model/text.h"
#include "toolkit/handles.h"

namespace orv::testing {
namespace {

std::vector<Entry> EntriesOf(Board& board, int category = 1) {
    return board.SnapshotCategories()[category - 1].Entries;
}

void LoadOneCategory(BoardHarness& harness, int entries = 0) {
    TextCategory category{"G", {}};
    for (int e = 1; e <= entries; ++e) {
        category.entries.push_back({Join("e", std::to_string(e)), Join("C:\\x", std::to_string(e))});
    }
    harness.WriteConfig(ProgramLayout(981, 400, 0, 0, false, {category}));
    harness.Load();
}

// A shortcut made by the shell's own link object.
bool MakeShortcut(const std::string& linkPath, const std::string& target,
                  const std::string& arguments) {
    ComScope com;
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.put_void()))) {
        return false;
    }
    link->SetPath(LocalToWide(target).c_str());
    if (!arguments.empty()) link->SetArguments(LocalToWide(arguments).c_str());
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.put_void()))) return false;
    return SUCCEEDED(file->Save(LocalToWide(linkPath).c_str(), TRUE));
}

struct NameCase {
    std::string path;
    std::string name;
};

class AddEntryNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(AddEntryNames, NameIsTheTitleCutToSixCharacters) {
    BoardHarness harness;
    LoadOneCategory(harness);
    harness.board().AddEntry(GetParam().path);
    const auto entries = EntriesOf(harness.board());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Name, GetParam().name);
    EXPECT_EQ(entries[0].Address, GetParam().path);
    EXPECT_EQ(entries[0].Command, "");
    EXPECT_EQ(entries[0].SortKey, 100);
    EXPECT_EQ(harness.Tile(1).Caption(), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, AddEntryNames,
    ::testing::Values(NameCase{"C:\\Tools\\calculate.exe", "calcul"},
                      NameCase{"C:\\Tools\\abc.exe", "abc"},
                      NameCase{"C:\\文档\\八个汉字的文件名字.txt", "八个汉字的文"},
                      NameCase{"C:\\文档\\三个字.doc", "三个字"},
                      NameCase{"C:\\", ""},
                      NameCase{"D:\\Folder.with.dots", "Folder"},
                      NameCase{"我的电脑", "我的电脑"},
                      NameCase{"C:\\Links\\Upper.LNK", "Upper"}));

TEST(AddEntry, TheSameFileTwiceGivesTwoEntries) {
    BoardHarness harness;
    LoadOneCategory(harness, 3);
    harness.board().AddEntry("C:\\a.txt");
    harness.board().AddEntry("C:\\a.txt");
    const auto entries = EntriesOf(harness.board());
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[3].SortKey, 400);
    EXPECT_EQ(entries[4].Address, "C:\\a.txt");
    EXPECT_TRUE(harness.Tile(5).Visible());
    EXPECT_NE(harness.ReadConfig().find("\"address\":\"C:\\\\a.txt\""), std::string::npos);
}

TEST(AddEntry, AFullCategoryTakesNoMore) {
    BoardHarness harness;
    LoadOneCategory(harness, 100);
    harness.board().AddEntry("C:\\one-more.txt");
    EXPECT_EQ(harness.board().GetEntryCount(1), 100);
}

TEST(AddEntry, ASpecialPlaceGetsItsShippedPicture) {
    BoardHarness harness;
    LoadOneCategory(harness);
    harness.board().AddEntry("回收站");
    const auto entries = EntriesOf(harness.board());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Address, "回收站");
    EXPECT_FALSE(entries[0].Image.empty());
    EXPECT_TRUE(harness.Tile(1).HasPicture());
}

TEST(AddEntryShortcut, TheShortcutsTargetAndArgumentsAreStored) {
    BoardHarness harness;
    LoadOneCategory(harness);
    const std::string target = harness.RunDir() + "\\Tools\\editor.exe";
    PutFile(target, "MZ");
    const std::string link = harness.RunDir() + "\\编辑器.lnk";
    ASSERT_TRUE(MakeShortcut(link, target, "-n \"a b\""));
    harness.board().AddEntry(link);
    const auto entries = EntriesOf(harness.board());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Name, "编辑器");
    EXPECT_EQ(entries[0].Address, target);
    EXPECT_EQ(entries[0].Command, " -n \"a b\"");
}

TEST(AddEntryShortcut, WithoutArgumentsTheCommandIsEmpty) {
    BoardHarness harness;
    LoadOneCategory(harness);
    const std::string target = harness.RunDir() + "\\Editor\\editor.exe";
    PutFile(target, "MZ");
    const std::string link = harness.RunDir() + "\\Editor.lnk";
    ASSERT_TRUE(MakeShortcut(link, target, ""));
    harness.board().AddEntry(link);
    const auto entries = EntriesOf(harness.board());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Name, "Editor");
    EXPECT_EQ(entries[0].Address, target);
    EXPECT_EQ(entries[0].Command, "");
}

TEST(AddEntryShortcut, ATargetLocalTextCannotHoldKeepsTheShortcut) {
    BoardHarness harness;
    LoadOneCategory(harness);
    // Thai has no code page 936 form.
    const std::wstring folder = LocalToWide(harness.RunDir()) + L"\\\u0e01\u0e02";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring target = folder + L"\\tool.exe";
    {
        FileHandle file(CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                                    nullptr));
        ASSERT_TRUE(file);
    }
    ComScope com;
    ComPtr<IShellLinkW> shellLink;
    ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                           IID_IShellLinkW, shellLink.put_void())));
    shellLink->SetPath(target.c_str());
    ComPtr<IPersistFile> file;
    ASSERT_TRUE(SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, file.put_void())));
    const std::string link = harness.RunDir() + "\\tool.lnk";
    ASSERT_TRUE(SUCCEEDED(file->Save(LocalToWide(link).c_str(), TRUE)));

    harness.board().AddEntry(link);
    const auto entries = EntriesOf(harness.board());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Address, link);
    EXPECT_EQ(entries[0].Command, "");
}

TEST(AddEntryShortcut, AChineseTargetIsStoredOrTheShortcutKept) {
    BoardHarness harness;
    LoadOneCategory(harness);
    const std::string target = harness.RunDir() + "\\程序\\editor.exe";
    PutFile(target, "MZ");
    const std::string link = harness.RunDir() + "\\编辑器.lnk";
    ASSERT_TRUE(MakeShortcut(link, target, ""));
    harness.board().AddEntry(link);
    const auto entries = EntriesOf(harness.board());
    ASSERT_EQ(entries.size(), 1u);
    // A shortcut written in a code page without these characters stores
    // only a damaged path; the shortcut itself is kept then.
    EXPECT_TRUE(entries[0].Address == target || entries[0].Address == link) << entries[0].Address;
}

TEST(AddEntryShortcut, AMissingOrBrokenShortcutKeepsItsOwnPath) {
    BoardHarness harness;
    LoadOneCategory(harness);
    const std::string broken = harness.RunDir() + "\\broken.lnk";
    PutFile(broken, std::string(200, 'x'));
    harness.board().AddEntry(broken);
    harness.board().AddEntry(harness.RunDir() + "\\missing.lnk");
    const auto entries = EntriesOf(harness.board());
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].Address, broken);
    EXPECT_EQ(entries[1].Address, harness.RunDir() + "\\missing.lnk");
}

}  // namespace
}  // namespace orv::testing
