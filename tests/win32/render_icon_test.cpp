// Icons rendered into the BMP bytes of tile pictures.
#include "menus/render_icon.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "menus/bitmap_canvas.h"
#include "test_icons.h"

namespace {

using orv::BitmapCanvas;
using orv::RenderIconImage;
using Bytes = std::vector<std::uint8_t>;

constexpr COLORREF kTile = RGB(50, 65, 85);

std::uint32_t U32(const Bytes& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t U16(const Bytes& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

// Red, green, blue of the pixel in file row `row` (0 = first stored row).
COLORREF PixelAt(const Bytes& file, int side, int row, int x) {
    const std::size_t at = 54 + static_cast<std::size_t>(row) * side * 4 + static_cast<std::size_t>(x) * 4;
    return RGB(file[at + 2], file[at + 1], file[at]);
}

TEST(RenderIcon, DefaultsGiveA32PixelWhiteSquareFile) {
    const Bytes file = RenderIconImage(nullptr);
    ASSERT_EQ(file.size(), 4150u);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(U32(file, 2), 4150u);
    EXPECT_EQ(U32(file, 6), 0u);
    EXPECT_EQ(U32(file, 10), 54u);
    EXPECT_EQ(U32(file, 14), 40u);
    EXPECT_EQ(static_cast<std::int32_t>(U32(file, 18)), 32);
    EXPECT_EQ(static_cast<std::int32_t>(U32(file, 22)), 32);  // positive: bottom-up
    EXPECT_EQ(U16(file, 26), 1);
    EXPECT_EQ(U16(file, 28), 32);
    EXPECT_EQ(U32(file, 30), 0u);
    EXPECT_EQ(PixelAt(file, 32, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(PixelAt(file, 32, 31, 31), RGB(255, 255, 255));
}

TEST(RenderIcon, FileSizeForEachTileSize) {
    struct Case {
        int side;
        std::size_t size;
    };
    const Case cases[] = {{16, 1078}, {32, 4150}, {48, 9270}, {256, 262198}};
    for (const Case& c : cases) {
        const Bytes file = RenderIconImage(nullptr, c.side, c.side, kTile);
        EXPECT_EQ(file.size(), c.size) << c.side;
        EXPECT_EQ(U32(file, 18), static_cast<std::uint32_t>(c.side)) << c.side;
        EXPECT_EQ(U32(file, 22), static_cast<std::uint32_t>(c.side)) << c.side;
    }
}

TEST(RenderIcon, NoIconGivesAPlainSquare) {
    const Bytes file = RenderIconImage(nullptr, 32, 32, kTile);
    ASSERT_EQ(file.size(), 4150u);
    for (int row = 0; row < 32; ++row) {
        for (int x = 0; x < 32; ++x) ASSERT_EQ(PixelAt(file, 32, row, x), kTile) << row << "," << x;
    }
}

TEST(RenderIcon, TransparentPartsShowTheTileColourAndRowsAreBottomUp) {
    const orv::IconHandle icon = orv::testing::TopHalfIcon(32, 0xd02010);
    ASSERT_TRUE(icon);
    for (int side : {16, 32, 48, 256}) {
        const Bytes file = RenderIconImage(icon.get(), side, side, kTile);
        ASSERT_EQ(file.size(), 54u + static_cast<std::size_t>(side) * side * 4) << side;
        // The first stored row is the bottom of the square: the clear half.
        EXPECT_EQ(PixelAt(file, side, 0, side / 2), kTile) << side;
        EXPECT_EQ(PixelAt(file, side, side / 8, 1), kTile) << side;
        // The last stored row is the top: the icon's colour.
        EXPECT_EQ(PixelAt(file, side, side - 1, side / 2), RGB(0xd0, 0x20, 0x10)) << side;
        EXPECT_EQ(PixelAt(file, side, side - 1 - side / 8, side - 2), RGB(0xd0, 0x20, 0x10)) << side;
    }
}

TEST(RenderIcon, LeaksNoGdiObjects) {
    const orv::IconHandle icon = orv::testing::TopHalfIcon(32, 0x00ff00);
    ASSERT_TRUE(icon);
    (void)RenderIconImage(icon.get(), 32, 32, kTile);  // first-use allocations
    const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 500; ++i) {
        const Bytes file = RenderIconImage(i % 2 ? icon.get() : nullptr, 32, 32, kTile);
        ASSERT_EQ(file.size(), 4150u);
    }
    const DWORD after = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    EXPECT_LE(after, before + 2);
}

TEST(BitmapCanvasTest, StartsEmpty) {
    BitmapCanvas canvas;
    EXPECT_FALSE(canvas.HoldsImage());
    EXPECT_EQ(canvas.Height(), 0);
    EXPECT_EQ(canvas.BitCount(), 0);
    EXPECT_EQ(canvas.PixelData(), nullptr);
    EXPECT_EQ(canvas.PixelDataSize(), 0u);
    EXPECT_EQ(canvas.PaletteData(), nullptr);
    EXPECT_TRUE(canvas.ToBmpFile().empty());
}

TEST(BitmapCanvasTest, UnsupportedDepthEmptiesTheCanvas) {
    BitmapCanvas canvas;
    ASSERT_TRUE(canvas.CreateBlank(8, 8, 32));
    orv::WindowDc screen(nullptr);
    const RECT area{0, 0, 8, 8};
    for (int bits : {0, 2, 12, 64}) {
        EXPECT_FALSE(canvas.CaptureFromDc(screen.get(), area, bits)) << bits;
        EXPECT_FALSE(canvas.HoldsImage()) << bits;
    }
    EXPECT_FALSE(canvas.CreateBlank(8, 8, 2));
}

TEST(BitmapCanvasTest, MeasuresEachDepth) {
    struct Case {
        int bits;
        std::size_t stride;
        std::size_t palette;
        bool hasPalette;
    };
    const Case cases[] = {{1, 4, 8, true},     {4, 8, 64, true},    {8, 12, 1024, true},
                          {16, 20, 0, false},  {24, 32, 0, false},  {32, 40, 0, false}};
    for (const Case& c : cases) {
        BitmapCanvas canvas;
        ASSERT_TRUE(canvas.CreateBlank(10, 3, c.bits)) << c.bits;
        EXPECT_EQ(canvas.BitCount(), c.bits);
        EXPECT_EQ(canvas.Height(), 3);
        EXPECT_EQ(canvas.RowStride(), c.stride) << c.bits;
        EXPECT_EQ(canvas.PaletteSize(), c.palette) << c.bits;
        EXPECT_EQ(canvas.PaletteData() != nullptr, c.hasPalette) << c.bits;
        EXPECT_EQ(canvas.PixelDataSize(), c.stride * 3) << c.bits;
        EXPECT_EQ(canvas.PixelData() - canvas.PackedDib().data(),
                  static_cast<std::ptrdiff_t>(40 + c.palette)) << c.bits;
        canvas.ReleaseImage();
        EXPECT_FALSE(canvas.HoldsImage());
    }
}

TEST(BitmapCanvasTest, CapturesAnArea) {
    orv::WindowDc screen(nullptr);
    orv::MemoryDc memory(CreateCompatibleDC(screen.get()));
    orv::GdiObject bitmap(CreateCompatibleBitmap(screen.get(), 8, 8));
    orv::SelectScope selected(memory.get(), bitmap.get());
    const RECT all{0, 0, 8, 8};
    orv::GdiObject black(CreateSolidBrush(RGB(0, 0, 0)));
    FillRect(memory.get(), &all, static_cast<HBRUSH>(black.get()));
    const RECT corner{4, 4, 8, 8};
    orv::GdiObject blue(CreateSolidBrush(RGB(0, 0, 255)));
    FillRect(memory.get(), &corner, static_cast<HBRUSH>(blue.get()));

    BitmapCanvas canvas;
    ASSERT_TRUE(canvas.CaptureFromDc(memory.get(), RECT{2, 2, 8, 8}, 32));
    EXPECT_EQ(canvas.Height(), 6);
    const Bytes file = canvas.ToBmpFile();
    ASSERT_EQ(file.size(), 54u + 6 * 6 * 4);
    EXPECT_EQ(PixelAt(file, 6, 0, 5), RGB(0, 0, 255));  // bottom right: blue
    EXPECT_EQ(PixelAt(file, 6, 5, 0), RGB(0, 0, 0));    // top left: black
}

}  // namespace
