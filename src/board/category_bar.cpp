// The category bar: ten button clones that show the categories, the current
// one highlighted, and the operations that add, rename, delete and select
// categories.
#include <algorithm>
#include <charconv>
#include <string>

#include "core/geometry.h"
#include "core/grid_layout.h"
#include "core/hole_sort.h"
#include "model/board.h"
#include "toolkit/toolkit.h"

namespace orv {

namespace {

constexpr char kNewCategoryName[] = "新建分组";

// The decimal tag of a control; 0 for an empty or non-numeric tag.
int TagNumber(const std::string& tag) {
    int value = 0;
    const auto [end, error] = std::from_chars(tag.data(), tag.data() + tag.size(), value);
    return (error == std::errc() && end == tag.data() + tag.size()) ? value : 0;
}

ui::Control* FindControl(ui::Window* window, std::string_view name) {
    return window ? window->Find(name) : nullptr;
}

}  // namespace

void Board::RefreshCategoryBar() {
    {
        ExclusiveHold hold(Lock);
        const int n = static_cast<int>(Categories.size());
        HoleFillingSort(Categories, 1, n);
        for (int i = 1; i <= kCategoryButtonCount; ++i) {
            ControlRef button = CategoryButtons[i - 1];
            if (!button) continue;
            button->Move(CategoryButtonLeft(i), button->Place().top);
            button->SetVisible(i <= n);
            button->SetOutsideColor(kWindowColor);
        }
        // Categories beyond the ten buttons keep their keys in step as well,
        // so the model stays ordered when it holds more than can be shown.
        for (int j = 1; j <= n; ++j) {
            Category& category = Categories[j - 1];
            category.SortKey = j * 100;
            if (j > kCategoryButtonCount) continue;
            ControlRef button = CategoryButtons[j - 1];
            if (!button) continue;
            button->SetCaption(category.Name);
            if (j == CurrentCategory) {
                button->SetOutsideColor(kCurrentColor);
                button->SetOverColor(kCurrentColor);
            } else {
                button->SetOutsideColor(kWindowColor);
                button->SetOverColor(kHoverCategoryColor);
            }
        }
    }
    Save();
}

void Board::SelectCategory(int index) {
    {
        ExclusiveHold hold(Lock);
        CurrentCategory = std::clamp(index, 0, static_cast<int>(Categories.size()));
    }
    RefreshCategoryBar();
    ShowCurrentCategory(0);
}

void Board::SelectCategoryWhileDragging(int index) {
    {
        ExclusiveHold hold(Lock);
        CurrentCategory = std::clamp(index, 0, static_cast<int>(Categories.size()));
    }
    RefreshCategoryBar();
    ShowCurrentCategory(1);
}

int Board::AddCategory() {
    bool becameCurrent = false;
    int count = 0;
    {
        ExclusiveHold hold(Lock);
        const int n = static_cast<int>(Categories.size());
        // The bar has ten buttons; an eleventh category could not be shown.
        if (n >= kCategoryButtonCount) return n;
        Category category;
        category.SortKey = (n + 1) * 100;
        category.Name = kNewCategoryName;
        Categories.push_back(std::move(category));
        count = n + 1;
        // With no category current (none existed), the new one is the one
        // that files dropped next go to.
        if (CurrentCategory == 0) {
            CurrentCategory = count;
            becameCurrent = true;
        }
    }
    RefreshCategoryBar();
    if (becameCurrent) ShowCurrentCategory(0);
    return count;
}

void Board::BeginCategoryRename(int index) {
    ExclusiveHold hold(Lock);
    const int a = std::min(index, static_cast<int>(Categories.size()));
    ui::Control* edit = FindControl(mainWindow_, "CategoryRenameEdit");
    if (a < 1 || !edit) return;
    edit->Move(CategoryRenameLeft(a), edit->Place().top);
    edit->SetTag(std::to_string(a));
    edit->SetCaption(Categories[a - 1].Name);
    edit->SetVisible(true);
    // Ready for typing: the name is selected, so the first key replaces it.
    edit->Focus();
    edit->SelectAllText();
}

void Board::CommitCategoryRename() {
    ui::Control* edit = FindControl(mainWindow_, "CategoryRenameEdit");
    if (!edit || !edit->Visible()) return;
    // Hiding takes the focus away, which calls back here; the box is hidden
    // by then, so that call does nothing.
    edit->SetVisible(false);
    const std::string name = edit->Caption();
    const int i = TagNumber(edit->Tag());
    edit->SetCaption("");
    edit->SetTag("");
    if (name.empty() || i < 1) return;
    {
        ExclusiveHold hold(Lock);
        if (i > static_cast<int>(Categories.size())) return;
        Categories[i - 1].Name = name;
    }
    RefreshCategoryBar();
}

void Board::CancelCategoryRename() {
    ui::Control* edit = FindControl(mainWindow_, "CategoryRenameEdit");
    if (!edit || !edit->Visible()) return;
    edit->SetVisible(false);
    edit->SetCaption("");
    edit->SetTag("");
}

void Board::DeleteCategory(int index) {
    {
        ExclusiveHold hold(Lock);
        const int n = static_cast<int>(Categories.size());
        if (index > n) return;
        if (index >= 1) Categories.erase(Categories.begin() + (index - 1));
        // Deleting the last category while it was current would leave the
        // number past the end and its tiles on screen: the last category
        // left becomes current (none when no category is left).
        ClampCurrentCategoryLocked();
    }
    RefreshCategoryBar();
    ShowCurrentCategory(0);
}

int Board::GetCurrentCategory() {
    SharedHold hold(Lock);
    return CurrentCategory;
}

}  // namespace orv
