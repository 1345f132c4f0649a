// The popup menus on a real main window: what each kind shows, where it
// opens, the item dispatch and the ways a menu closes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text_rules.h"
#include "menus/popup_menu.h"
#include "menus_board_fixture.h"
#include "shell/globals.h"

namespace orv::testing {

namespace {

std::vector<ui::Control*> MenuItems() {
    if (!MenuWindow) return {};
    std::vector<ui::Control*> items;
    for (ui::Control* c : MenuWindow->Controls()) {
        if (c->Name() == "MenuItemButton" && c->Visible()) items.push_back(c);
    }
    return items;
}

std::vector<std::string> MenuTexts() {
    std::vector<std::string> texts;
    for (ui::Control* c : MenuItems()) texts.push_back(RemoveSpaces(c->Caption()));
    return texts;
}

ui::Control* MenuItem(std::string_view text) {
    for (ui::Control* c : MenuItems()) {
        if (RemoveSpaces(c->Caption()) == text) return c;
    }
    return nullptr;
}

// A real press and release inside the control, as the mouse gives them.
void ClickControl(ui::Control& control) {
    const HWND hwnd = control.Handle();
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ui::ProcessPendingMessages();
}

int MenuWindowCount() {
    int count = 0;
    HWND w = nullptr;
    while ((w = FindWindowExW(nullptr, w, L"OrvantoMenuWindow", nullptr)) != nullptr) {
        if (IsWindowVisible(w)) ++count;
    }
    return count;
}

class PopupMenuTest : public BoardWindowTest {
protected:
    void SetUp() override {
        BoardWindowTest::SetUp();
        SetCursorPos(800, 400);
    }
};

}  // namespace

TEST_F(PopupMenuTest, EachKindShowsItsItemsInOrderAtThePointer) {
    struct Case {
        int kind;
        int index;
        std::vector<std::string> items;
        Rect bounds;
    };
    const Case cases[] = {
        {TileMenu, 7, {"打开文件目录", "添加程序", "重命名", "删除"}, {645, 410, 145, 102}},
        {BoardMenu, 0, {"添加程序"}, {645, 410, 145, 27}},
        {CategoryMenu, 2, {"新建分组", "重命名", "删除"}, {645, 410, 145, 77}},
        {CategoryBarMenu, 0, {"新建分组"}, {645, 410, 145, 27}},
        // above the pointer: its bottom edge 10 pixels below it
        {TrayMenu, 0, {"访问官网", "开机启动", "退出"}, {645, 333, 145, 77}},
    };
    for (const auto& c : cases) {
        OpenPopupMenu(c.kind, c.index);
        ASSERT_TRUE(MenuWindow) << c.kind;
        EXPECT_EQ(MenuTexts(), c.items) << c.kind;
        EXPECT_EQ(MenuWindow->Bounds(), c.bounds) << c.kind;
        EXPECT_EQ(MenuKind, c.kind);
        EXPECT_EQ(MenuItemButtons->size(), c.items.size());
    }
}

TEST_F(PopupMenuTest, ItemsAreStackedWithAOnePixelFrameAndPaddedCaptions) {
    OpenPopupMenu(TileMenu, 7);
    const auto items = MenuItems();
    ASSERT_EQ(items.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(items[static_cast<std::size_t>(i)]->Place(), (Rect{1, 25 * i + 1, 143, 25}));
    }
    // "删除" and 26 spaces; "打开文件目录" and 14.
    EXPECT_EQ(MenuItem("删除")->Caption(), std::string("删除") + std::string(26, ' '));
    EXPECT_EQ(MenuItem("打开文件目录")->Caption(),
              std::string("打开文件目录") + std::string(14, ' '));
}

TEST_F(PopupMenuTest, MenuOpenIsSetWhileOpenAndClearedByClosing) {
    OpenPopupMenu(CategoryMenu, 2);
    EXPECT_EQ(MenuOpen, 1);
    EXPECT_EQ(MenuCategoryIndex, 2);
    CloseMenuWindow();
    EXPECT_FALSE(MenuWindow);
    EXPECT_EQ(MenuOpen, 0);
    EXPECT_EQ(MenuKind, 0);
    EXPECT_EQ(MenuCategoryIndex, 0);
    EXPECT_TRUE(MenuItemButtons->empty());
    EXPECT_EQ(MenuWindowCount(), 0);
}

TEST_F(PopupMenuTest, OpeningAnotherMenuClosesTheFirst) {
    OpenPopupMenu(CategoryMenu, 2);
    OpenPopupMenu(TileMenu, 7);
    EXPECT_EQ(MenuWindowCount(), 1);
    EXPECT_EQ(MenuKind, TileMenu);
    EXPECT_EQ(MenuTileIndex, 7);
    EXPECT_EQ(MenuCategoryIndex, 0);
}

TEST_F(PopupMenuTest, TrayMenuFollowsTheStartupSettingOfTheFile) {
    TearDown();
    StartBoard(BoardConfig(true));
    SetCursorPos(800, 400);
    OpenPopupMenu(TrayMenu);
    EXPECT_EQ(MenuTexts(), (std::vector<std::string>{"访问官网", "退出开机启动", "退出"}));
}

TEST_F(PopupMenuTest, IsKeptInsideTheWorkAreaNearItsEdges) {
    const Rect work = ui::WorkArea();
    struct Case {
        Point pointer;
        int kind;
    };
    const Case cases[] = {
        {{work.left + 5, work.Bottom() - 2}, TileMenu},
        {{work.left + 5, work.top + 2}, TrayMenu},
        {{work.Right() - 1, work.Bottom() - 1}, CategoryMenu},
    };
    for (const auto& c : cases) {
        SetCursorPos(c.pointer.x, c.pointer.y);
        OpenPopupMenu(c.kind, 1);
        ASSERT_TRUE(MenuWindow);
        const Rect b = MenuWindow->Bounds();
        EXPECT_GE(b.left, work.left);
        EXPECT_GE(b.top, work.top);
        EXPECT_LE(b.Right(), work.Right());
        EXPECT_LE(b.Bottom(), work.Bottom());
    }
}

TEST_F(PopupMenuTest, ChoosingDeleteOnATileDeletesThatEntryAndCloses) {
    OpenPopupMenu(TileMenu, 7);
    ui::Control* item = MenuItem("删除");
    ASSERT_NE(item, nullptr);
    ClickControl(*item);
    EXPECT_EQ(EntryNames(1), (std::vector<std::string>{"A", "B", "C", "D", "E", "F"}));
    EXPECT_FALSE(MenuWindow);
    EXPECT_EQ(MenuOpen, 0);
    EXPECT_EQ(MenuTileIndex, 0);
}

TEST_F(PopupMenuTest, CategoryItemsRunWithTheRememberedIndex) {
    OpenPopupMenu(CategoryMenu, 2);
    ClickControl(*MenuItem("删除"));
    auto categories = GlobalBoard->SnapshotCategories();
    ASSERT_EQ(categories.size(), 2u);
    EXPECT_EQ(categories[1].Name, "文档");

    OpenPopupMenu(CategoryBarMenu);
    ClickControl(*MenuItem("新建分组"));
    EXPECT_EQ(GlobalBoard->GetCategoryCount(), 3);
    EXPECT_FALSE(MenuWindow);
}

TEST_F(PopupMenuTest, RenameOnATileShowsTheEditBoxOverThatTile) {
    OpenPopupMenu(TileMenu, 3);
    ClickControl(*MenuItem("重命名"));
    ui::Control* edit = MainWindow->Find("TileRenameEdit");
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->Visible());
    EXPECT_EQ(edit->Caption(), "C");
    EXPECT_EQ(edit->Tag(), "3");
    EXPECT_FALSE(MenuWindow);
}

TEST_F(PopupMenuTest, EscapeClosesTheMenu) {
    OpenPopupMenu(BoardMenu);
    ASSERT_TRUE(MenuWindow);
    SendMessageW(MenuWindow->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    ui::ProcessPendingMessages();
    EXPECT_FALSE(MenuWindow);
    EXPECT_EQ(MenuOpen, 0);
}

TEST_F(PopupMenuTest, ActivatingAnotherWindowClosesTheMenu) {
    OpenPopupMenu(CategoryBarMenu);
    ASSERT_TRUE(MenuWindow);
    MainWindow->BringToFront();
    SetActiveWindow(MainWindow->Handle());
    ui::ProcessPendingMessages();
    EXPECT_FALSE(MenuWindow);
    EXPECT_EQ(MenuOpen, 0);
}

}  // namespace orv::testing
