#include "core/grid_layout.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using orv::DragTarget;
using orv::Point;
using orv::Size;

TEST(TileColumns, IsTheWidthDividedBy75) {
    EXPECT_EQ(orv::TileColumns(981), 13);
    EXPECT_EQ(orv::TileColumns(979), 13);
    EXPECT_EQ(orv::TileColumns(1000), 13);
    EXPECT_EQ(orv::TileColumns(1050), 14);
    EXPECT_EQ(orv::TileColumns(234), 3);
}

TEST(TileSlot, LaysTilesOutLeftToRightThenTopToBottom) {
    struct Case {
        int tile;  // 1-based clone
        int columns;
        Point expected;
    };
    const Case cases[] = {
        {1, 13, {6, 65}},    {2, 13, {81, 65}},   {13, 13, {906, 65}},  {14, 13, {6, 145}},
        {27, 13, {6, 225}},  {14, 14, {981, 65}}, {15, 14, {6, 145}},   {100, 13, {6 + 8 * 75, 65 + 7 * 80}},
        {4, 3, {6, 145}},
    };
    for (const Case& c : cases) EXPECT_EQ(orv::TileSlot(c.tile - 1, c.columns), c.expected) << c.tile;
    // The 13th column of a 981-pixel window ends exactly at its edge.
    EXPECT_EQ(orv::TileSlot(12, 13).x + orv::kTileWidth, 981);
}

TEST(TileSlot, AGridWithoutColumnsIsOneColumnWide) {
    EXPECT_EQ(orv::TileSlot(2, 0), (Point{6, 225}));
    EXPECT_EQ(orv::TileSlot(2, -5), (Point{6, 225}));
    EXPECT_EQ(orv::TileSlot(INT_MAX, 1), (Point{6, INT_MAX}));
}

TEST(CategoryBar, ButtonsTouchAndRenameBoxesCoverTheirMiddle) {
    const int lefts[] = {5, 95, 185, 275, 365, 455, 545, 635, 725, 815};
    for (int i = 1; i <= 10; ++i) {
        EXPECT_EQ(orv::CategoryButtonLeft(i), lefts[i - 1]);
        EXPECT_EQ(orv::CategoryRenameLeft(i), lefts[i - 1] + 5);
    }
    EXPECT_EQ(orv::CategoryButtonLeft(10) + orv::kCategoryButtonWidth, 905);
    EXPECT_EQ(orv::CategoryButtonLeft(INT_MIN), INT_MIN);
}

// A 981 x 678 window at (100, 200): grid origin (106, 265), 13 columns.
constexpr Point kOrigin{106, 265};
constexpr Size kWindow{981, 678};

TEST(DragTargetAt, GivesTheCellUnderThePointer) {
    struct Case {
        const char* what;
        Point pointer;
        DragTarget expected;
    };
    const Case cases[] = {
        {"first cell", {106, 265}, {0, 0}},
        {"inside the first cell", {180, 344}, {0, 0}},
        {"second cell", {181, 265}, {1, 0}},
        {"second row", {106, 345}, {13, 0}},
        {"B's cell", {106 + 75 + 30, 300}, {1, 0}},
        {"D's cell", {106 + 3 * 75 + 30, 300}, {3, 0}},
        {"cell 10", {106 + 10 * 75 + 30, 300}, {10, 0}},
        {"left of the grid is clamped to its left", {0, 300}, {0, 0}},
        {"right of the window is clamped to its width", {5000, 300}, {13, 0}},
        {"below the window is clamped to its height", {106, 5000}, {8 * 13, 0}},
        // the band over the category buttons: 21 to 29 pixels above the grid
        {"20 above the grid: not in the band", {106, 245}, {0, 0}},
        {"21 above the grid: in the band", {106, 244}, {0, 1}},
        {"29 above the grid: in the band", {106, 236}, {0, 1}},
        {"30 above the grid: not in the band", {106, 235}, {0, 0}},
        {"band over the third button", {106 + 2 * 90 + 10, 240}, {2, 3}},
        {"band left of the grid: first button", {0, 240}, {0, 1}},
        {"far above the grid: first row", {400, 0}, {3, 0}},
    };
    for (const Case& c : cases) {
        const DragTarget t = orv::DragTargetAt(c.pointer, kOrigin, kWindow, 13);
        EXPECT_EQ(t.cell, c.expected.cell) << c.what;
        EXPECT_EQ(t.category, c.expected.category) << c.what;
    }
}

TEST(DropKey, PutsTheEntryBeforeTheOneInTheTargetCell) {
    // E dropped onto B's cell, B onto D's cell, B onto empty cell 10
    EXPECT_EQ(orv::DropKey(1), 101);
    EXPECT_EQ(orv::DropKey(3), 301);
    EXPECT_EQ(orv::DropKey(10), 1001);
    EXPECT_EQ(orv::DropKey(0), 1);
    EXPECT_EQ(orv::DropKey(INT_MAX), INT_MAX);
    EXPECT_EQ(orv::DropKey(INT_MIN), INT_MIN);
}

TEST(DragTargetAt, ExtremeValuesStayInTheIntRange) {
    const int values[] = {INT_MIN, -1, 0, 1, INT_MAX};
    for (int a : values) {
        for (int b : values) {
            const DragTarget t = orv::DragTargetAt({a, b}, {b, a}, {a, b}, a);
            EXPECT_GE(t.cell, 0);
            EXPECT_GE(t.category, 0);
        }
    }
}

}  // namespace
