// Saving the board: the exact bytes of the program's layout, when the file
// is written and when not, and that nothing the file holds is lost.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board_test_support.h"
#include "model/text.h"
#include "toolkit/handles.h"

namespace orv::testing {
namespace {

constexpr char kMarker[] = "not written since";

const std::string kFourteenLines =
    "{\r\n"
    "\"width\":981,\r\n"
    "\"height\":678,\r\n"
    "\"left\":50,\r\n"
    "\"crown\":50,\r\n"
    "\"startup\":false,\r\n"
    "\"navigation\":[{\r\n"
    "\"name\":\"我的电脑\",\r\n"
    "\"file\":[{\r\n"
    "\"name\":\"回收站\",\r\n"
    "\"address\":\"回收站\",\r\n"
    "\"icon\":\"\",\r\n"
    "\"command\":\"\",\r\n"
    "\"root_privilege\":false}]}]}";

const std::string kSixteenLines =
    "{\r\n"
    "\"width\":500,\r\n"
    "\"height\":400,\r\n"
    "\"left\":100,\r\n"
    "\"crown\":50,\r\n"
    "\"startup\":false,\r\n"
    "\"navigation\":[{\r\n"
    "\"name\":\"我的电脑\",\r\n"
    "\"file\":[{\r\n"
    "\"name\":\"回收站\",\r\n"
    "\"address\":\"回收站\",\r\n"
    "\"icon\":\"\",\r\n"
    "\"command\":\"\",\r\n"
    "\"root_privilege\":false}]},{\r\n"
    "\"name\":\"新建分组\",\r\n"
    "\"file\":[]}]}";

int CountLines(const std::string& text) {
    int lines = 1;
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) {
        ++lines;
    }
    return lines;
}

// Renames category i through the edit box, as the user does.
void RenameCategory(BoardHarness& harness, int i, const std::string& name) {
    harness.board().BeginCategoryRename(i);
    harness.Control("CategoryRenameEdit").SetCaption(name);
    harness.board().CommitCategoryRename();
}

TEST(ConfigSaveLayout, OneCategoryWithOneEntryIsFourteenLines) {
    BoardHarness harness;
    harness.WriteConfig(
        "{\"width\":981,\"height\":678,\"left\":50,\"crown\":50,\"startup\":false,\"navigation\":"
        "[{\"name\":\"我的电脑\",\"file\":[{\"name\":\"回收站\",\"address\":\"回收站\"}]}]}");
    harness.Load();
    EXPECT_EQ(harness.ReadConfig(), kFourteenLines);
    EXPECT_EQ(CountLines(kFourteenLines), 14);
}

TEST(ConfigSaveLayout, TwoCategoriesAsInTheWritersExample) {
    BoardHarness harness;
    harness.WriteConfig(kSixteenLines);
    harness.Load();
    EXPECT_EQ(harness.ReadConfig(), kSixteenLines);
    EXPECT_EQ(CountLines(kSixteenLines), 16);
}

TEST(ConfigSaveLayout, StartupIsWrittenAsTrue) {
    BoardHarness harness;
    harness.WriteConfig("{\"startup\":true,\"navigation\":[]}");
    harness.Load();
    EXPECT_EQ(harness.ReadConfig(), ProgramLayout(234, 151, 0, 0, true, {}));
}

TEST(ConfigSaveLayout, NamesWithTheLayoutsPunctuationRoundTrip) {
    const std::vector<TextCategory> board = {
        {"尾逗号,", {{"开括号{", "C:\\a,b{c}}d.exe", "", " -x,"}}},
        {"两个}}括号", {{"}}", "{", ",", "\"q\""}}},
    };
    BoardHarness first;
    first.WriteConfig(ProgramLayout(500, 400, 0, 0, false, board));
    first.Load();
    const std::string saved = first.ReadConfig();

    BoardHarness second;
    second.WriteConfig(saved);
    second.Load();
    const auto categories = second.board().SnapshotCategories();
    ASSERT_EQ(categories.size(), 2u);
    EXPECT_EQ(categories[0].Name, "尾逗号,");
    EXPECT_EQ(categories[1].Name, "两个}}括号");
    ASSERT_EQ(categories[0].Entries.size(), 1u);
    EXPECT_EQ(categories[0].Entries[0].Name, "开括号{");
    EXPECT_EQ(categories[0].Entries[0].Address, "C:\\a,b{c}}d.exe");
    EXPECT_EQ(categories[0].Entries[0].Command, " -x,");
    ASSERT_EQ(categories[1].Entries.size(), 1u);
    EXPECT_EQ(categories[1].Entries[0].Name, "}}");
    EXPECT_EQ(categories[1].Entries[0].Address, "{");
    EXPECT_EQ(categories[1].Entries[0].Icon, ",");
    EXPECT_EQ(categories[1].Entries[0].Command, "\"q\"");
    EXPECT_EQ(second.ReadConfig(), saved);
}

TEST(ConfigSaveWhen, NothingBeforeLoading) {
    BoardHarness harness;
    harness.board().Save();
    EXPECT_FALSE(FileThere(harness.ConfigPath()));
}

TEST(ConfigSaveWhen, TheFirstSaveAfterLoadingWritesEvenTheSameText) {
    BoardHarness harness;
    harness.WriteConfig(kSixteenLines);
    {
        // An old time stamp shows whether the file was written again.
        FileHandle file(CreateFileW(LocalToWide(harness.ConfigPath()).c_str(), FILE_WRITE_ATTRIBUTES,
                                    0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(file);
        SYSTEMTIME old{2001, 1, 1, 1, 0, 0, 0, 0};
        FILETIME oldTime{};
        SystemTimeToFileTime(&old, &oldTime);
        ASSERT_TRUE(SetFileTime(file.get(), nullptr, nullptr, &oldTime));
    }
    harness.Load();
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExW(LocalToWide(harness.ConfigPath()).c_str(),
                                     GetFileExInfoStandard, &data));
    SYSTEMTIME written{};
    FileTimeToSystemTime(&data.ftLastWriteTime, &written);
    EXPECT_GT(written.wYear, 2001);
    EXPECT_EQ(harness.ReadConfig(), kSixteenLines);
}

TEST(ConfigSaveWhen, TwoSavesWithNothingChangedWriteOnce) {
    BoardHarness harness;
    harness.Load();
    harness.WriteConfig(kMarker);
    harness.board().Save();
    harness.board().SelectCategory(1);
    EXPECT_EQ(harness.ReadConfig(), kMarker);
}

TEST(ConfigSaveWhen, RenameAndRenameBackWriteTwice) {
    BoardHarness harness;
    harness.WriteConfig(kSixteenLines);
    harness.Load();
    RenameCategory(harness, 2, "游戏");
    const std::string renamed = harness.ReadConfig();
    EXPECT_NE(renamed.find("\"name\":\"游戏\""), std::string::npos);
    harness.WriteConfig(kMarker);
    RenameCategory(harness, 2, "新建分组");
    EXPECT_EQ(harness.ReadConfig(), kSixteenLines);
}

TEST(ConfigSaveWhen, BuildingTilePicturesAloneWritesNothing) {
    BoardHarness harness;
    harness.WriteConfig(kSixteenLines);
    harness.Load();
    harness.WriteConfig(kMarker);
    harness.board().SelectCategory(2);
    harness.board().SelectCategory(1);  // pictures of category 1 already built
    EXPECT_EQ(harness.ReadConfig(), kMarker);
    EXPECT_FALSE(harness.board().SnapshotCategories()[0].Entries[0].Image.empty());
}

TEST(ConfigSaveWhen, AFailedWriteIsTriedAgainByTheNextSave) {
    BoardHarness harness;
    harness.WriteConfig(kSixteenLines);
    harness.Load();
    // Another program holds the file: it cannot be replaced meanwhile.
    FileHandle held(CreateFileW(LocalToWide(harness.ConfigPath()).c_str(), GENERIC_READ, 0,
                                nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    RenameCategory(harness, 2, "游戏");
    held.reset();
    EXPECT_EQ(harness.ReadConfig(), kSixteenLines) << "the held file was not replaced";
    harness.board().Save();  // nothing changed since, but the text never reached the disk
    EXPECT_NE(harness.ReadConfig().find("\"name\":\"游戏\""), std::string::npos);
}

TEST(ConfigSaveWhen, SizingWritesOnceAtTheEndOfTheDrag) {
    BoardHarness harness;
    harness.Load();
    harness.WriteConfig(kMarker);
    harness.board().BeginSizeMove();
    harness.window().SetSize(600, 300);
    harness.window().SetSize(700, 350);
    EXPECT_EQ(harness.ReadConfig(), kMarker);
    harness.board().EndSizeMove();
    EXPECT_EQ(harness.ReadConfig(), ProgramLayout(700, 350, 0, 0, false, {{"我的电脑", {}}}));
}

TEST(ConfigSaveWhen, EndOfSessionWritesAPendingSave) {
    BoardHarness harness;
    harness.Load();
    harness.WriteConfig(kMarker);
    harness.board().BeginSizeMove();
    harness.window().SetSize(640, 320);
    harness.board().FlushPendingSave();
    EXPECT_EQ(harness.ReadConfig(), ProgramLayout(640, 320, 0, 0, false, {{"我的电脑", {}}}));
}

TEST(ConfigSaveWhen, EndOfSessionWithNothingPendingWritesNothing) {
    BoardHarness harness;
    harness.Load();
    harness.WriteConfig(kMarker);
    harness.board().FlushPendingSave();
    EXPECT_EQ(harness.ReadConfig(), kMarker);
}

TEST(ConfigSaveLarge, MoreThanCanBeShownIsLoadedAndSavedCompletely) {
    std::vector<TextCategory> board;
    for (int c = 1; c <= 20; ++c) {
        TextCategory category{Join("分组", std::to_string(c)), {}};
        for (int e = 1; e <= 150; ++e) {
            const std::string n = std::to_string(c) + Join("-", std::to_string(e));
            category.entries.push_back({Join("项", n), Join("C:\\files\\", n) + ".txt"});
        }
        board.push_back(std::move(category));
    }
    const std::string text = ProgramLayout(981, 678, 10, 20, false, board);
    BoardHarness harness;
    harness.WriteConfig(text);
    harness.Load();
    EXPECT_EQ(harness.board().GetCategoryCount(), 20);
    EXPECT_EQ(harness.board().GetEntryCount(20), 150);
    EXPECT_EQ(harness.ReadConfig(), text);

    // A change shows the rest was kept: all of it is written again.
    RenameCategory(harness, 1, "改名");
    board[0].name = "改名";
    EXPECT_EQ(harness.ReadConfig(), ProgramLayout(981, 678, 10, 20, false, board));
    EXPECT_TRUE(harness.CategoryButton(10).Visible());
    EXPECT_TRUE(harness.Tile(100).Visible());
    EXPECT_EQ(harness.Tile(100).Caption(), "项1-100");
}

}  // namespace
}  // namespace orv::testing
