// The tile grid: one hundred tile clones laid out in as many columns as the
// window is wide, filled with the entries of the current category.
#include <windows.h>

#include <algorithm>

#include "board/entry_routines.h"
#include "core/grid_layout.h"
#include "core/hole_sort.h"
#include "model/board.h"
#include "model/file_io.h"
#include "toolkit/toolkit.h"

namespace orv {

namespace {

constexpr int kCloseButtonTop = 7;

// Redraw of the window off for a bulk change and on again with one repaint.
// A window that is not on screen is left alone: turning redraw back on would
// mark it visible.
class RedrawPause {
public:
    explicit RedrawPause(ui::Window* window)
        : window_(window && IsWindowVisible(window->Handle()) ? window : nullptr) {
        if (window_) window_->SuspendRedraw();
    }
    RedrawPause(const RedrawPause&) = delete;
    RedrawPause& operator=(const RedrawPause&) = delete;
    ~RedrawPause() {
        if (window_) window_->ResumeRedraw();
    }

private:
    ui::Window* window_;
};

}  // namespace

void Board::ShowCurrentCategory(int dragMode) {
    {
        ExclusiveHold hold(Lock);
        Category* category = CurrentCategoryLocked();
        if (!category) {
            // No category is current (none is left): no tile of a deleted
            // category may stay on screen.
            if (!dragMode) {
                for (ControlRef tile : TileButtons) {
                    if (tile) tile->SetVisible(false);
                }
            }
            return;
        }
        std::vector<Entry>& entries = category->Entries;
        const int m = static_cast<int>(entries.size());
        HoleFillingSort(entries, 1, m);
        const int shown = std::min(m, kTileButtonCount);

        RedrawPause pause(mainWindow_);
        for (int i = shown + 1; i <= kTileButtonCount; ++i) {
            ControlRef tile = TileButtons[i - 1];
            if (!tile) continue;
            if (dragMode) {
                // The dragged tile must stay under the mouse: blank, not hide.
                tile->SetPicture({});
                tile->SetCaption("");
            } else {
                tile->SetVisible(false);
            }
        }
        for (int i = 1; i <= m; ++i) {
            Entry& entry = entries[i - 1];
            entry.SortKey = i * 100;
            if (i > shown) continue;  // kept in the model, no tile to show it
            ControlRef tile = TileButtons[i - 1];
            if (!tile) continue;
            tile->SetCaption(entry.Name);
            // Built once per entry; an empty result is sought again next time.
            if (entry.Image.empty()) {
                entry.Image = entry.Icon.empty() ? MakeEntryImage(entry.Address, 0)
                                                 : ReadWholeFile(entry.Icon);
            }
            tile->SetPicture(entry.Image);
            tile->SetVisible(true);
        }
    }
    Save();
}

void Board::Relayout(int windowWidth) {
    const int columns = orv::TileColumns(windowWidth);
    {
        ExclusiveHold hold(Lock);
        if (mainWindow_) {
            if (ui::Control* close = mainWindow_->Find("CloseButton")) {
                close->Move(windowWidth - close->Place().width, kCloseButtonTop);
            }
        }
        // The window raises its first size change while it is being built,
        // before the tiles are cloned: the column count is only taken once
        // there are tiles to place, so the first real layout places them all.
        if (columns != TileColumns && TileButtons[0]) {
            RedrawPause pause(mainWindow_);
            TileColumns = columns;
            for (int i = 1; i <= kTileButtonCount; ++i) {
                ControlRef tile = TileButtons[i - 1];
                if (!tile) continue;
                const Point slot = TileSlot(i - 1, columns);
                tile->Move(slot.x, slot.y);
            }
        }
    }
    Save();
}

}  // namespace orv
