// The tile grid on a real main window: columns for the width, the close
// button at the right edge, tiles filled, blanked in drag mode, pictures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board_test_support.h"

namespace orv::testing {
namespace {

constexpr char kMarker[] = "not written since";

std::string EntriesBoard(int width, std::vector<int> counts) {
    std::vector<TextCategory> board;
    for (size_t c = 0; c < counts.size(); ++c) {
        TextCategory category{Join("G", std::to_string(c + 1)), {}};
        for (int e = 1; e <= counts[c]; ++e) {
            const std::string n = std::to_string(c + 1) + Join("_", std::to_string(e));
            category.entries.push_back({Join("t", n), Join("C:\\missing\\", n) + ".txt"});
        }
        board.push_back(std::move(category));
    }
    return ProgramLayout(width, 400, 0, 0, false, board);
}

TEST(TileGrid, A981PixelWindowHasThirteenColumns) {
    BoardHarness harness;
    harness.WriteConfig(EntriesBoard(981, {20}));
    harness.Load();
    for (int i = 1; i <= 13; ++i) {
        EXPECT_EQ(harness.Tile(i).Place(), (Rect{6 + (i - 1) * 75, 65, 75, 80})) << i;
    }
    EXPECT_EQ(harness.Tile(14).Place(), (Rect{6, 145, 75, 80}));
    EXPECT_EQ(harness.Tile(100).Place(), (Rect{6 + 8 * 75, 65 + 7 * 80, 75, 80}));
    EXPECT_EQ(harness.Control("CloseButton").Place(), (Rect{961, 7, 20, 20}));
}

TEST(TileGrid, ASizeChangeBeforeTheTilesExistDoesNotKeepThemFromBeingPlaced) {
    // The real window raises its first size change while it is being built,
    // before loading has cloned any tile; a saved width of 981 then changes
    // nothing when the board is loaded.
    BoardHarness harness;
    harness.WriteConfig(EntriesBoard(981, {20}));
    harness.board().Relayout(981);
    harness.Load();
    EXPECT_EQ(harness.Tile(2).Place(), (Rect{81, 65, 75, 80}));
    EXPECT_EQ(harness.Tile(14).Place(), (Rect{6, 145, 75, 80}));
}

TEST(TileGrid, WideningWithinTheColumnsMovesNoTileButSaves) {
    BoardHarness harness;
    harness.WriteConfig(EntriesBoard(981, {20}));
    harness.Load();
    harness.Tile(14).Move(300, 300);  // moved only if the grid is laid out again
    harness.WriteConfig(kMarker);
    harness.window().SetSize(1000, 400);
    EXPECT_EQ(harness.Tile(14).Place().left, 300);
    EXPECT_EQ(harness.Control("CloseButton").Place().left, 980);
    EXPECT_EQ(harness.ReadConfig(), EntriesBoard(1000, {20}));
}

TEST(TileGrid, WideningTo1050GivesFourteenColumns) {
    BoardHarness harness;
    harness.WriteConfig(EntriesBoard(981, {20}));
    harness.Load();
    harness.window().SetSize(1050, 400);
    EXPECT_EQ(harness.Tile(14).Place(), (Rect{981, 65, 75, 80}));
    EXPECT_EQ(harness.Tile(15).Place(), (Rect{6, 145, 75, 80}));
    EXPECT_EQ(harness.Control("CloseButton").Place().left, 1030);
}

TEST(TileGrid, FiveEntriesShowFiveTiles) {
    BoardHarness harness;
    harness.WriteConfig(EntriesBoard(981, {5}));
    harness.Load();
    for (int i = 1; i <= 5; ++i) {
        EXPECT_TRUE(harness.Tile(i).Visible()) << i;
        EXPECT_EQ(harness.Tile(i).Caption(), Join("t1_", std::to_string(i)));
        EXPECT_TRUE(harness.Tile(i).HasPicture()) << i;
    }
    for (int i = 6; i <= 100; ++i) EXPECT_FALSE(harness.Tile(i).Visible()) << i;
    const auto entries = harness.board().SnapshotCategories()[0].Entries;
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(entries[i - 1].SortKey, i * 100);
}

TEST(TileGrid, DragModeBlanksTheRestInsteadOfHidingThem) {
    BoardHarness harness;
    harness.WriteConfig(EntriesBoard(981, {8, 5}));
    harness.Load();
    harness.board().SelectCategoryWhileDragging(2);
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(harness.Tile(i).Caption(), Join("t2_", std::to_string(i)));
    for (int i = 6; i <= 8; ++i) {
        EXPECT_TRUE(harness.Tile(i).Visible()) << i;
        EXPECT_EQ(harness.Tile(i).Caption(), "") << i;
        EXPECT_FALSE(harness.Tile(i).HasPicture()) << i;
    }
    EXPECT_FALSE(harness.Tile(9).Visible());
    harness.board().SelectCategory(2);
    EXPECT_FALSE(harness.Tile(6).Visible());
}

TEST(TileGrid, AMissingIconFileGivesAnEmptyPicture) {
    BoardHarness harness;
    harness.WriteConfig(ProgramLayout(981, 400, 0, 0, false,
                                      {{"G", {{"a", "C:\\x.txt", "C:\\no\\such.ico"}}}}));
    harness.Load();
    EXPECT_TRUE(harness.Tile(1).Visible());
    EXPECT_FALSE(harness.Tile(1).HasPicture());
    EXPECT_TRUE(harness.board().SnapshotCategories()[0].Entries[0].Image.empty());
}

TEST(TileGrid, AnIconFileIsReadOnce) {
    BoardHarness harness;
    // A 1 x 1 BMP: the picture comes from the file, not from the shell.
    const std::string bmp(
        "BM\x3a\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\x01\0\0\0\x01\0\0\0\x01\0\x18\0\0\0\0\0\x04\0\0\0"
        "\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\x10\x20\xF0\0",
        58);
    const std::string icon = harness.RunDir() + "\\pic.bmp";
    PutFile(icon, bmp);
    harness.WriteConfig(ProgramLayout(981, 400, 0, 0, false,
                                      {{"G", {{"a", "C:\\x.txt", icon}}}, {"H", {}}}));
    harness.Load();
    EXPECT_TRUE(harness.Tile(1).HasPicture());
    EXPECT_EQ(ToString(harness.board().SnapshotCategories()[0].Entries[0].Image), bmp);
    PutFile(icon, "changed");
    harness.board().SelectCategory(2);
    harness.board().SelectCategory(1);
    EXPECT_EQ(ToString(harness.board().SnapshotCategories()[0].Entries[0].Image), bmp);
}

TEST(TileGrid, EntriesAreShownInTheOrderOfTheirKeys) {
    BoardHarness harness;
    harness.WriteConfig(EntriesBoard(981, {3}));
    harness.Load();
    harness.board().MoveEntry(1, 1, 250);  // keys 250, 200, 300
    EXPECT_EQ(harness.Tile(1).Caption(), "t1_2");
    EXPECT_EQ(harness.Tile(2).Caption(), "t1_1");
    EXPECT_EQ(harness.Tile(3).Caption(), "t1_3");
    const auto entries = harness.board().SnapshotCategories()[0].Entries;
    EXPECT_EQ(entries[0].SortKey, 100);
    EXPECT_EQ(entries[1].SortKey, 200);
    EXPECT_EQ(entries[2].SortKey, 300);
}

TEST(TileGrid, NarrowWidthsStillLayOutInOneColumn) {
    BoardHarness harness;
    harness.WriteConfig(EntriesBoard(981, {3}));
    harness.Load();
    harness.board().Relayout(50);
    EXPECT_EQ(harness.Tile(2).Place(), (Rect{6, 145, 75, 80}));
}

}  // namespace
}  // namespace orv::testing
