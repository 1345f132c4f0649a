// Decoding of image bytes under the real imaging component, on small
// built-in pictures and on the real, good and bad, pictures of other projects.
#include "toolkit/image_decode.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>
#include <psapi.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace {

using orv::ui::Bitmap32;
using orv::ui::DecodeImage;
using Bytes = std::vector<std::uint8_t>;

// A 2 x 1 PNG: opaque red, then white at alpha 128.
const Bytes kTwoPixelPng = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44,
    0x52, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00, 0x00, 0xf4,
    0x22, 0x7f, 0x8a, 0x00, 0x00, 0x00, 0x0f, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9c, 0x63, 0xf8,
    0xcf, 0xc0, 0xf0, 0x1f, 0x08, 0x1a, 0x00, 0x16, 0x73, 0x05, 0x7c, 0x26, 0x97, 0x01, 0xd2,
    0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};

void Put16(Bytes& b, std::uint32_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(Bytes& b, std::uint32_t v) {
    Put16(b, v & 0xffff);
    Put16(b, v >> 16);
}

// An icon file with one entry holding `image`.
Bytes IconAround(const Bytes& image) {
    Bytes b;
    Put16(b, 0);
    Put16(b, 1);
    Put16(b, 1);
    b.insert(b.end(), {0, 0, 0, 0});
    Put16(b, 1);
    Put16(b, 32);
    Put32(b, static_cast<std::uint32_t>(image.size()));
    Put32(b, 22);
    b.insert(b.end(), image.begin(), image.end());
    return b;
}

TEST(ImageDecode, PngGivesPremultipliedTopDownPixels) {
    const auto image = DecodeImage(kTwoPixelPng);
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->width, 2);
    EXPECT_EQ(image->height, 1);
    ASSERT_EQ(image->pixels.size(), 2u);
    EXPECT_EQ(image->pixels[0], 0xffff0000u);
    EXPECT_EQ(image->pixels[1], 0x80808080u);
}

TEST(ImageDecode, PngEntryOfAnIcon) {
    const auto image = DecodeImage(IconAround(kTwoPixelPng));
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->width, 2);
    EXPECT_EQ(image->pixels, (std::vector<std::uint32_t>{0xffff0000u, 0x80808080u}));
}

TEST(ImageDecode, BitmapEntryOfAnIcon) {
    // 1 x 2 at 24 bits: bottom row blue, top row masked out.
    Bytes dib;
    Put32(dib, 40);
    Put32(dib, 1);
    Put32(dib, 4);
    Put16(dib, 1);
    Put16(dib, 24);
    for (int i = 0; i < 6; ++i) Put32(dib, 0);
    dib.insert(dib.end(), {0xff, 0, 0, 0, 0x10, 0x20, 0x30, 0});
    dib.insert(dib.end(), {0, 0, 0, 0, 0x80, 0, 0, 0});
    const auto image = DecodeImage(IconAround(dib));
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->pixels, (std::vector<std::uint32_t>{0u, 0xff0000ffu}));
}

TEST(ImageDecode, EmptyAndGarbageGiveNothing) {
    EXPECT_FALSE(DecodeImage({}).has_value());
    EXPECT_FALSE(DecodeImage(Bytes(100, 0x5a)).has_value());
    EXPECT_FALSE(DecodeImage(Bytes{'B', 'M'}).has_value());
}

TEST(ImageDecode, TruncatedPngGivesNothing) {
    const Bytes cut(kTwoPixelPng.begin(), kTwoPixelPng.begin() + 40);
    EXPECT_FALSE(DecodeImage(cut).has_value());
}

TEST(ImageDecode, WorksWhateverTheThreadsComState) {
    struct Case {
        const char* name;
        bool initialise;
        DWORD model;
    };
    const Case cases[] = {{"no COM yet", false, 0},
                          {"single-threaded apartment", true, COINIT_APARTMENTTHREADED},
                          {"multithreaded apartment", true, COINIT_MULTITHREADED}};
    for (const Case& c : cases) {
        bool decoded = false;
        bool comStillUsable = true;
        std::thread worker([&] {
            const HRESULT hr = c.initialise ? CoInitializeEx(nullptr, c.model) : E_FAIL;
            decoded = DecodeImage(kTwoPixelPng).has_value();
            // The caller's own COM state survives the call.
            if (SUCCEEDED(hr)) {
                comStillUsable = CoInitializeEx(nullptr, c.model) == S_FALSE;
                CoUninitialize();
                CoUninitialize();
            }
        });
        worker.join();
        EXPECT_TRUE(decoded) << c.name;
        EXPECT_TRUE(comStillUsable) << c.name;
    }
}

// The real pictures of other projects.
class RealImages : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = std::filesystem::path(ORVANTO_SHARED_TESTDATA) / "images";
        if (!std::filesystem::is_directory(root_)) {
            GTEST_SKIP() << "shared test data not found at " << root_.string();
        }
    }
    Bytes Read(const std::filesystem::path& relative) const {
        std::ifstream in(root_ / relative, std::ios::binary);
        EXPECT_TRUE(in.good()) << relative.string();
        return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    std::filesystem::path root_;
};

// Same size and every channel within 1 (premultiplying rounds differently
// in different decoders).
::testing::AssertionResult SamePicture(const Bitmap32& got, const Bitmap32& want) {
    if (got.width != want.width || got.height != want.height) {
        return ::testing::AssertionFailure() << "size " << got.width << "x" << got.height
                                             << ", expected " << want.width << "x" << want.height;
    }
    int differing = 0;
    std::string first;
    for (std::size_t i = 0; i < got.pixels.size(); ++i) {
        for (int shift = 0; shift < 32; shift += 8) {
            const int a = static_cast<int>((got.pixels[i] >> shift) & 0xff);
            const int b = static_cast<int>((want.pixels[i] >> shift) & 0xff);
            if (std::abs(a - b) > 1) {
                if (differing++ == 0) {
                    char text[96];
                    std::snprintf(text, sizeof text, "pixel %u: %08x, expected %08x",
                                  static_cast<unsigned>(i), got.pixels[i], want.pixels[i]);
                    first = text;
                }
                break;
            }
        }
    }
    if (differing != 0) {
        return ::testing::AssertionFailure() << differing << " pixels differ; first " << first;
    }
    return ::testing::AssertionSuccess();
}

TEST_F(RealImages, IconsShowTheEntryOfTheirReference) {
    for (const auto& item : std::filesystem::directory_iterator(root_ / "image-rs" / "reference")) {
        const std::string reference = item.path().filename().string();  // <icon>.png
        const std::string icon = reference.substr(0, reference.size() - 4);
        const auto got = DecodeImage(Read(std::filesystem::path("image-rs") / "images" / icon));
        const auto want = DecodeImage(Read(item.path().lexically_relative(root_)));
        ASSERT_TRUE(want.has_value()) << reference;
        ASSERT_TRUE(got.has_value()) << icon;
        EXPECT_TRUE(SamePicture(*got, *want)) << icon;
    }
}

TEST_F(RealImages, BitmapsMatchTheirReference) {
    const std::filesystem::path folder = std::filesystem::path("image-rs") / "bmp";
    for (const auto& item : std::filesystem::directory_iterator(root_ / folder)) {
        if (item.path().extension() != ".bmp") continue;
        const std::string name = item.path().filename().string();
        const auto got = DecodeImage(Read(folder / name));
        const auto want = DecodeImage(Read(folder / "reference" / (name + ".png")));
        ASSERT_TRUE(want.has_value()) << name;
        if ((name == "rgb32bf.bmp" || name == "rgba32.bmp") && !got) {
            // 32-bit channel masks (green in bits 4..11; an alpha mask in a
            // version 5 header): the imaging component may refuse them,
            // which is a refusal, not a wrong picture.
            continue;
        }
        ASSERT_TRUE(got.has_value()) << name;
        EXPECT_TRUE(SamePicture(*got, *want)) << name;
    }
}

TEST_F(RealImages, GoodPicturesWithoutReferenceDecodeAtTheirBestSize) {
    struct Case {
        const char* file;
        int width;
        int height;
    };
    const Case cases[] = {
        {"image-rs/images/bmp-32bpp-conflicting-and-mask.ico", 16, 16},
        {"image-rs/images/bmp_v5_with_icc.ico", 127, 64},
        {"image-rs/images/truncated_mask_32bpp.ico", 64, 64},
        {"pillow/black_and_white.ico", 16, 16},
        {"pillow/hopper.ico", 16, 16},
        {"pillow/hopper_256x256.ico", 256, 256},
        {"pillow/hopper_draw.ico", 16, 16},
        {"pillow/hopper_mask.ico", 16, 16},
        {"pillow/hopper_unexpected.ico", 16, 16},
        {"pillow/hopper_mask.png", 16, 16},
        {"pillow/pillow.ico", 256, 256},
        {"pillow/python.ico", 48, 48},
        {"pillow/deerstalker.cur", 32, 32},
        {"lecmd/LECmd_PcDesktopCheck.ico", 256, 256},
    };
    for (const Case& c : cases) {
        const auto image = DecodeImage(Read(c.file));
        ASSERT_TRUE(image.has_value()) << c.file;
        EXPECT_EQ(image->width, c.width) << c.file;
        EXPECT_EQ(image->height, c.height) << c.file;
        EXPECT_EQ(image->pixels.size(), static_cast<std::size_t>(c.width) * c.height) << c.file;
    }
}

TEST_F(RealImages, MaskedIconPixelsAreClear) {
    // The 24-bit icon's corners are outside its mask.
    const auto image = DecodeImage(Read("image-rs/images/bmp-24bpp-mask.ico"));
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->pixels.front(), 0u);
    EXPECT_EQ(image->pixels.back(), 0u);
}

TEST_F(RealImages, BadPicturesGiveNothingAndAllocateLittle) {
    std::vector<std::filesystem::path> bad;
    for (const char* folder : {"image-rs/bad", "image-rs/bad_bmp", "image-rs/regression",
                               "pillow/bad_png"}) {
        for (const auto& item : std::filesystem::directory_iterator(root_ / folder)) {
            bad.push_back(item.path().lexically_relative(root_));
        }
    }
    bad.emplace_back("pillow/decompression_bomb.ico");
    bad.emplace_back("pillow/no_cursors.cur");
    ASSERT_GE(bad.size(), 18u);

    PROCESS_MEMORY_COUNTERS before{};
    ASSERT_TRUE(K32GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof before));
    for (const auto& file : bad) {
        EXPECT_FALSE(DecodeImage(Read(file)).has_value()) << file.string();
    }
    PROCESS_MEMORY_COUNTERS after{};
    ASSERT_TRUE(K32GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof after));
    EXPECT_LT(after.PeakPagefileUsage - before.PeakPagefileUsage, 64u << 20);
}

}  // namespace
