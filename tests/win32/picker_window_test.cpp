// The special-place picker, opened modally: its tiles, adding places while
// it stays open, its close button, and the menu that opened it.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "board/system_item_picker.h"
#include "core/text_rules.h"
#include "menus_board_fixture.h"
#include "shell/globals.h"

namespace orv::testing {

namespace {

// Runs a step inside the picker's modal loop: a timer of the UI thread fires
// while ShowModal dispatches messages.
std::function<void()> pendingStep;

void CALLBACK RunPendingStep(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto step = std::move(pendingStep);
    pendingStep = nullptr;
    if (step) step();
}

void WhileModal(std::function<void()> step) {
    pendingStep = std::move(step);
    SetTimer(nullptr, 0, 50, RunPendingStep);
}

void Click(ui::Control& control) {
    SendMessageW(control.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(control.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

std::vector<ui::Control*> PickerTiles() {
    std::vector<ui::Control*> tiles;
    if (!SystemItemWindow) return tiles;
    for (ui::Control* c : SystemItemWindow->Controls()) {
        if (c->Name() == "SystemItemTile" && c->Visible()) tiles.push_back(c);
    }
    return tiles;
}

ui::Control* PickerTile(std::string_view caption) {
    for (ui::Control* c : PickerTiles()) {
        if (c->Caption() == caption) return c;
    }
    return nullptr;
}

void ClosePicker() {
    if (SystemItemWindow) {
        if (ui::Control* close = SystemItemWindow->Find("SystemCloseButton")) Click(*close);
    }
}

using PickerTest = BoardWindowTest;

}  // namespace

TEST_F(PickerTest, ShowsTheSixPlacesFiveInTheFirstRow) {
    std::vector<std::string> captions;
    std::vector<Rect> places;
    Rect bounds;
    WhileModal([&] {
        for (ui::Control* c : PickerTiles()) {
            captions.push_back(c->Caption());
            places.push_back(c->Place());
        }
        bounds = SystemItemWindow->Bounds();
        ClosePicker();
    });
    OpenSystemItemPicker();

    EXPECT_EQ(captions, (std::vector<std::string>{"我的电脑", "控制面板", "回收站", "网络连接",
                                                  "打印机", "电脑工具"}));
    const std::vector<Rect> expected = {{6, 25, 75, 80},   {81, 25, 75, 80},  {156, 25, 75, 80},
                                        {231, 25, 75, 80}, {306, 25, 75, 80}, {6, 105, 75, 80}};
    EXPECT_EQ(places, expected);
    const Size screen = ui::ScreenSize();
    EXPECT_EQ(bounds.width, 385);
    EXPECT_EQ(bounds.height, 536);
    EXPECT_NEAR(bounds.left, (screen.width - 385) / 2, 1);
    EXPECT_NEAR(bounds.top, (screen.height - 536) / 2, 1);
    EXPECT_FALSE(SystemItemPickerOpen());
}

TEST_F(PickerTest, EachClickAddsThePlaceAndThePickerStaysOpen) {
    bool openAfterClicks = false;
    WhileModal([&] {
        if (ui::Control* bin = PickerTile("回收站")) {
            Click(*bin);
            Click(*bin);
        }
        openAfterClicks = SystemItemPickerOpen();
        ClosePicker();
    });
    OpenSystemItemPicker();
    EXPECT_TRUE(openAfterClicks);
    const auto names = EntryNames(1);
    ASSERT_EQ(names.size(), 9u);
    const auto categories = GlobalBoard->SnapshotCategories();
    EXPECT_EQ(categories[0].Entries[7].Address, "回收站");
    EXPECT_EQ(categories[0].Entries[8].Address, "回收站");
}

TEST_F(PickerTest, OpenedFromAMenuItKeepsTheMenuUntilItIsClosed) {
    SetCursorPos(800, 400);
    OpenPopupMenu(BoardMenu);
    ASSERT_TRUE(MenuWindow);
    bool menuWhilePicking = false;
    int menuOpenWhilePicking = 0;
    WhileModal([&] {
        menuWhilePicking = MenuWindow && MenuWindow->Alive() && SystemItemPickerOpen();
        menuOpenWhilePicking = MenuOpen;
        ClosePicker();
    });
    for (ui::Control* c : MenuWindow->Controls()) {
        if (c->Visible() && RemoveSpaces(c->Caption()) == "添加程序") Click(*c);
    }
    ui::ProcessPendingMessages();
    EXPECT_TRUE(menuWhilePicking);
    EXPECT_EQ(menuOpenWhilePicking, 1);
    EXPECT_FALSE(MenuWindow);
    EXPECT_EQ(MenuOpen, 0);
    EXPECT_FALSE(SystemItemPickerOpen());
}

}  // namespace orv::testing
