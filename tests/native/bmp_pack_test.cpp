// The packed-bitmap and BMP file layout of rendered tile pictures.
#include "core/bmp_pack.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using namespace orv::core;

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t U16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

TEST(BmpPack, StrideRoundsBitsUpToWholeWords) {
    struct Case {
        std::int64_t bits;
        std::int64_t stride;
    };
    const Case cases[] = {{0, 0}, {1, 4}, {31, 4}, {32, 4}, {33, 8}, {24 * 3, 12}, {32 * 32, 128}};
    for (const Case& c : cases) EXPECT_EQ(StrideForBits(c.bits), c.stride) << c.bits;
}

TEST(BmpPack, PaletteEntriesFollowBitCount) {
    struct Case {
        int bits;
        int entries;
    };
    const Case cases[] = {{1, 2}, {4, 16}, {8, 256}, {16, 0}, {24, 0}, {32, 0}, {2, 0}, {0, 0}};
    for (const Case& c : cases) EXPECT_EQ(PaletteEntriesForBitCount(c.bits), c.entries) << c.bits;
}

TEST(BmpPack, HeaderIsFortyLittleEndianBytesInFieldOrder) {
    DibHeader header;
    header.width = 0x01020304;
    header.height = -2;
    header.bit_count = 24;
    header.colours_used = 7;
    const std::vector<std::uint8_t> bytes = HeaderToBytes(header);
    ASSERT_EQ(bytes.size(), 40u);
    EXPECT_EQ(U32(bytes, 0), 40u);
    EXPECT_EQ(bytes[4], 0x04);
    EXPECT_EQ(bytes[7], 0x01);
    EXPECT_EQ(U32(bytes, 8), 0xfffffffeu);
    EXPECT_EQ(U16(bytes, 12), 1);
    EXPECT_EQ(U16(bytes, 14), 24);
    EXPECT_EQ(U32(bytes, 32), 7u);
    const auto back = ReadHeader(bytes);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->width, header.width);
    EXPECT_EQ(back->height, -2);
    EXPECT_EQ(back->colours_used, 7u);
}

TEST(BmpPack, FileSizesOfTheFourTileSizes) {
    struct Case {
        int side;
        std::size_t fileSize;
    };
    const Case cases[] = {{32, 4150}, {16, 1078}, {48, 9270}, {256, 262198}};
    for (const Case& c : cases) {
        const std::vector<std::uint8_t> file = ToBmpFile(CreateBlankDib(c.side, c.side, 32));
        EXPECT_EQ(file.size(), c.fileSize) << c.side;
        EXPECT_EQ(U32(file, 2), c.fileSize) << c.side;
    }
}

TEST(BmpPack, FileHeaderFieldsAt32Bits) {
    const std::vector<std::uint8_t> file = ToBmpFile(CreateBlankDib(32, 32, 32));
    ASSERT_EQ(file.size(), 4150u);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(U16(file, 6), 0);
    EXPECT_EQ(U16(file, 8), 0);
    EXPECT_EQ(U32(file, 10), 54u);
    EXPECT_EQ(U32(file, 14), 40u);
    EXPECT_EQ(U32(file, 18), 32u);
    EXPECT_EQ(U32(file, 22), 32u);  // positive: bottom row first
    EXPECT_EQ(U16(file, 26), 1);
    EXPECT_EQ(U16(file, 28), 32);
    for (std::size_t at = 30; at < 54; at += 4) EXPECT_EQ(U32(file, at), 0u) << at;
}

TEST(BmpPack, PaletteDepthsPutPaletteBeforePixels) {
    struct Case {
        int bits;
        std::size_t offset;
        std::size_t packedSize;
    };
    // 10 x 3 pixels: stride 4 (1 bpp), 8 (4 bpp), 12 (8 bpp), 20 (16), 32 (24), 40 (32).
    const Case cases[] = {{1, 62, 40 + 8 + 12},        {4, 118, 40 + 64 + 24},
                          {8, 1078, 40 + 1024 + 36},   {16, 54, 40 + 60},
                          {24, 54, 40 + 96},           {32, 54, 40 + 120}};
    for (const Case& c : cases) {
        const std::vector<std::uint8_t> packed = CreateBlankDib(10, 3, c.bits);
        EXPECT_EQ(packed.size(), c.packedSize) << c.bits;
        const std::vector<std::uint8_t> file = ToBmpFile(packed);
        EXPECT_EQ(U32(file, 10), c.offset) << c.bits;
        const auto header = ReadHeader(packed);
        ASSERT_TRUE(header.has_value());
        EXPECT_EQ(PixelDataOffset(*header) + kBmpFileHeaderSize, c.offset) << c.bits;
        EXPECT_EQ(PixelDataSize(*header) + PixelDataOffset(*header), c.packedSize) << c.bits;
    }
}

TEST(BmpPack, BlankIsZeroFilledAfterTheHeader) {
    const std::vector<std::uint8_t> packed = CreateBlankDib(4, 4, 8);
    for (std::size_t i = kDibHeaderSize; i < packed.size(); ++i) ASSERT_EQ(packed[i], 0) << i;
}

TEST(BmpPack, UnsupportedDepthsAndSizesGiveNothing) {
    EXPECT_TRUE(CreateBlankDib(4, 4, 2).empty());
    EXPECT_TRUE(CreateBlankDib(4, 4, 0).empty());
    EXPECT_TRUE(CreateBlankDib(4, 4, 64).empty());
    EXPECT_TRUE(CreateBlankDib(0, 4, 32).empty());
    EXPECT_TRUE(CreateBlankDib(4, -1, 32).empty());
    EXPECT_TRUE(ToBmpFile({}).empty());
    const std::vector<std::uint8_t> shortHeader(39, 0);
    EXPECT_TRUE(ToBmpFile(shortHeader).empty());
}

}  // namespace
