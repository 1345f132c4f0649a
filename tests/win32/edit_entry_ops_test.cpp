// Renaming, deleting, moving and dragging the tiles of a real main window.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/tile_drag.h"
#include "menus_board_fixture.h"
#include "shell/globals.h"

namespace orv::testing {

namespace {

using Names = std::vector<std::string>;

class EditEntryTest : public BoardWindowTest {
protected:
    ui::Control& RenameEdit() { return *MainWindow->Find("TileRenameEdit"); }

    // The screen point at the middle of grid cell c (from 0).
    Point CellCentre(int cell) {
        const int columns = MainWindow->Width() / 75;
        return {MainWindow->Left() + 6 + (cell % columns) * 75 + 37,
                MainWindow->Top() + 65 + (cell / columns) * 80 + 40};
    }

    ui::Event TileEvent(ui::EventKind kind, int index) {
        ui::Event e;
        e.kind = kind;
        e.window = MainWindow.get();
        e.control = TileClone(index);
        e.name = "TileButton";
        return e;
    }

    // Wine learns of a moved pointer through the X server, and an earlier
    // move may still come back from it: wait until the position holds.
    static void PointerTo(Point p) {
        SetCursorPos(p.x, p.y);
        int steady = 0;
        for (int i = 0; i < 100 && steady < 3; ++i) {
            ui::ProcessPendingMessages();
            Sleep(10);
            POINT now{};
            GetCursorPos(&now);
            steady = (now.x == p.x && now.y == p.y) ? steady + 1 : 0;
        }
    }

    // The pointer goes to each point in turn; the pressed tile's handlers
    // see every move (the mouse is captured for the press).
    void DragTile(int index, const std::vector<Point>& path) {
        const Point start = CellCentre(index - 1);
        PointerTo(start);
        OnTileLeftDown(TileEvent(ui::EventKind::LeftDown, index));
        for (const Point p : path) {
            PointerTo(p);
            OnTileMouseMove(TileEvent(ui::EventKind::MouseMove, index));
        }
        OnTileLeftUp(TileEvent(ui::EventKind::LeftUp, index));
    }

    bool MarkerVisible() { return MainWindow->Find("DropMarker")->Visible(); }
};

}  // namespace

TEST_F(EditEntryTest, DeleteRemovesTheEntryAndSaves) {
    GlobalBoard->DeleteEntry(7);
    EXPECT_EQ(EntryNames(1), (Names{"A", "B", "C", "D", "E", "F"}));
    EXPECT_EQ(ConfigText().find("\"G\""), std::string::npos);
    EXPECT_EQ(TileClone(7)->Visible(), false);
}

TEST_F(EditEntryTest, DeleteWithAStaleIndexChangesNothing) {
    for (int index : {0, -1, 8, 100}) {
        GlobalBoard->DeleteEntry(index);
        EXPECT_EQ(EntryNames(1).size(), 7u) << index;
    }
}

TEST_F(EditEntryTest, BeginRenameShowsTheBoxOverTheTileWithItsNameSelected) {
    GlobalBoard->BeginEntryRename(2);
    ui::Control& edit = RenameEdit();
    const Rect tile = TileClone(2)->Place();
    EXPECT_TRUE(edit.Visible());
    EXPECT_EQ(edit.Place().left, tile.left);
    EXPECT_EQ(edit.Place().top, tile.top + 45);
    EXPECT_EQ(edit.Caption(), "B");
    EXPECT_EQ(edit.Tag(), "2");
    EXPECT_EQ(GetFocus(), edit.Handle());
    DWORD from = 99, to = 0;
    SendMessageW(edit.Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                 reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 0u);
    EXPECT_EQ(to, 1u);
}

TEST_F(EditEntryTest, BeginRenameOfAMissingEntryShowsNothing) {
    GlobalBoard->BeginEntryRename(8);
    EXPECT_FALSE(RenameEdit().Visible());
}

TEST_F(EditEntryTest, CommitRenameKeepsLongNamesWholeAndDiscardsEmptyOnes) {
    struct Case {
        std::string typed;
        std::string expected;
    };
    const Case cases[] = {
        {"新名字", "新名字"},
        {"一个比六个字长得多的名字", "一个比六个字长得多的名字"},
        {"", "一个比六个字长得多的名字"},
    };
    for (const auto& c : cases) {
        GlobalBoard->BeginEntryRename(4);
        RenameEdit().SetCaption(c.typed);
        GlobalBoard->CommitEntryRename();
        EXPECT_EQ(EntryNames(1)[3], c.expected) << c.typed;
        EXPECT_FALSE(RenameEdit().Visible());
        EXPECT_EQ(RenameEdit().Tag(), "");
    }
    EXPECT_NE(ConfigText().find("一个比六个字长得多的名字"), std::string::npos);
}

TEST_F(EditEntryTest, CancelRenameKeepsTheNameAndASecondCommitDoesNothing) {
    GlobalBoard->BeginEntryRename(1);
    RenameEdit().SetCaption("X");
    GlobalBoard->CancelEntryRename();
    EXPECT_FALSE(RenameEdit().Visible());
    GlobalBoard->CommitEntryRename();
    EXPECT_EQ(EntryNames(1)[0], "A");
}

TEST_F(EditEntryTest, MoveWithinTheCategoryLandsBeforeTheEntryOfTheTargetCell) {
    struct Case {
        int index;
        int key;
        Names expected;
    };
    const Case cases[] = {
        {5, 101, {"A", "E", "B", "C", "D", "F", "G"}},   // E onto B's cell
        {2, 301, {"A", "C", "B", "D", "E", "F", "G"}},   // B onto D's cell
        {2, 1001, {"A", "C", "D", "E", "F", "G", "B"}},  // B onto an empty cell
        {8, 101, {"A", "B", "C", "D", "E", "F", "G"}},   // stale index
    };
    for (const auto& c : cases) {
        TearDown();
        StartBoard(BoardConfig());
        GlobalBoard->MoveEntry(1, c.index, c.key);
        EXPECT_EQ(EntryNames(1), c.expected) << c.index << " " << c.key;
    }
}

TEST_F(EditEntryTest, MoveIntoAnotherCategoryLandsWhereItWasDropped) {
    GlobalBoard->SelectCategory(3);
    GlobalBoard->MoveEntry(1, 5, 101);
    EXPECT_EQ(EntryNames(3), (Names{"P", "E", "Q", "R", "S", "U"}));
    EXPECT_EQ(EntryNames(1), (Names{"A", "B", "C", "D", "F", "G"}));
}

TEST_F(EditEntryTest, MoveFromAMissingCategoryChangesNothing) {
    GlobalBoard->MoveEntry(4, 1, 101);
    GlobalBoard->MoveEntry(2, 3, 101);
    EXPECT_EQ(EntryNames(2), (Names{"T1", "T2"}));
}

TEST_F(EditEntryTest, DraggingATileOntoAnotherCellMovesItThere) {
    DragTile(5, {CellCentre(3), CellCentre(2), CellCentre(1)});
    EXPECT_EQ(EntryNames(1), (Names{"A", "E", "B", "C", "D", "F", "G"}));
    EXPECT_FALSE(TileClickIsLaunch());
    EXPECT_FALSE(MarkerVisible());
    EXPECT_EQ(DragState->Dragging, 0);
}

TEST_F(EditEntryTest, APressAndReleaseInPlaceIsAClickAndKeepsTheOrder) {
    const Point start = CellCentre(4);
    // a tremble inside the system's drag rectangle is no drag
    DragTile(5, {{start.x + 1, start.y - 1}, start});
    EXPECT_EQ(EntryNames(1), (Names{"A", "B", "C", "D", "E", "F", "G"}));
    EXPECT_TRUE(TileClickIsLaunch());
    EXPECT_FALSE(MarkerVisible());
}

TEST_F(EditEntryTest, TheMarkerShowsOnThePressedCellAndFollowsThePointer) {
    const Point start = CellCentre(4);
    PointerTo(start);
    OnTileLeftDown(TileEvent(ui::EventKind::LeftDown, 5));
    ui::Control* marker = MainWindow->Find("DropMarker");
    EXPECT_TRUE(marker->Visible());
    EXPECT_EQ(marker->Place().left, 4 * 75 + 6);
    const Point target = CellCentre(2);
    PointerTo(target);
    OnTileMouseMove(TileEvent(ui::EventKind::MouseMove, 5));
    EXPECT_EQ(marker->Place().left, 2 * 75 + 6);
    EXPECT_EQ(DragState->TargetIndex, 2);
    OnTileLeftUp(TileEvent(ui::EventKind::LeftUp, 5));
    EXPECT_FALSE(marker->Visible());
}

TEST_F(EditEntryTest, DraggingAcrossTheMiddleOfACategoryButtonMovesIntoThatCategory) {
    const int gridLeft = MainWindow->Left() + 6;
    const int gridTop = MainWindow->Top() + 65;
    const Point overThird{gridLeft + 2 * 90 + 45, gridTop - 25};
    DragTile(5, {CellCentre(4), {overThird.x, gridTop + 10}, overThird, CellCentre(1)});
    EXPECT_EQ(GlobalBoard->GetCurrentCategory(), 3);
    EXPECT_EQ(EntryNames(3), (Names{"P", "E", "Q", "R", "S", "U"}));
    EXPECT_EQ(EntryNames(1), (Names{"A", "B", "C", "D", "F", "G"}));
}

}  // namespace orv::testing
