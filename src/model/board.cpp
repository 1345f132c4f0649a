// The board's lifetime and the small readers of the model.
#include "model/board.h"

#include <algorithm>

namespace orv {

Board::Board() { Lock.Init(); }

int Board::GetCategoryCount() {
    ExclusiveHold hold(Lock);
    return static_cast<int>(Categories.size());
}

int Board::GetEntryCount(int categoryIndex) {
    ExclusiveHold hold(Lock);
    if (categoryIndex < 1 || categoryIndex > static_cast<int>(Categories.size())) return 0;
    return static_cast<int>(Categories[categoryIndex - 1].Entries.size());
}

std::vector<Category> Board::SnapshotCategories() {
    ExclusiveHold hold(Lock);
    return Categories;
}

Category* Board::CurrentCategoryLocked() {
    if (CurrentCategory < 1 || CurrentCategory > static_cast<int>(Categories.size())) {
        return nullptr;
    }
    return &Categories[CurrentCategory - 1];
}

// Keeps CurrentCategory 0 or within the categories: after the last category
// or the only one was deleted it names the last one left, or none.
void Board::ClampCurrentCategoryLocked() {
    CurrentCategory = std::clamp(CurrentCategory, 0, static_cast<int>(Categories.size()));
}

}  // namespace orv
