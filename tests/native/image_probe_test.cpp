// Recognising image files and the sizes they claim before decoding.
#include "core/image_probe.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/png_header.h"
#include "icon_bytes.h"

namespace {

using namespace orv::core;
using namespace orv::testing;

// A BMP file: file header, 40-byte header, optional palette, pixel rows.
Bytes BmpFile(std::int32_t width, std::int32_t height, int bits, std::uint32_t compression = 0,
              std::uint32_t coloursUsed = 0, std::size_t pixelBytes = SIZE_MAX) {
    const std::size_t palette = bits <= 8 ? (coloursUsed ? coloursUsed : 1u << bits) : 0;
    const std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    if (pixelBytes == SIZE_MAX) pixelBytes = stride * static_cast<std::size_t>(height < 0 ? -height : height);
    Bytes b = {'B', 'M'};
    Put32(b, static_cast<std::uint32_t>(14 + 40 + palette * 4 + pixelBytes));
    Put32(b, 0);
    Put32(b, static_cast<std::uint32_t>(14 + 40 + palette * 4));
    const Bytes header = DibHeaderBytes(width, height, bits, compression, coloursUsed);
    b.insert(b.end(), header.begin(), header.end());
    b.resize(b.size() + palette * 4 + pixelBytes, 0);
    return b;
}

TEST(ImageProbe, KindsFromLeadingBytes) {
    struct Case {
        const char* name;
        Bytes bytes;
        ImageKind kind;
    };
    const std::vector<Case> cases = {
        {"png", PngHeadBytes(1, 1, 8, 6), ImageKind::kPng},
        {"bmp", BmpFile(2, 2, 24), ImageKind::kBmp},
        {"gif87a", {'G', 'I', 'F', '8', '7', 'a', 1, 0, 1, 0}, ImageKind::kGif},
        {"gif89a", {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0}, ImageKind::kGif},
        {"jpeg", {0xff, 0xd8, 0xff, 0xe0}, ImageKind::kJpeg},
        {"icon", IconFile({BlankDibEntry(1, 1, 32)}), ImageKind::kIcon},
        {"icon directory with no entries", {0, 0, 1, 0, 0, 0}, ImageKind::kUnknown},
        {"gif88a", {'G', 'I', 'F', '8', '8', 'a'}, ImageKind::kUnknown},
        {"text", {'h', 'e', 'l', 'l', 'o'}, ImageKind::kUnknown},
        {"empty", {}, ImageKind::kUnknown},
    };
    for (const Case& c : cases) EXPECT_EQ(DetectImageKind(c.bytes), c.kind) << c.name;
}

TEST(ImageProbe, ClaimedSizes) {
    // A JPEG with an APP0 segment, a fill byte, then a baseline frame of 300 x 200.
    const Bytes jpeg = {0xff, 0xd8, 0xff, 0xe0, 0x00, 0x04, 0x00, 0x00, 0xff, 0xff, 0xc0,
                        0x00, 0x11, 0x08, 0x00, 0xc8, 0x01, 0x2c, 0x03};
    struct Case {
        const char* name;
        Bytes bytes;
        std::int64_t width;
        std::int64_t height;
    };
    const std::vector<Case> cases = {
        {"png", PngHeadBytes(640, 480, 8, 6), 640, 480},
        {"bmp bottom-up", BmpFile(7, 3, 24), 7, 3},
        {"bmp top-down", BmpFile(7, -3, 24), 7, 3},
        {"gif", {'G', 'I', 'F', '8', '9', 'a', 0x10, 0x01, 0x20, 0x00}, 272, 32},
        {"jpeg", jpeg, 300, 200},
    };
    for (const Case& c : cases) {
        const auto size = ReadClaimedSize(c.bytes);
        ASSERT_TRUE(size.has_value()) << c.name;
        EXPECT_EQ(size->width, c.width) << c.name;
        EXPECT_EQ(size->height, c.height) << c.name;
    }
}

TEST(ImageProbe, UnreadableSizesGiveNothing) {
    const std::vector<Bytes> cases = {
        {0xff, 0xd8, 0xff},                               // jpeg: no segment
        {0xff, 0xd8, 0xff, 0xe0, 0x00, 0x40, 0x00},       // jpeg: segment runs past the end
        {0xff, 0xd8, 0xff, 0xe0, 0x00, 0x01},             // jpeg: impossible length
        {0xff, 0xd8, 0x12, 0x34},                         // jpeg: not a marker
        {'G', 'I', 'F', '8', '9', 'a', 1},                // gif cut short
        {'B', 'M', 0, 0},                                 // bmp cut short
        Prefix(PngHeadBytes(1, 1, 8, 6), 20),             // png cut inside IHDR
        IconFile({BlankDibEntry(1, 1, 32)}),              // icons are measured per entry
        {},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_FALSE(ReadClaimedSize(cases[i]).has_value()) << i;
    }
}

TEST(ImageProbe, BmpConsistency) {
    Bytes planes = BmpFile(4, 4, 24);
    planes[26] = 2;
    Bytes oddHeader = BmpFile(4, 4, 24);
    oddHeader[14] = 44;
    Bytes offsetInsideHeader = BmpFile(4, 4, 24);
    offsetInsideHeader[10] = 20;
    struct Case {
        const char* name;
        Bytes bytes;
        bool consistent;
    };
    const std::vector<Case> cases = {
        {"plain 24 bits", BmpFile(4, 4, 24), true},
        {"8 bits with a short table", BmpFile(4, 4, 8, 0, 6), true},
        {"1 bit top-down", BmpFile(9, -2, 1), true},
        {"run-length 8 bits", BmpFile(4, 4, 8, 1, 0, 10), true},
        {"bit fields at 16 bits", BmpFile(4, 4, 16, 3), true},
        {"pixels cut short", BmpFile(127, 64, 1, 0, 0, 200), false},
        {"colour table longer than the depth", BmpFile(6, 6, 8, 0, 257, 36), false},
        {"bit count 30000", BmpFile(4, 4, 30000, 0, 0, 16), false},
        {"run-length 4 with 8 bits", BmpFile(4, 4, 8, 2, 0, 10), false},
        {"run-length top-down", BmpFile(4, -4, 8, 1, 0, 10), false},
        {"unknown compression", BmpFile(4, 4, 24, 9), false},
        {"two planes", planes, false},
        {"unknown header size", oddHeader, false},
        {"pixel offset inside the header", offsetInsideHeader, false},
        {"huge claimed rows", BmpFile(2147483647, 6, 8, 0, 6, 36), false},
        {"a gif is not judged", {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0}, true},
    };
    for (const Case& c : cases) EXPECT_EQ(HasConsistentHeader(c.bytes), c.consistent) << c.name;
}

TEST(ImageProbe, PngChunksMustBeCompleteUpToIend) {
    Bytes whole = PngHeadBytes(1, 1, 8, 6);
    const Bytes iend = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xae, 0x42, 0x60, 0x82};
    whole.insert(whole.end(), iend.begin(), iend.end());
    Bytes longChunk = whole;
    longChunk[8 + 3] = 14;  // IHDR claims one byte more than it has
    Bytes hugeChunk = whole;
    hugeChunk[8] = 0xff;    // IHDR claims about 4 GiB
    struct Case {
        const char* name;
        Bytes bytes;
        bool complete;
    };
    const std::vector<Case> cases = {
        {"signature, IHDR, IEND", whole, true},
        {"no IEND", PngHeadBytes(1, 1, 8, 6), false},
        {"IEND without its checksum", Prefix(whole, whole.size() - 1), false},
        {"chunk longer than the file", longChunk, false},
        {"chunk length near 4 GiB", hugeChunk, false},
        {"signature only", Prefix(whole, 8), false},
        {"not a png", Bytes{1, 2, 3}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PngChunksComplete(c.bytes), c.complete) << c.name;
        if (!c.complete && HasPngSignature(c.bytes)) {
            EXPECT_FALSE(HasConsistentHeader(c.bytes)) << c.name;
        }
    }
}

// The known-bad bitmaps of another project are refused before any decoder
// sees them; its good ones pass.
TEST(ImageProbe, RealBitmapFiles) {
    const std::filesystem::path root =
        std::filesystem::path(ORVANTO_SHARED_TESTDATA) / "images" / "image-rs";
    if (!std::filesystem::is_directory(root)) {
        GTEST_SKIP() << "shared test data not found at " << root;
    }
    for (const char* folder : {"bad_bmp", "bmp"}) {
        for (const auto& item : std::filesystem::directory_iterator(root / folder)) {
            if (item.path().extension() != ".bmp") continue;
            std::ifstream in(item.path(), std::ios::binary);
            const Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            const auto size = ReadClaimedSize(file);
            const bool acceptable = HasConsistentHeader(file) && size && size->width <= 1024 &&
                                    size->height <= 1024;
            EXPECT_EQ(acceptable, std::string(folder) == "bmp") << item.path();
        }
    }
}

}  // namespace
