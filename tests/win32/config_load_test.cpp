// Loading the configuration file: what each kind of file gives in memory,
// what is on disk afterwards and where the old bytes went.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "board_test_support.h"
#include "model/text.h"
#include "toolkit/handles.h"

namespace orv::testing {
namespace {

// The names of the categories and, per category, of its entries.
std::vector<std::string> Summary(Board& board) {
    std::vector<std::string> lines;
    for (const Category& category : board.SnapshotCategories()) {
        std::string line = category.Name + ":";
        for (const Entry& entry : category.Entries) line += " " + entry.Name;
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> BadFiles(const BoardHarness& harness) {
    std::vector<std::string> bad;
    for (const std::string& name : FilesIn(harness.RunDir() + "\\configure")) {
        if (name.ends_with(".bad")) bad.push_back(name);
    }
    return bad;
}

const std::string kDefaultText =
    "{\r\n    \"navigation\": [{\r\n        \"name\": \"我的电脑\",\r\n        \"file\": []\r\n"
    "    }],\r\n\t\"default_navigation\":0\r\n}";

const std::string kDefaultSaved =
    ProgramLayout(234, 151, 0, 0, false, {{"我的电脑", {}}});

struct LoadCase {
    const char* what;
    std::string file;                   // bytes on disk before the start
    std::vector<std::string> loaded;    // Summary() after loading
    std::string saved;                  // the file after loading
    bool keptAsBad;                     // the old bytes kept under a .bad name
};

class ConfigLoad : public ::testing::TestWithParam<LoadCase> {};

TEST_P(ConfigLoad, LoadsAndRewritesInTheProgramsLayout) {
    const LoadCase& c = GetParam();
    BoardHarness harness;
    harness.WriteConfig(c.file);
    harness.Load();
    EXPECT_EQ(Summary(harness.board()), c.loaded);
    EXPECT_EQ(harness.ReadConfig(), c.saved);
    const auto bad = BadFiles(harness);
    ASSERT_EQ(bad.size(), c.keptAsBad ? 1u : 0u);
    if (c.keptAsBad) {
        Bytes kept;
        ASSERT_TRUE(GetFile(harness.RunDir() + "\\configure\\" + bad[0], kept));
        EXPECT_EQ(ToString(kept), c.file);
    }
}

std::string Utf8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

constexpr std::u8string_view kUtf8Board =
    u8"{\"width\":500,\"height\":400,\"left\":100,\"crown\":50,\"navigation\":[{\"name\":"
    u8"\"工具\",\"file\":[{\"name\":\"记事本\",\"address\":\"C:\\\\notepad.exe\"}]}]}";

const std::string kOneEntry =
    ProgramLayout(500, 400, 100, 50, false, {{"工具", {{"记事本", "C:\\notepad.exe"}}}});

std::string CaseName(const ::testing::TestParamInfo<LoadCase>& row) {
    std::string name;
    for (const char* p = row.param.what; *p; ++p) {
        name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(
    Files, ConfigLoad,
    ::testing::Values(
        LoadCase{"empty object", "{}", {}, ProgramLayout(234, 151, 0, 0, false, {}), false},
        LoadCase{"too small", "{\"width\":100,\"height\":100,\"navigation\":[{\"name\":\"A\"}]}",
                 {"A:"}, ProgramLayout(234, 151, 0, 0, false, {{"A", {}}}), false},
        LoadCase{"entry with name and address only",
                 "{\"width\":500,\"height\":400,\"left\":100,\"crown\":50,\"navigation\":[{"
                 "\"name\":\"工具\",\"file\":[{\"name\":\"记事本\",\"address\":\"C:\\\\notepad.exe\"}]}]}",
                 {"工具: 记事本"}, kOneEntry, false},
        LoadCase{"unknown members at every level",
                 "{\"theme\":3,\"width\":500,\"height\":400,\"left\":100,\"crown\":50,"
                 "\"default_navigation\":0,\"navigation\":[{\"colour\":\"red\",\"name\":\"工具\","
                 "\"file\":[{\"name\":\"记事本\",\"hotkey\":[1,2],\"address\":\"C:\\\\notepad.exe\","
                 "\"icon\":\"\",\"command\":\"\",\"root_privilege\":false}]}]}",
                 {"工具: 记事本"}, kOneEntry, false},
        LoadCase{"own layout with a trailing line feed", kOneEntry + "\r\n", {"工具: 记事本"},
                 kOneEntry, false},
        LoadCase{"white space around the text", "\r\n  " + kOneEntry + " \t\r\n", {"工具: 记事本"},
                 kOneEntry, false},
        LoadCase{"UTF-8 with a byte-order mark", "\xEF\xBB\xBF" + Utf8(kUtf8Board), {"工具: 记事本"},
                 kOneEntry, false},
        LoadCase{"UTF-8 without a byte-order mark", Utf8(kUtf8Board), {"工具: 记事本"}, kOneEntry,
                 false},
        LoadCase{"not JSON", "this is not a board", {"我的电脑:"}, kDefaultSaved, true},
        LoadCase{"cut off", kOneEntry.substr(0, 60), {"我的电脑:"}, kDefaultSaved, true},
        LoadCase{"empty file", "", {"我的电脑:"}, kDefaultSaved, false},
        LoadCase{"white space only", " \r\n", {"我的电脑:"}, kDefaultSaved, true}),
    CaseName);

TEST(ConfigLoadFirstStart, CreatesTheFileAndRewritesItInTheProgramsLayout) {
    BoardHarness harness;
    harness.Load();
    EXPECT_EQ(Summary(harness.board()), std::vector<std::string>{"我的电脑:"});
    EXPECT_EQ(harness.ReadConfig(), kDefaultSaved);
    EXPECT_EQ(harness.window().Bounds(), (Rect{0, 0, 234, 151}));
    EXPECT_EQ(harness.board().GetCurrentCategory(), 1);
    EXPECT_TRUE(BadFiles(harness).empty());
}

TEST(ConfigLoadFirstStart, DefaultContentIsTheShippedText) {
    EXPECT_EQ(kDefaultText.size(), 109u);
    // A file holding exactly the default content loads as the first start does.
    BoardHarness harness;
    harness.WriteConfig(kDefaultText);
    harness.Load();
    EXPECT_EQ(Summary(harness.board()), std::vector<std::string>{"我的电脑:"});
    EXPECT_EQ(harness.ReadConfig(), kDefaultSaved);
}

TEST(ConfigLoadWindow, TakesPlaceAndSizeFromTheFile) {
    BoardHarness harness;
    harness.WriteConfig(kOneEntry);
    harness.Load();
    EXPECT_EQ(harness.window().Bounds(), (Rect{100, 50, 500, 400}));
    EXPECT_GE(harness.sizeChanges(), 1);
}

TEST(ConfigLoadEmptyBoard, NoCategoryIsCurrentAndNoTileShows) {
    BoardHarness harness;
    harness.WriteConfig("{}");
    harness.Load();
    EXPECT_EQ(harness.board().GetCategoryCount(), 0);
    EXPECT_EQ(harness.board().GetCurrentCategory(), 0);
    for (int i = 1; i <= 10; ++i) EXPECT_FALSE(harness.CategoryButton(i).Visible()) << i;
    for (int i = 1; i <= 100; ++i) EXPECT_FALSE(harness.Tile(i).Visible()) << i;
}

TEST(ConfigLoadKeys, CategoriesAndEntriesAreNumberedByHundreds) {
    BoardHarness harness;
    harness.WriteConfig(ProgramLayout(500, 400, 0, 0, false,
                                      {{"A", {{"a1", "x"}, {"a2", "y"}}}, {"B", {}}, {"C", {}}}));
    harness.Load();
    const auto categories = harness.board().SnapshotCategories();
    ASSERT_EQ(categories.size(), 3u);
    EXPECT_EQ(categories[0].SortKey, 100);
    EXPECT_EQ(categories[1].SortKey, 200);
    EXPECT_EQ(categories[2].SortKey, 300);
    EXPECT_EQ(categories[0].Entries[1].SortKey, 200);
    EXPECT_EQ(harness.board().GetCategoryCount(), 3);
    EXPECT_EQ(harness.board().GetEntryCount(1), 2);
    EXPECT_EQ(harness.board().GetEntryCount(4), 0);
}

TEST(ConfigLoadHeldFile, RunsWithTheDefaultAndWritesNothingUntilTheFileCanBeKept) {
    BoardHarness harness;
    harness.WriteConfig(kOneEntry);
    FileHandle held(CreateFileW(LocalToWide(harness.ConfigPath()).c_str(), GENERIC_READ, 0,
                                nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    harness.Load();
    EXPECT_EQ(Summary(harness.board()), std::vector<std::string>{"我的电脑:"});
    harness.board().AddCategory();  // a change that saves
    held.reset();
    EXPECT_EQ(harness.ReadConfig(), kOneEntry) << "nothing replaced the held file";
    EXPECT_TRUE(BadFiles(harness).empty());

    // Once it can be read, the next save keeps its bytes and then writes.
    harness.board().SelectCategory(2);
    const auto bad = BadFiles(harness);
    ASSERT_EQ(bad.size(), 1u);
    Bytes kept;
    ASSERT_TRUE(GetFile(harness.RunDir() + "\\configure\\" + bad[0], kept));
    EXPECT_EQ(ToString(kept), kOneEntry);
    EXPECT_NE(harness.ReadConfig(), kOneEntry);
}

TEST(ConfigLoadBackup, EachStartKeepsTheFileAsItWasLoaded) {
    BoardHarness harness;
    harness.WriteConfig(kOneEntry + "\n");
    harness.Load();
    const std::string folder = harness.RunDir() + "\\configure\\backup";
    const auto names = FilesIn(folder);
    ASSERT_EQ(names.size(), 1u);
    EXPECT_TRUE(names[0].starts_with("navigation-") && names[0].ends_with(".json")) << names[0];
    Bytes kept;
    ASSERT_TRUE(GetFile(folder + "\\" + names[0], kept));
    EXPECT_EQ(ToString(kept), kOneEntry + "\n");
}

TEST(ConfigLoadBackup, KeepsTheTenNewest) {
    BoardHarness harness;
    const std::string folder = harness.RunDir() + "\\configure\\backup";
    // Twelve older ones and this start's: the three oldest go.
    for (int i = 0; i < 12; ++i) {
        PutFile(folder + Join("\\navigation-2020010", std::to_string(i / 10)) + "-0000" +
                    std::to_string(i % 10) + ".json",
                "old");
        // Written one after another, so the file times order them too.
        Sleep(20);
    }
    harness.WriteConfig(kOneEntry);
    harness.Load();
    const auto names = FilesIn(folder);
    EXPECT_EQ(names.size(), 10u);
    EXPECT_EQ(std::count(names.begin(), names.end(), "navigation-20200100-00000.json"), 0);
    EXPECT_EQ(std::count(names.begin(), names.end(), "navigation-20200100-00001.json"), 0);
    EXPECT_EQ(std::count(names.begin(), names.end(), "navigation-20200100-00002.json"), 0);
    EXPECT_EQ(std::count(names.begin(), names.end(), "navigation-20200100-00003.json"), 1);
}

TEST(ConfigLoadNoBackup, AFirstStartHasNothingToKeep) {
    BoardHarness harness;
    harness.Load();
    EXPECT_TRUE(FilesIn(harness.RunDir() + "\\configure\\backup").empty());
}

}  // namespace
}  // namespace orv::testing
