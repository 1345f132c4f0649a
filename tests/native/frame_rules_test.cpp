#include "core/frame_rules.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>

namespace {

using orv::FrameZone;
using orv::Point;
using orv::Rect;
using orv::Size;

constexpr Size kWindow{981, 678};
constexpr int kScreenWidth = 1920;

TEST(ZoneAt, FirstMatchingRuleDecidesThePointer) {
    struct Case {
        const char* what;
        Point point;
        FrameZone expected;
    };
    const int w = kWindow.width;
    const int h = kWindow.height;
    const Case cases[] = {
        {"3 px from the right edge, 20 above the bottom", {w - 3, h - 20}, FrameZone::RightEdge},
        {"8 px from the right edge, 20 above the bottom", {w - 8, h - 20}, FrameZone::Surface},
        {"exactly W - 6 is the right edge", {w - 6, 100}, FrameZone::RightEdge},
        {"W - 7 is in the gap", {w - 7, 100}, FrameZone::Surface},
        {"W - 9 is in the gap", {w - 9, 100}, FrameZone::Surface},
        {"right edge down to H - 10", {w - 1, h - 10}, FrameZone::RightEdge},
        {"right edge at the very top", {w - 1, 0}, FrameZone::RightEdge},
        {"bottom edge", {100, h - 3}, FrameZone::BottomEdge},
        {"bottom edge starts at H - 10", {100, h - 10}, FrameZone::BottomEdge},
        {"H - 11 is surface", {100, h - 11}, FrameZone::Surface},
        {"bottom edge up to W - 10", {w - 10, h - 5}, FrameZone::BottomEdge},
        {"the corner", {w - 5, h - 5}, FrameZone::BottomRightCorner},
        {"the corner from W - 9", {w - 9, h - 9}, FrameZone::BottomRightCorner},
        {"the corner's top row belongs to the right edge", {w - 3, h - 10}, FrameZone::RightEdge},
        {"the corner's top row in the gap", {w - 8, h - 10}, FrameZone::BottomRightCorner},
        {"the middle", {400, 300}, FrameZone::Surface},
    };
    for (const Case& c : cases) EXPECT_EQ(orv::ZoneAt(c.point, kWindow), c.expected) << c.what;
}

TEST(CorrectMinimumSize, CorrectsTheWidthFirstThenTheHeight) {
    struct Case {
        Size window;
        std::optional<Size> expected;
    };
    const Case cases[] = {
        {{100, 100}, Size{234, 100}},
        {{234, 100}, Size{234, 151}},
        {{233, 500}, Size{234, 500}},
        {{234, 150}, Size{234, 151}},
        {{234, 151}, std::nullopt},
        {{981, 678}, std::nullopt},
        {{INT_MIN, INT_MIN}, Size{234, INT_MIN}},
    };
    for (const Case& c : cases) EXPECT_EQ(orv::CorrectMinimumSize(c.window), c.expected);

    // Dragging the corner to 100 x 100 ends at 234 x 151 after two corrections.
    Size size{100, 100};
    int corrections = 0;
    while (const auto next = orv::CorrectMinimumSize(size)) {
        size = *next;
        ++corrections;
    }
    EXPECT_EQ(size, (Size{234, 151}));
    EXPECT_EQ(corrections, 2);
}

TEST(SnapOnRelease, PutsTheWindowBackOntoThePrimaryScreen) {
    struct Case {
        const char* what;
        Rect window;
        std::optional<Point> expected;
    };
    const Case cases[] = {
        {"top -40 goes to 0", {300, -40, 981, 678}, Point{300, 0}},
        {"top -5 stays", {300, -5, 981, 678}, std::nullopt},
        {"top -10 stays", {300, -10, 981, 678}, std::nullopt},
        {"top -11 goes to 0", {300, -11, 981, 678}, Point{300, 0}},
        {"left -40 goes to 0", {-40, 100, 981, 678}, Point{0, 100}},
        {"left -10 stays", {-10, 100, 981, 678}, std::nullopt},
        {"top first when both are out", {-40, -40, 981, 678}, Point{-40, 0}},
        {"beyond SW - 10 is right-aligned", {1911, 100, 981, 678}, Point{1920 - 981, 100}},
        {"at SW - 10 stays", {1910, 100, 981, 678}, std::nullopt},
        {"free window stays", {300, 100, 981, 678}, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(orv::SnapOnRelease(c.window, kScreenWidth), c.expected) << c.what;
}

TEST(MovedBeyondEdges, CloseTheMenuOnlyPastTheThresholds) {
    struct Case {
        Rect window;
        bool expected;
    };
    const Case cases[] = {
        {{0, -10, 500, 400}, false},   {{0, -11, 500, 400}, true},  {{-10, 0, 500, 400}, false},
        {{-11, 0, 500, 400}, true},    {{1917, 0, 500, 400}, false}, {{1918, 0, 500, 400}, true},
        {{300, 300, 500, 400}, false},
    };
    for (const Case& c : cases) EXPECT_EQ(orv::MovedBeyondEdges(c.window, kScreenWidth), c.expected);
}

TEST(BringBackPlace, BringsAHiddenWindowTwoPixelsInside) {
    struct Case {
        const char* what;
        Rect window;
        Point expected;
    };
    const Case cases[] = {
        {"hidden above the top", {300, -399, 500, 400}, {300, 2}},
        {"hidden at the left", {-499, 300, 500, 400}, {2, 300}},
        {"hidden at the right", {1919, 300, 500, 400}, {1920 - 500 - 2, 300}},
        {"left exactly SW - 2 stays", {1918, 300, 500, 400}, {1918, 300}},
        {"top-left corner: both", {-5, -5, 500, 400}, {2, 2}},
        {"a shown window stays", {300, 0, 500, 400}, {300, 0}},
    };
    for (const Case& c : cases) EXPECT_EQ(orv::BringBackPlace(c.window, kScreenWidth), c.expected) << c.what;
}

TEST(FrameRules, ExtremeValuesStayInTheIntRange) {
    const Rect window{INT_MAX, INT_MIN, INT_MIN, INT_MAX};
    EXPECT_EQ(orv::ZoneAt({INT_MIN, INT_MAX}, {INT_MIN, INT_MIN}), FrameZone::BottomRightCorner);
    EXPECT_TRUE(orv::SnapOnRelease(window, INT_MIN).has_value());
    EXPECT_TRUE(orv::MovedBeyondEdges(window, INT_MAX));
    EXPECT_EQ(orv::BringBackPlace(window, INT_MIN), (Point{-2, 2}));
}

}  // namespace
