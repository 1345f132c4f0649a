#include "core/menu_place.h"

#include <gtest/gtest.h>

#include "core/site_address.h"

namespace {

using orv::MenuPlace;
using orv::Point;
using orv::Rect;

const Rect kWorkArea{0, 0, 1920, 1050};

TEST(MenuPlace, OpensLeftOfAndBelowThePointerWhereItFits) {
    struct Case {
        Point pointer;
        int items;
        Rect expected;
    };
    const Case cases[] = {
        {{800, 400}, 4, {645, 410, 145, 102}},  // tile menu
        {{800, 400}, 3, {645, 410, 145, 77}},   // category menu
        {{800, 400}, 1, {645, 410, 145, 27}},   // board and category bar menus
        {{155, 0}, 1, {0, 10, 145, 27}},        // exactly at the left edge
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MenuPlace(c.pointer, c.items, false, kWorkArea), c.expected)
            << c.pointer.x << "," << c.pointer.y;
    }
}

TEST(MenuPlace, TrayMenuOpensAboveThePointer) {
    // Its bottom edge lies 10 pixels below the pointer.
    EXPECT_EQ(MenuPlace({1800, 900}, 3, true, kWorkArea), (Rect{1645, 833, 145, 77}));
}

TEST(MenuPlace, IsShiftedJustEnoughToStayInsideTheWorkArea) {
    struct Case {
        const char* where;
        Point pointer;
        int items;
        bool above;
        Rect expected;
    };
    const Case cases[] = {
        {"left edge", {60, 400}, 4, false, {0, 410, 145, 102}},
        {"bottom edge", {800, 1000}, 4, false, {645, 948, 145, 102}},
        {"bottom-left corner", {5, 1049}, 1, false, {0, 1023, 145, 27}},
        // the tray icon lies on the taskbar, below the work area
        {"tray below the work area", {1900, 1065}, 3, true, {1745, 973, 145, 77}},
        {"top edge", {800, 20}, 3, true, {645, 0, 145, 77}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MenuPlace(c.pointer, c.items, c.above, kWorkArea), c.expected) << c.where;
    }
}

TEST(MenuPlace, KeepsToAWorkAreaThatDoesNotStartAtTheOrigin) {
    // A taskbar on the left or at the top moves the work area's origin.
    const Rect workArea{60, 40, 1860, 1040};
    EXPECT_EQ(MenuPlace({100, 30}, 1, false, workArea), (Rect{60, 40, 145, 27}));
    EXPECT_EQ(MenuPlace({2000, 1100}, 1, false, workArea), (Rect{1775, 1053, 145, 27}));
}

TEST(MenuPlace, ATallerMenuThanTheWorkAreaStartsAtItsTop) {
    EXPECT_EQ(MenuPlace({800, 50}, 4, false, Rect{0, 0, 1920, 60}), (Rect{645, 0, 145, 102}));
}

TEST(SiteAddress, RelativeAddressesNameFilesInTheRunDirectory) {
    struct Case {
        const char* address;
        const char* expected;
    };
    const Case cases[] = {
        {"about.html", "C:\\Apps\\Orvanto\\about.html"},
        {"docs/guide.html", "C:\\Apps\\Orvanto\\docs\\guide.html"},
        {"https://example.org/orvanto", "https://example.org/orvanto"},
        {"mailto:team@example.org", "mailto:team@example.org"},
        {"D:\\pages\\about.html", "D:\\pages\\about.html"},
        {"\\\\server\\share\\about.html", "\\\\server\\share\\about.html"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(orv::ResolveSiteAddress(c.address, "C:\\Apps\\Orvanto"), c.expected)
            << c.address;
    }
    EXPECT_EQ(orv::ResolveSiteAddress("about.html", "C:\\"), "C:\\about.html");
}

}  // namespace
