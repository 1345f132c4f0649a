// Renaming, deleting and moving the entries of the shown category. Every
// change ends in ShowCurrentCategory, which sorts, redraws and saves.
#include <cstdlib>
#include <string>
#include <utility>

#include "model/board.h"
#include "toolkit/toolkit.h"

namespace orv {

namespace {

constexpr int kRenameEditTopOffset = 45;  // over the caption at the tile's bottom

bool InRange(int index, std::size_t count) {
    return index >= 1 && static_cast<std::size_t>(index) <= count;
}

}  // namespace

void Board::BeginEntryRename(int entryIndex) {
    ui::Control* edit = nullptr;
    {
        ExclusiveHold hold(Lock);
        Category* category = CurrentCategoryLocked();
        if (!category || !InRange(entryIndex, category->Entries.size())) return;
        if (entryIndex > kTileButtonCount || !mainWindow_) return;
        const std::string name = category->Entries[entryIndex - 1].Name;
        ControlRef tile = TileButtons[entryIndex - 1];
        edit = mainWindow_->Find("TileRenameEdit");
        if (!tile || !edit) return;
        const Rect tilePlace = tile->Place();
        edit->Move(tilePlace.left, tilePlace.top + kRenameEditTopOffset);
        edit->SetTag(std::to_string(entryIndex));
        edit->SetCaption(name);
        edit->SetVisible(true);
    }
    // The user types at once; Enter or leaving the box commits, Escape
    // cancels. Focus moves after the lock is released: losing it may commit
    // the category rename box, which takes the lock itself.
    edit->Focus();
    edit->SelectAllText();
}

void Board::CommitEntryRename() {
    if (!mainWindow_) return;
    ui::Control* edit = mainWindow_->Find("TileRenameEdit");
    if (!edit || !edit->Visible()) return;
    // Content and tag are taken and cleared before the box is hidden, so the
    // focus loss that hiding may cause finds nothing more to commit.
    const std::string newName = edit->Caption();
    const int index = std::atoi(edit->Tag().c_str());
    edit->SetCaption("");
    edit->SetTag("");
    edit->SetVisible(false);
    if (newName.empty() || index == 0) return;
    {
        ExclusiveHold hold(Lock);
        Category* category = CurrentCategoryLocked();
        if (!category || !InRange(index, category->Entries.size())) return;
        // As typed: a renamed entry keeps its whole name.
        category->Entries[index - 1].Name = newName;
    }
    ShowCurrentCategory(0);
}

void Board::CancelEntryRename() {
    if (!mainWindow_) return;
    ui::Control* edit = mainWindow_->Find("TileRenameEdit");
    if (!edit || !edit->Visible()) return;
    edit->SetCaption("");
    edit->SetTag("");
    edit->SetVisible(false);
}

void Board::DeleteEntry(int entryIndex) {
    {
        ExclusiveHold hold(Lock);
        Category* category = CurrentCategoryLocked();
        if (!category || !InRange(entryIndex, category->Entries.size())) return;
        category->Entries.erase(category->Entries.begin() + (entryIndex - 1));
    }
    ShowCurrentCategory(0);
}

void Board::MoveEntry(int categoryIndex, int entryIndex, int newSortKey) {
    {
        ExclusiveHold hold(Lock);
        if (!InRange(categoryIndex, Categories.size())) return;
        std::vector<Entry>& source = Categories[categoryIndex - 1].Entries;
        if (!InRange(entryIndex, source.size())) return;
        if (categoryIndex == CurrentCategory) {
            source[entryIndex - 1].SortKey = newSortKey;
        } else {
            Category* target = CurrentCategoryLocked();
            if (!target) return;
            // The drop key places it where it was released, as within a
            // category; its picture goes with it.
            Entry moved = std::move(source[entryIndex - 1]);
            source.erase(source.begin() + (entryIndex - 1));
            moved.SortKey = newSortKey;
            target->Entries.push_back(std::move(moved));
        }
    }
    ShowCurrentCategory(0);
}

}  // namespace orv
