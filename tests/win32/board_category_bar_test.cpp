// The category bar on a real main window: places, captions and colours of
// the buttons, selecting, adding, renaming and deleting categories.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board_test_support.h"

namespace orv::testing {
namespace {

constexpr char kMarker[] = "not written since";

std::string ThreeCategories() {
    return ProgramLayout(981, 678, 0, 0, false,
                         {{"A", {{"a1", "x1"}}}, {"B", {{"b1", "y1"}, {"b2", "y2"}}},
                          {"C", {{"c1", "z1"}, {"c2", "z2"}, {"c3", "z3"}}}});
}

std::vector<std::string> Names(Board& board) {
    std::vector<std::string> names;
    for (const Category& category : board.SnapshotCategories()) names.push_back(category.Name);
    return names;
}

TEST(CategoryBar, ThreeCategoriesWithTheSecondCurrent) {
    BoardHarness harness;
    harness.WriteConfig(ThreeCategories());
    harness.Load();
    harness.board().SelectCategory(2);
    const char* names[] = {"A", "B", "C"};
    for (int i = 1; i <= 3; ++i) {
        ui::Control& button = harness.CategoryButton(i);
        EXPECT_TRUE(button.Visible()) << i;
        EXPECT_EQ(button.Place(), (Rect{5 + (i - 1) * 90, 1, 90, 25})) << i;
        EXPECT_EQ(button.Caption(), names[i - 1]);
    }
    EXPECT_EQ(harness.CategoryButton(2).Colors().outside, kCurrentColor);
    EXPECT_EQ(harness.CategoryButton(2).Colors().over, kCurrentColor);
    for (int i : {1, 3}) {
        EXPECT_EQ(harness.CategoryButton(i).Colors().outside, kWindowColor) << i;
        EXPECT_EQ(harness.CategoryButton(i).Colors().over, kHoverCategoryColor) << i;
    }
    for (int i = 4; i <= 10; ++i) EXPECT_FALSE(harness.CategoryButton(i).Visible()) << i;
    const auto categories = harness.board().SnapshotCategories();
    EXPECT_EQ(categories[0].SortKey, 100);
    EXPECT_EQ(categories[1].SortKey, 200);
    EXPECT_EQ(categories[2].SortKey, 300);
    EXPECT_EQ(harness.CategoryButton(4).Tag(), "4");
}

TEST(CategoryBar, SelectingBeyondTheLastSelectsTheLast) {
    BoardHarness harness;
    harness.WriteConfig(ThreeCategories());
    harness.Load();
    harness.board().SelectCategory(7);
    EXPECT_EQ(harness.board().GetCurrentCategory(), 3);
    EXPECT_EQ(harness.Tile(3).Caption(), "c3");
}

TEST(CategoryBar, AddingAppendsANewCategoryWithoutSelectingIt) {
    BoardHarness harness;
    harness.WriteConfig(ProgramLayout(981, 678, 0, 0, false, {{"A", {}}, {"B", {}}}));
    harness.Load();
    EXPECT_EQ(harness.board().AddCategory(), 3);
    EXPECT_EQ(Names(harness.board()), (std::vector<std::string>{"A", "B", "新建分组"}));
    EXPECT_EQ(harness.board().SnapshotCategories()[2].SortKey, 300);
    EXPECT_TRUE(harness.CategoryButton(3).Visible());
    EXPECT_EQ(harness.CategoryButton(3).Caption(), "新建分组");
    EXPECT_EQ(harness.board().GetCurrentCategory(), 1);
    EXPECT_NE(harness.ReadConfig().find("新建分组"), std::string::npos);
}

TEST(CategoryBar, TheTenthCategoryIsTheLast) {
    std::vector<TextCategory> ten;
    for (int i = 1; i <= 10; ++i) ten.push_back({Join("G", std::to_string(i)), {}});
    BoardHarness harness;
    harness.WriteConfig(ProgramLayout(981, 678, 0, 0, false, ten));
    harness.Load();
    EXPECT_EQ(harness.board().AddCategory(), 10);
    EXPECT_EQ(harness.board().GetCategoryCount(), 10);
    EXPECT_EQ(harness.CategoryButton(10).Place().left, 815);
}

TEST(CategoryBar, AddingToAnEmptyBoardMakesTheNewCategoryCurrent) {
    BoardHarness harness;
    harness.WriteConfig("{}");
    harness.Load();
    EXPECT_EQ(harness.board().AddCategory(), 1);
    EXPECT_EQ(harness.board().GetCurrentCategory(), 1);
    EXPECT_EQ(harness.CategoryButton(1).Colors().outside, kCurrentColor);
}

TEST(CategoryBar, RenameBoxCoversTheButtonWithTheNameSelectedForTyping) {
    BoardHarness harness;
    harness.WriteConfig(ThreeCategories());
    harness.Load();
    harness.window().Show();
    harness.board().BeginCategoryRename(2);
    ui::Control& edit = harness.Control("CategoryRenameEdit");
    EXPECT_TRUE(edit.Visible());
    EXPECT_EQ(edit.Place(), (Rect{100, 3, 80, 20}));
    EXPECT_EQ(edit.Caption(), "B");
    EXPECT_EQ(edit.Tag(), "2");
    EXPECT_EQ(GetFocus(), edit.Handle());
    DWORD start = 99, end = 99;
    SendMessageW(edit.Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 1u);
}

TEST(CategoryBar, CommitTakesTheTypedNameOnce) {
    BoardHarness harness;
    harness.WriteConfig(ThreeCategories());
    harness.Load();
    harness.board().BeginCategoryRename(3);
    harness.Control("CategoryRenameEdit").SetCaption("工作");
    harness.board().CommitCategoryRename();
    EXPECT_EQ(Names(harness.board()), (std::vector<std::string>{"A", "B", "工作"}));
    EXPECT_EQ(harness.CategoryButton(3).Caption(), "工作");
    EXPECT_EQ(harness.CategoryButton(2).Caption(), "B");
    EXPECT_FALSE(harness.Control("CategoryRenameEdit").Visible());
    // The loss of focus after Enter finds the box hidden.
    harness.WriteConfig(kMarker);
    harness.board().CommitCategoryRename();
    EXPECT_EQ(harness.ReadConfig(), kMarker);
}

TEST(CategoryBar, AnEmptyNameChangesNothingAndSavesNothing) {
    BoardHarness harness;
    harness.WriteConfig(ThreeCategories());
    harness.Load();
    harness.WriteConfig(kMarker);
    harness.board().BeginCategoryRename(1);
    harness.Control("CategoryRenameEdit").SetCaption("");
    harness.board().CommitCategoryRename();
    EXPECT_EQ(Names(harness.board()), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(harness.ReadConfig(), kMarker);
}

TEST(CategoryBar, CancelLeavesTheNameAndHidesTheBox) {
    BoardHarness harness;
    harness.WriteConfig(ThreeCategories());
    harness.Load();
    harness.WriteConfig(kMarker);
    harness.board().BeginCategoryRename(1);
    harness.Control("CategoryRenameEdit").SetCaption("typed");
    harness.board().CancelCategoryRename();
    EXPECT_FALSE(harness.Control("CategoryRenameEdit").Visible());
    harness.board().CommitCategoryRename();
    EXPECT_EQ(Names(harness.board()), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(harness.ReadConfig(), kMarker);
}

TEST(CategoryBar, DeletingBeforeTheCurrentShowsTheOneThatMovedToItsNumber) {
    BoardHarness harness;
    harness.WriteConfig(ThreeCategories());
    harness.Load();
    harness.board().SelectCategory(2);
    harness.board().DeleteCategory(1);
    EXPECT_EQ(Names(harness.board()), (std::vector<std::string>{"B", "C"}));
    EXPECT_EQ(harness.board().GetCurrentCategory(), 2);
    EXPECT_EQ(harness.CategoryButton(2).Colors().outside, kCurrentColor);
    EXPECT_FALSE(harness.CategoryButton(3).Visible());
    EXPECT_EQ(harness.Tile(3).Caption(), "c3");
    EXPECT_TRUE(harness.Tile(3).Visible());
}

TEST(CategoryBar, DeletingTheCurrentLastCategorySelectsTheNewLast) {
    BoardHarness harness;
    harness.WriteConfig(ThreeCategories());
    harness.Load();
    harness.board().SelectCategory(3);
    harness.board().DeleteCategory(3);
    EXPECT_EQ(harness.board().GetCurrentCategory(), 2);
    EXPECT_EQ(harness.CategoryButton(2).Colors().outside, kCurrentColor);
    EXPECT_TRUE(harness.Tile(2).Visible());
    EXPECT_FALSE(harness.Tile(3).Visible()) << "no tile of the deleted category stays";
}

TEST(CategoryBar, DeletingTheOnlyCategoryLeavesAnEmptyGrid) {
    BoardHarness harness;
    harness.WriteConfig(ProgramLayout(981, 678, 0, 0, false, {{"A", {{"a1", "x"}, {"a2", "y"}}}}));
    harness.Load();
    harness.board().DeleteCategory(1);
    EXPECT_EQ(harness.board().GetCurrentCategory(), 0);
    EXPECT_FALSE(harness.Tile(1).Visible());
    EXPECT_FALSE(harness.Tile(2).Visible());
    harness.board().AddEntry("C:\\nothing.txt");
    EXPECT_EQ(harness.board().GetCategoryCount(), 0);
    EXPECT_EQ(harness.ReadConfig(), ProgramLayout(981, 678, 0, 0, false, {}));
}

TEST(CategoryBar, DeletingBeyondTheLastDoesNothing) {
    BoardHarness harness;
    harness.WriteConfig(ThreeCategories());
    harness.Load();
    harness.board().DeleteCategory(4);
    harness.board().DeleteCategory(0);
    EXPECT_EQ(Names(harness.board()), (std::vector<std::string>{"A", "B", "C"}));
}

}  // namespace
}  // namespace orv::testing
