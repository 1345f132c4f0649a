// Decoding the bitmap images inside icon files.
#include "core/dib_decode.h"

#include <gtest/gtest.h>

#include "icon_bytes.h"

namespace {

using namespace orv::core;
using namespace orv::testing;

constexpr int kMax = 1024;
constexpr std::uint32_t kClear = 0;

void PutPalette(Bytes& b, const std::vector<std::uint32_t>& rgb) {
    for (std::uint32_t c : rgb) {
        b.push_back(static_cast<std::uint8_t>(c));        // blue
        b.push_back(static_cast<std::uint8_t>(c >> 8));   // green
        b.push_back(static_cast<std::uint8_t>(c >> 16));  // red
        b.push_back(0);
    }
}

// Appends rows padded to whole 32-bit words.
void PutRows(Bytes& b, const std::vector<Bytes>& rows) {
    for (Bytes row : rows) {
        while (row.size() % 4 != 0) row.push_back(0);
        b.insert(b.end(), row.begin(), row.end());
    }
}

TEST(DibDecode, OneBitUsesPaletteAndMaskBottomUp) {
    // 2 x 2; stored bottom row first. Bottom row: palette 1, 0; top row: 0, 1.
    Bytes e = DibHeaderBytes(2, 4, 1);
    PutPalette(e, {0x102030, 0xa0b0c0});
    PutRows(e, {{0b10000000}, {0b01000000}});
    PutRows(e, {{0b00000000}, {0b10000000}});  // mask: top-left transparent
    const auto image = DecodeIconDib(e, kMax);
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->width, 2);
    EXPECT_EQ(image->height, 2);
    const std::vector<std::uint32_t> expected = {kClear, 0xffa0b0c0, 0xffa0b0c0, 0xff102030};
    EXPECT_EQ(image->pixels, expected);
}

TEST(DibDecode, FourBitHighNibbleFirstAndShortPalette) {
    // 3 x 1 with a palette of only 2 colours (colours used = 2): index 5 is black.
    Bytes e = DibHeaderBytes(3, 2, 4, 0, 2);
    PutPalette(e, {0x0000ff, 0x00ff00});
    PutRows(e, {{0x10, 0x50}});
    PutRows(e, {{0x00}});
    const auto image = DecodeIconDib(e, kMax);
    ASSERT_TRUE(image.has_value());
    const std::vector<std::uint32_t> expected = {0xff00ff00, 0xff0000ff, 0xff000000};
    EXPECT_EQ(image->pixels, expected);
}

TEST(DibDecode, EightBitIndexes) {
    Bytes e = DibHeaderBytes(2, 2, 8);
    std::vector<std::uint32_t> palette(256, 0);
    palette[7] = 0x123456;
    palette[255] = 0xfedcba;
    PutPalette(e, palette);
    PutRows(e, {{7, 255}});
    PutRows(e, {{0b01000000}});
    const auto image = DecodeIconDib(e, kMax);
    ASSERT_TRUE(image.has_value());
    const std::vector<std::uint32_t> expected = {0xff123456, kClear};
    EXPECT_EQ(image->pixels, expected);
}

TEST(DibDecode, SixteenBitsAreFiveFiveFive) {
    Bytes e = DibHeaderBytes(2, 2, 16);
    PutRows(e, {{0x00, 0x7c, 0x1f, 0x00}});  // red 31, then blue 31
    PutRows(e, {{0x00}});
    const auto image = DecodeIconDib(e, kMax);
    ASSERT_TRUE(image.has_value());
    const std::vector<std::uint32_t> expected = {0xffff0000, 0xff0000ff};
    EXPECT_EQ(image->pixels, expected);
}

TEST(DibDecode, TwentyFourBitsWithMask) {
    // 1 x 2, bottom row stored first.
    Bytes e = DibHeaderBytes(1, 4, 24);
    PutRows(e, {{0x01, 0x02, 0x03}, {0x0a, 0x0b, 0x0c}});
    PutRows(e, {{0x80}, {0x00}});  // bottom pixel masked out
    const auto image = DecodeIconDib(e, kMax);
    ASSERT_TRUE(image.has_value());
    const std::vector<std::uint32_t> expected = {0xff0c0b0a, kClear};
    EXPECT_EQ(image->pixels, expected);
}

TEST(DibDecode, NegativeHeightIsTopDown) {
    Bytes e = DibHeaderBytes(1, -4, 24);
    PutRows(e, {{0x01, 0x02, 0x03}, {0x0a, 0x0b, 0x0c}});
    PutRows(e, {{0x00}, {0x00}});
    const auto image = DecodeIconDib(e, kMax);
    ASSERT_TRUE(image.has_value());
    const std::vector<std::uint32_t> expected = {0xff030201, 0xff0c0b0a};
    EXPECT_EQ(image->pixels, expected);
}

TEST(DibDecode, ThirtyTwoBitsUseAlphaOverTheMask) {
    Bytes e = DibHeaderBytes(2, 2, 32);
    // blue, green, red, alpha: opaque red, then white at alpha 128.
    PutRows(e, {{0x00, 0x00, 0xff, 0xff, 0xff, 0xff, 0xff, 0x80}});
    PutRows(e, {{0b11000000}});  // a conflicting mask that would hide both
    const auto image = DecodeIconDib(e, kMax);
    ASSERT_TRUE(image.has_value());
    const std::vector<std::uint32_t> expected = {0xffff0000, 0x80808080};
    EXPECT_EQ(image->pixels, expected);
}

TEST(DibDecode, ThirtyTwoBitsWithoutAlphaUseTheMask) {
    Bytes e = DibHeaderBytes(2, 2, 32);
    PutRows(e, {{0x10, 0x20, 0x30, 0x00, 0x40, 0x50, 0x60, 0x00}});
    PutRows(e, {{0b01000000}});
    const auto image = DecodeIconDib(e, kMax);
    ASSERT_TRUE(image.has_value());
    const std::vector<std::uint32_t> expected = {0xff302010, kClear};
    EXPECT_EQ(image->pixels, expected);
}

TEST(DibDecode, MissingMaskRowsAreOpaque) {
    Bytes withAlpha = DibHeaderBytes(1, 2, 32);
    PutRows(withAlpha, {{0x01, 0x02, 0x03, 0xff}});
    Bytes withoutAlpha = DibHeaderBytes(1, 2, 24);
    PutRows(withoutAlpha, {{0x01, 0x02, 0x03}});
    for (const Bytes& e : {withAlpha, withoutAlpha}) {
        const auto image = DecodeIconDib(e, kMax);
        ASSERT_TRUE(image.has_value());
        EXPECT_EQ(image->pixels, std::vector<std::uint32_t>{0xff030201});
    }
}

TEST(DibDecode, LargerHeaderMovesThePalette) {
    Bytes e = DibHeaderBytes(1, 2, 1);
    e[0] = 124;  // a version 5 header: 84 more bytes before the palette
    e.resize(124, 0);
    PutPalette(e, {0x000000, 0x445566});
    PutRows(e, {{0x80}});
    PutRows(e, {{0x00}});
    const auto image = DecodeIconDib(e, kMax);
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->pixels, std::vector<std::uint32_t>{0xff445566});
}

TEST(DibDecode, RefusedHeaders) {
    struct Case {
        const char* name;
        Bytes entry;
    };
    const std::vector<Case> cases = {
        {"claims 65535 x 65535", DibHeaderBytes(65535, 65535, 1)},
        {"just above the limit", BlankDibEntry(1025, 1, 1)},
        {"zero width", DibHeaderBytes(0, 2, 32)},
        {"negative width", DibHeaderBytes(-4, 8, 32)},
        {"one stored row holds no picture row", DibHeaderBytes(4, 1, 32)},
        {"run-length compressed", DibHeaderBytes(4, 8, 8, 1)},
        {"bit fields", DibHeaderBytes(4, 8, 32, 3)},
        {"two bits per pixel", DibHeaderBytes(4, 8, 2)},
        {"header size below 40", [] {
             Bytes b = BlankDibEntry(4, 4, 32);
             b[0] = 12;
             return b;
         }()},
        {"header size past the entry", [] {
             Bytes b = BlankDibEntry(4, 4, 32);
             b[1] = 0x10;
             return b;
         }()},
        {"header cut short", Prefix(DibHeaderBytes(4, 8, 32), 39)},
        {"no bytes", Bytes{}},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(MeasureIconDib(c.entry, kMax).has_value()) << c.name;
        EXPECT_FALSE(DecodeIconDib(c.entry, kMax).has_value()) << c.name;
    }
}

TEST(DibDecode, LimitIsInclusive) {
    const auto image = DecodeIconDib(BlankDibEntry(1024, 1, 1), kMax);
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->width, 1024);
}

TEST(DibDecode, EveryTruncationIsRefusedOrDecodedSafely) {
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        const Bytes whole = BlankDibEntry(5, 3, bits);
        const std::size_t maskBytes = 4 * 3;
        for (std::size_t length = 0; length <= whole.size(); ++length) {
            const Bytes cut = Prefix(whole, length);
            const auto image = DecodeIconDib(cut, kMax);
            // Only the mask may be missing.
            EXPECT_EQ(image.has_value(), length + maskBytes >= whole.size())
                << bits << " bpp, " << length << " bytes";
        }
    }
}

TEST(DibDecode, PremultiplyRoundsToNearest) {
    EXPECT_EQ(Premultiply(255, 1, 2, 3), 0xff010203u);
    EXPECT_EQ(Premultiply(0, 255, 255, 255), 0u);
    EXPECT_EQ(Premultiply(128, 255, 0, 1), 0x80800001u);    // 0.502 rounds up
    EXPECT_EQ(Premultiply(1, 255, 128, 127), 0x01010100u);  // 0.502 up, 0.498 down
}

}  // namespace
