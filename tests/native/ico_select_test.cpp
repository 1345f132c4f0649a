// Choosing the entry of an icon file from each image's real header.
#include "core/ico_select.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "icon_bytes.h"

namespace {

using namespace orv::core;
using namespace orv::testing;

constexpr int kMax = 1024;

TEST(IcoSelect, PicksLargestThenDeepestThenFirst) {
    struct Case {
        const char* name;
        std::vector<Bytes> images;
        int expectedIndex;
    };
    const std::vector<Case> cases = {
        {"largest wins over deeper",
         {BlankDibEntry(16, 16, 32), BlankDibEntry(48, 48, 4), BlankDibEntry(32, 32, 32)}, 1},
        {"deepest among the largest",
         {BlankDibEntry(48, 48, 8), BlankDibEntry(48, 48, 32), BlankDibEntry(48, 48, 24)}, 1},
        {"first on a full tie", {BlankDibEntry(32, 32, 8), BlankDibEntry(32, 32, 8)}, 0},
        {"png entry by its IHDR", {BlankDibEntry(48, 48, 32), PngHeadBytes(256, 256, 8, 6)}, 1},
        {"png depth is bits times channels",
         {PngHeadBytes(32, 32, 8, 2), PngHeadBytes(32, 32, 8, 6), PngHeadBytes(32, 32, 8, 0)}, 1},
        {"area decides, not the width", {BlankDibEntry(64, 8, 32), BlankDibEntry(24, 24, 32)}, 1},
    };
    for (const Case& c : cases) {
        const Bytes file = IconFile(c.images);
        const auto best = SelectIconEntry(file, kMax);
        ASSERT_TRUE(best.has_value()) << c.name;
        EXPECT_EQ(best->index, c.expectedIndex) << c.name;
    }
}

TEST(IcoSelect, DirectoryFieldsAreNotTrusted) {
    // The directory claims 255 x 255 at 32 bits for the small entry and
    // nothing for the real 48 x 48 one.
    const Bytes file = IconFile({BlankDibEntry(16, 16, 4), BlankDibEntry(48, 48, 8)},
                                {{255, 255, 32}, {0, 0, 0}});
    const auto best = SelectIconEntry(file, kMax);
    ASSERT_TRUE(best.has_value());
    EXPECT_EQ(best->index, 1);
    EXPECT_EQ(best->width, 48);
    EXPECT_EQ(best->height, 48);
    EXPECT_EQ(best->bit_count, 8);
    EXPECT_EQ(best->format, IconImageFormat::kDib);
}

TEST(IcoSelect, ReportsWhereTheImageLies) {
    const Bytes png = PngHeadBytes(20, 10, 8, 6);
    const Bytes file = IconFile({png});
    const auto entries = ReadIconEntries(file, kMax);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].offset, 22u);
    EXPECT_EQ(entries[0].size, png.size());
    EXPECT_EQ(entries[0].width, 20);
    EXPECT_EQ(entries[0].height, 10);
    EXPECT_EQ(entries[0].bit_count, 32);
    EXPECT_EQ(entries[0].format, IconImageFormat::kPng);
}

TEST(IcoSelect, BadEntriesAreSkipped) {
    Bytes outside = IconFile({BlankDibEntry(48, 48, 32), BlankDibEntry(16, 16, 8)});
    outside[6 + 8] = 0xff;  // first entry's size now runs past the end
    outside[6 + 9] = 0xff;
    outside[6 + 10] = 0xff;

    Bytes offsetPast = IconFile({BlankDibEntry(48, 48, 32), BlankDibEntry(16, 16, 8)});
    offsetPast[6 + 15] = 0x7f;  // first entry's offset far past the end

    struct Case {
        const char* name;
        Bytes file;
        std::size_t usable;
    };
    const std::vector<Case> cases = {
        {"data range outside the file", outside, 1},
        {"offset past the end", offsetPast, 1},
        {"bitmap claiming a huge size",
         IconFile({DibHeaderBytes(65535, 65535, 1), BlankDibEntry(16, 16, 8)}), 1},
        {"png claiming a huge width",
         IconFile({PngHeadBytes(469762080, 32, 8, 6), BlankDibEntry(16, 16, 8)}), 1},
        {"png just above the limit", IconFile({PngHeadBytes(1025, 16, 8, 6)}), 0},
        {"png at the limit", IconFile({PngHeadBytes(1024, 1024, 8, 6)}), 1},
        {"compressed bitmap", IconFile({DibHeaderBytes(16, 32, 4, 2)}), 0},
        {"unsupported bit count", IconFile({DibHeaderBytes(16, 32, 2)}), 0},
        {"colour rows cut short", IconFile({Prefix(BlankDibEntry(32, 32, 4), 300)}), 0},
        {"png with a bad colour type", IconFile({PngHeadBytes(16, 16, 8, 5)}), 0},
        {"zero-sized entry", IconFile({Bytes{}}), 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadIconEntries(c.file, kMax).size(), c.usable) << c.name;
    }
}

TEST(IcoSelect, HeadersThatAreNotIconsGiveNothing) {
    Bytes cursor = IconFile({BlankDibEntry(32, 32, 32)}, {}, 2);
    Bytes wrongType = IconFile({BlankDibEntry(32, 32, 32)}, {}, 3);
    Bytes reserved = IconFile({BlankDibEntry(32, 32, 32)});
    reserved[0] = 1;
    Bytes cutDirectory = IconFile({BlankDibEntry(16, 16, 8), BlankDibEntry(16, 16, 8)});
    cutDirectory.resize(6 + 16 + 5);

    EXPECT_TRUE(IsIconFile(cursor));
    EXPECT_TRUE(SelectIconEntry(cursor, kMax).has_value());
    EXPECT_FALSE(IsIconFile(wrongType));
    EXPECT_FALSE(SelectIconEntry(wrongType, kMax).has_value());
    EXPECT_FALSE(SelectIconEntry(reserved, kMax).has_value());
    EXPECT_FALSE(SelectIconEntry(Bytes{0, 0, 1, 0}, kMax).has_value());
    EXPECT_FALSE(SelectIconEntry(Bytes{}, kMax).has_value());
    EXPECT_FALSE(SelectIconEntry(Bytes{0, 0, 1, 0, 0, 0}, kMax).has_value());
    EXPECT_TRUE(ReadIconEntries(cutDirectory, kMax).empty());
}

// Real icons of other projects: the entry a careful decoder shows.
TEST(IcoSelect, RealIconFiles) {
    const std::filesystem::path root =
        std::filesystem::path(ORVANTO_SHARED_TESTDATA) / "images";
    if (!std::filesystem::is_directory(root)) {
        GTEST_SKIP() << "shared test data not found at " << root;
    }
    struct Case {
        const char* file;
        int index;  // -1: nothing usable
        int width;
        int height;
        int bits;
    };
    const Case cases[] = {
        {"image-rs/images/multiple_entries_with_different_bit_depth.ico", 5, 48, 48, 32},
        {"image-rs/images/two-entry-order-test.ico", 0, 48, 48, 8},
        {"image-rs/images/smile.ico", 0, 32, 32, 4},
        {"image-rs/images/lenient-bpp.ico", 0, 256, 256, 1},
        {"image-rs/images/png_rgb8.ico", 0, 32, 32, 24},
        {"image-rs/images/bmp_v5_with_icc.ico", 0, 127, 64, 24},
        {"lecmd/LECmd_PcDesktopCheck.ico", 4, 256, 256, 32},
        {"pillow/pillow.ico", 0, 256, 256, 32},
        {"pillow/hopper_unexpected.ico", 0, 16, 16, 8},
        {"pillow/deerstalker.cur", 0, 32, 32, 32},
        {"pillow/decompression_bomb.ico", -1, 0, 0, 0},
        {"pillow/no_cursors.cur", -1, 0, 0, 0},
        {"image-rs/bad/Bad_smile-incorrect-image-length.ico", -1, 0, 0, 0},
        {"image-rs/regression/crash-981fee302fe0fc543ee48292cc3d6ace7e97e633.ico", -1, 0, 0, 0},
        {"image-rs/regression/oom-0d0085eb7f66ea55d9119206235cd29e089b9140.ico", -1, 0, 0, 0},
        {"image-rs/regression/oom-ff076e7064c13ec1f8e2c5bbbfb7a77a08db2361.ico", -1, 0, 0, 0},
    };
    for (const Case& c : cases) {
        std::ifstream in(root / c.file, std::ios::binary);
        ASSERT_TRUE(in) << c.file;
        const Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const auto best = SelectIconEntry(file, kMax);
        if (c.index < 0) {
            EXPECT_FALSE(best.has_value()) << c.file;
            continue;
        }
        ASSERT_TRUE(best.has_value()) << c.file;
        EXPECT_EQ(best->index, c.index) << c.file;
        EXPECT_EQ(best->width, c.width) << c.file;
        EXPECT_EQ(best->height, c.height) << c.file;
        EXPECT_EQ(best->bit_count, c.bits) << c.file;
    }
}

}  // namespace
