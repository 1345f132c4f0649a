// Decoding of image bytes under the real imaging component.
#include "toolkit/image_decode.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using orv::ui::DecodeImage;

// A 2 x 1 PNG: opaque red, then white at alpha 128.
const std::vector<std::uint8_t> kTwoPixelPng = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44,
    0x52, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00, 0x00, 0xf4,
    0x22, 0x7f, 0x8a, 0x00, 0x00, 0x00, 0x0f, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9c, 0x63, 0xf8,
    0xcf, 0xc0, 0xf0, 0x1f, 0x08, 0x1a, 0x00, 0x16, 0x73, 0x05, 0x7c, 0x26, 0x97, 0x01, 0xd2,
    0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};

TEST(ImageDecode, PngGivesPremultipliedTopDownPixels) {
    const auto image = DecodeImage(kTwoPixelPng);
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->width, 2);
    EXPECT_EQ(image->height, 1);
    ASSERT_EQ(image->pixels.size(), 2u);
    EXPECT_EQ(image->pixels[0], 0xffff0000u);
    EXPECT_EQ(image->pixels[1], 0x80808080u);
}

TEST(ImageDecode, EmptyAndGarbageGiveNothing) {
    EXPECT_FALSE(DecodeImage({}).has_value());
    const std::vector<std::uint8_t> garbage(100, 0x5a);
    EXPECT_FALSE(DecodeImage(garbage).has_value());
}

TEST(ImageDecode, TruncatedPngGivesNothing) {
    const std::vector<std::uint8_t> cut(kTwoPixelPng.begin(), kTwoPixelPng.begin() + 40);
    EXPECT_FALSE(DecodeImage(cut).has_value());
}

}  // namespace
