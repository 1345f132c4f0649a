// Fitting and reducing pictures, and breaking tile captions into two lines.
#include <gtest/gtest.h>

#include "toolkit/caption_lines.h"
#include "toolkit/picture_scale.h"

namespace orv::ui {
namespace {

TEST(ToolkitPictureFit, PicturesFitTheirBoxKeepingTheAspect) {
    struct Case {
        Size picture, box, expected;
    };
    const Case cases[] = {
        {{16, 16}, {32, 32}, {16, 16}},   // smaller: own size
        {{32, 32}, {32, 32}, {32, 32}},
        {{48, 48}, {32, 32}, {32, 32}},
        {{256, 256}, {32, 32}, {32, 32}},
        {{64, 32}, {32, 32}, {32, 16}},   // wide
        {{32, 64}, {32, 32}, {16, 32}},   // tall
        {{1000, 1}, {32, 32}, {32, 1}},   // never below one pixel
        {{0, 10}, {32, 32}, {0, 0}},
        {{10, 10}, {0, 32}, {0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FitInside(c.picture, c.box), c.expected)
            << c.picture.width << "x" << c.picture.height;
    }
}

Bitmap32 Solid(int width, int height, std::uint32_t pixel) {
    Bitmap32 b;
    b.width = width;
    b.height = height;
    b.pixels.assign(static_cast<std::size_t>(width * height), pixel);
    return b;
}

TEST(ToolkitPictureScale, SolidColourStaysSolid) {
    for (Size target : {Size{32, 32}, Size{17, 5}, Size{1, 1}}) {
        const Bitmap32 out = ScaleDown(Solid(48, 48, 0xFF336699u), target);
        ASSERT_EQ(out.width, target.width);
        ASSERT_EQ(out.height, target.height);
        for (std::uint32_t p : out.pixels) EXPECT_EQ(p, 0xFF336699u);
    }
}

TEST(ToolkitPictureScale, HalvingAveragesEachTwoByTwoBlock) {
    Bitmap32 source = Solid(2, 2, 0);
    source.pixels = {0xFFFFFFFFu, 0x00000000u, 0x00000000u, 0xFFFFFFFFu};
    const Bitmap32 out = ScaleDown(source, {1, 1});
    ASSERT_EQ(out.pixels.size(), 1u);
    EXPECT_EQ(out.pixels[0], 0x80808080u);  // premultiplied mean, rounded
}

TEST(ToolkitPictureScale, ThreeToTwoWeighsTheSharedMiddleColumn) {
    Bitmap32 source = Solid(3, 1, 0);
    source.pixels = {0xFF000000u, 0xFF000000u + 0x96, 0xFF000000u + 0xFF};
    const Bitmap32 out = ScaleDown(source, {2, 1});
    ASSERT_EQ(out.pixels.size(), 2u);
    // Left: (0 * 1 + 150 * 0.5) / 1.5 = 50; right: (150 * 0.5 + 255) / 1.5 = 220.
    EXPECT_EQ(out.pixels[0] & 0xFF, 50u);
    EXPECT_EQ(out.pixels[1] & 0xFF, 220u);
    EXPECT_EQ(out.pixels[0] >> 24, 0xFFu);
}

TEST(ToolkitPictureScale, BadInputGivesNothing) {
    Bitmap32 broken = Solid(4, 4, 0);
    broken.pixels.resize(3);
    EXPECT_TRUE(ScaleDown(broken, {2, 2}).pixels.empty());
    EXPECT_TRUE(ScaleDown(Solid(4, 4, 0), {0, 2}).pixels.empty());
}

TEST(ToolkitCaptionLines, BreaksWhereTheFirstLineEnds) {
    struct Case {
        const wchar_t* text;
        int fit;
        const wchar_t* first;
        const wchar_t* second;
    };
    const Case cases[] = {
        {L"Notepad", 10, L"Notepad", L""},                      // fits
        {L"Notepad", 7, L"Notepad", L""},
        {L"Visual Studio Code", 10, L"Visual", L"Studio Code"},  // after the last space that fits
        {L"Visual Studio Code", 14, L"Visual Studio", L"Code"},
        {L"VeryLongSingleWord", 8, L"VeryLong", L"SingleWord"},  // no space: at the fit
        {L"\u6211\u7684\u7535\u8111\u5DE5\u5177", 4, L"\u6211\u7684\u7535\u8111", L"\u5DE5\u5177"},
        {L"  lead", 3, L"l", L"ead"},                            // only spaces before the break
        {L"abc", 0, L"a", L"bc"},                                // at least one character
        {L"ab\U0001F600cd", 3, L"ab", L"\U0001F600cd"},          // not inside a surrogate pair
        {L"", 0, L"", L""},
    };
    for (const Case& c : cases) {
        const CaptionLines lines = SplitCaption(c.text, c.fit);
        EXPECT_EQ(lines.first, c.first) << c.fit;
        EXPECT_EQ(lines.second, c.second) << c.fit;
    }
}

}  // namespace
}  // namespace orv::ui
