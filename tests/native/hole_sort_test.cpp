#include "core/hole_sort.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Item {
    int SortKey;
    std::string name;
};

std::string Order(const std::vector<Item>& items) {
    std::string out;
    for (const auto& i : items) out += i.name;
    return out;
}

}  // namespace

TEST(HoleFillingSort, OrdersByKeyAndKeepsTheTieRuleOfTheBoard) {
    struct Case {
        std::vector<Item> input;
        std::string expected;
    };
    const Case cases[] = {
        {{{300, "a"}, {100, "b"}, {200, "c"}}, "bca"},
        {{{250, "a"}, {100, "b"}, {200, "c"}}, "bca"},
        {{{100, "a"}, {200, "b"}, {300, "c"}}, "abc"},
        // a dropped key lands before the entry of the target cell
        {{{100, "A"}, {200, "B"}, {300, "C"}, {400, "D"}, {101, "E"}}, "AEBCD"},
        // equal keys: the pivot (first) ends after its equals moved to the left
        {{{200, "x"}, {200, "y"}, {100, "z"}}, "zyx"},
        {{{500, "p"}, {100, "q"}, {500, "r"}, {200, "s"}, {500, "t"}}, "qsrpt"},
    };
    for (const auto& c : cases) {
        auto items = c.input;
        orv::HoleFillingSort(items, 1, static_cast<int>(items.size()));
        EXPECT_EQ(Order(items), c.expected);
    }
}

TEST(HoleFillingSort, AnEntryMovedIntoAnotherCategoryKeepsItsOldKeysPlace) {
    // The fifth entry of one category (key 500) appended to a category whose
    // fifth entry also has key 500 lands after the fourth, next to the fifth.
    struct Case {
        std::vector<Item> input;
        std::string expected;
    };
    const Case cases[] = {
        {{{100, "a"}, {200, "b"}, {300, "c"}, {400, "d"}, {500, "e"}, {500, "M"}}, "abcdeM"},
        {{{100, "a"}, {200, "b"}, {300, "c"}, {400, "d"}, {500, "e"}, {600, "f"}, {500, "M"}}, "abcdeMf"},
    };
    for (const auto& c : cases) {
        auto items = c.input;
        orv::HoleFillingSort(items, 1, static_cast<int>(items.size()));
        EXPECT_EQ(Order(items), c.expected);
    }
}

TEST(HoleFillingSort, EmptyAndSingleRangesAreLeftAlone) {
    std::vector<Item> none;
    orv::HoleFillingSort(none, 1, 0);
    EXPECT_TRUE(none.empty());
    std::vector<Item> one{{7, "x"}};
    orv::HoleFillingSort(one, 1, 1);
    EXPECT_EQ(Order(one), "x");
    std::vector<Item> part{{300, "a"}, {200, "b"}, {100, "c"}};
    orv::HoleFillingSort(part, 2, 3);  // only the range 2..3
    EXPECT_EQ(Order(part), "acb");
}
