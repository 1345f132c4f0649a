#pragma once
// The board's ordering: a recursive quicksort that fills holes around a
// pivot (a copy of the first element), by SortKey ascending. Not stable; the
// order of equal keys follows from these exact steps, and stored boards rely
// on it. Indexes are 1-based and inclusive, as the board's operations use them.
#include <utility>
#include <vector>

namespace orv {

template <typename Record>
void HoleFillingSort(std::vector<Record>& items, int low, int high) {
    // The high part is sorted by the loop instead of a second call, so sorted
    // input (the usual case) never recurses deeper than one level; the low
    // part is still done first, as the order of equal keys depends on it.
    // A moved-from slot is a hole that is filled before it is read again.
    while (low < high) {
        Record pivot = std::move(items[low - 1]);
        int l = low;
        int h = high;
        while (l < h) {
            while (l < h && items[h - 1].SortKey >= pivot.SortKey) --h;
            if (l < h) items[l++ - 1] = std::move(items[h - 1]);
            while (l < h && items[l - 1].SortKey <= pivot.SortKey) ++l;
            if (l < h) items[h-- - 1] = std::move(items[l - 1]);
        }
        items[l - 1] = std::move(pivot);
        HoleFillingSort(items, low, l - 1);
        low = l + 1;
    }
}

}  // namespace orv
