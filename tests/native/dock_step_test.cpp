#include "core/dock_step.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>

namespace {

using orv::DockMove;
using orv::DockStep;
using orv::Point;
using orv::Rect;
using orv::Size;

constexpr Size kScreen{1920, 1080};

Rect At(int left, int top) { return Rect{left, top, 500, 400}; }

DockMove Move(int left, int top) { return DockMove{left, top, false}; }
DockMove CornerMove(int left, int top) { return DockMove{left, top, true}; }

struct Case {
    const char* what;
    Rect window;
    Point mouse;
    std::optional<DockMove> expected;
};

// A 500 x 400 window on a 1920 x 1080 screen.
const Case kCases[] = {
    // the top edge
    {"docked at the top, mouse far away: hides leaving one row", At(300, 0), {1000, 600}, Move(300, -399)},
    {"hidden at the top, mouse at the edge over it: shows", At(300, -399), {500, 1}, Move(300, 0)},
    {"hidden at the top, mouse at y 2 still shows", At(300, -399), {500, 2}, Move(300, 0)},
    {"hidden at the top, mouse at y 3 does not show", At(300, -399), {500, 3}, std::nullopt},
    {"hidden at the top, mouse on its left end (strict bound)", At(300, -399), {300, 1}, std::nullopt},
    {"hidden at the top, mouse on its right end (strict bound)", At(300, -399), {800, 1}, std::nullopt},
    {"hidden at the top, mouse away: stays hidden", At(300, -399), {1000, 600}, std::nullopt},
    {"docked at the top, mouse at H + 1 below the screen top: stays", At(300, 0), {500, 401}, std::nullopt},
    {"docked at the top, mouse at H + 2: hides", At(300, 0), {500, 402}, Move(300, -399)},
    {"docked at the top, mouse on its left end: stays", At(300, 0), {300, 200}, std::nullopt},
    {"docked at the top, mouse one left of it: hides", At(300, 0), {299, 200}, Move(300, -399)},
    {"docked at the top, mouse one right of it: hides", At(300, 0), {801, 200}, Move(300, -399)},
    {"half above the top is docked at the top too", At(300, -100), {1000, 600}, Move(300, -399)},
    // the corners
    {"top-left corner, mouse over its span: pushed to (1, 0)", At(0, 0), {100, 700}, CornerMove(1, 0)},
    {"top-left corner, mouse beside its span: nothing", At(0, 0), {600, 700}, std::nullopt},
    {"top-left corner beyond both edges", At(-30, -20), {100, 700}, CornerMove(1, 0)},
    {"top-right corner: pushed one pixel left", At(1420, 0), {100, 700}, CornerMove(1419, 0)},
    {"top-right corner, mouse over it: pushed all the same", At(1420, 0), {1600, 100}, CornerMove(1419, 0)},
    {"top-right corner beyond the edge", At(1500, -50), {0, 0}, CornerMove(1419, 0)},
    {"one pixel left of the right edge at the top is docked at the top", At(1419, 0), {100, 700},
     Move(1419, -399)},
    // the left edge
    {"docked at the left, mouse away: hides leaving one column", At(0, 300), {800, 500}, Move(-499, 300)},
    {"hidden at the left, mouse at the edge over it: shows", At(-499, 300), {1, 450}, Move(0, 300)},
    {"hidden at the left, mouse level with its top (strict bound)", At(-499, 300), {2, 300}, std::nullopt},
    {"hidden at the left, mouse level with its bottom (strict bound)", At(-499, 300), {2, 700}, std::nullopt},
    {"hidden at the left, mouse at x 3 does not show", At(-499, 300), {3, 450}, std::nullopt},
    {"docked at the left, mouse at x = W: stays", At(0, 300), {500, 450}, std::nullopt},
    {"docked at the left, mouse at x = W + 1: hides", At(0, 300), {501, 450}, Move(-499, 300)},
    {"docked at the left, mouse one above it: hides", At(0, 300), {100, 299}, Move(-499, 300)},
    {"docked at the left, mouse at its bottom: stays", At(0, 300), {100, 700}, std::nullopt},
    {"docked at the left, mouse one below it: hides", At(0, 300), {100, 701}, Move(-499, 300)},
    {"at the left touching the bottom: never hides", At(0, 680), {800, 100}, std::nullopt},
    {"at the left touching the bottom, mouse at the edge", At(0, 680), {1, 900}, std::nullopt},
    {"at the left at top 1: docks", At(0, 1), {800, 100}, Move(-499, 1)},
    {"at the left at top 679: docks", At(0, 679), {800, 100}, Move(-499, 679)},
    // the right edge
    {"docked at the right, mouse away: hides leaving one column", At(1420, 300), {100, 500}, Move(1919, 300)},
    {"hidden at the right, mouse at the edge over it: shows", At(1919, 300), {1918, 450}, Move(1420, 300)},
    {"hidden at the right, mouse at x SW - 3 does not show", At(1919, 300), {1917, 450}, std::nullopt},
    {"hidden at the right, mouse level with its top (strict bound)", At(1919, 300), {1919, 300}, std::nullopt},
    {"docked at the right, mouse at SW - W: stays", At(1420, 300), {1420, 450}, std::nullopt},
    {"docked at the right, mouse one left of it: hides", At(1420, 300), {1419, 450}, Move(1919, 300)},
    {"docked at the right, mouse one below it: hides", At(1420, 300), {1700, 701}, Move(1919, 300)},
    {"at the right touching the bottom: never hides", At(1420, 680), {100, 100}, std::nullopt},
    // nowhere near an edge
    {"free window: nothing", At(300, 300), {0, 0}, std::nullopt},
    {"free window, mouse at the right edge: nothing", At(300, 300), {1919, 450}, std::nullopt},
    {"at the bottom edge: never docks", At(300, 680), {1000, 100}, std::nullopt},
    {"below the bottom edge: never docks", At(300, 900), {1000, 100}, std::nullopt},
};

TEST(DockStep, FollowsTheEdgeTableOnA1920By1080Screen) {
    for (const Case& c : kCases) {
        EXPECT_EQ(DockStep(c.window, c.mouse, kScreen), c.expected) << c.what;
    }
}

TEST(DockStep, HiddenWindowsLeaveExactlyOnePixelOnTheScreen) {
    const auto top = DockStep(At(300, 0), {1000, 600}, kScreen);
    ASSERT_TRUE(top);
    EXPECT_EQ(top->top + 400, 1);
    const auto left = DockStep(At(0, 300), {1000, 600}, kScreen);
    ASSERT_TRUE(left);
    EXPECT_EQ(left->left + 500, 1);
    const auto right = DockStep(At(1420, 300), {100, 600}, kScreen);
    ASSERT_TRUE(right);
    EXPECT_EQ(right->left, kScreen.width - 1);
}

TEST(DockStep, ExtremeValuesNeitherOverflowNorLeaveTheIntRange) {
    const int big = INT_MAX;
    const int small = INT_MIN;
    const Rect windows[] = {{small, small, big, big}, {big, big, big, big},       {small, 0, small, small},
                            {0, small, big, small},   {big, small, small, big},   {1, 0, big, 1}};
    const Point mice[] = {{small, small}, {big, big}, {0, 0}, {small, big}};
    const Size screens[] = {{big, big}, {small, small}, {0, 0}, {1920, 1080}};
    for (const Rect& w : windows) {
        for (const Point& m : mice) {
            for (const Size& s : screens) {
                const auto move = DockStep(w, m, s);
                if (move) {
                    EXPECT_FALSE(move->left == w.left && move->top == w.top);
                }
            }
        }
    }
}

TEST(DockStep, AWindowThatCannotMoveFurtherIsNotMoved) {
    // The top-right corner rule would put it at SW - W - 1, below the int
    // range: it stays at the smallest left there is, which is no move at all.
    EXPECT_EQ(DockStep({INT_MIN, 0, 500, 400}, {0, 0}, {INT_MIN, 1080}), std::nullopt);
    EXPECT_EQ(DockStep({INT_MIN, -5, 500, 400}, {0, 0}, {INT_MIN, 1080}), CornerMove(INT_MIN, 0));
}

}  // namespace
