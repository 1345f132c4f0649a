#pragma once
// Decoding of the bitmap images stored inside icon and cursor files: a
// bitmap information header (its height counts the colour rows and the mask
// rows together), an optional palette, the colour rows (1, 4, 8, 16, 24 or 32
// bits per pixel, bottom row first) and a 1-bit transparency mask. Every read
// is bounds-checked against the entry's own bytes.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace orv::core {

// Top-down rows of premultiplied 0xAARRGGBB pixels.
struct Pixels32 {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// Where the parts of one icon bitmap lie inside its entry.
struct IconDibLayout {
    int width = 0;
    int height = 0;  // rows of the picture (half the header's height)
    int bit_count = 0;
    bool top_down = false;
    std::size_t palette_offset = 0;
    std::size_t palette_entries = 0;
    std::size_t colour_offset = 0;
    std::size_t colour_stride = 0;
    std::size_t mask_offset = 0;
    std::size_t mask_stride = 0;
};

// Reads the header of an icon bitmap and checks that the header, the palette
// and every colour row lie inside the entry. Nothing for an unsupported depth
// or compression, a zero size, or a side above maxSide. The mask may be
// missing or short: its absent rows count as opaque.
[[nodiscard]] std::optional<IconDibLayout> MeasureIconDib(std::span<const std::uint8_t> entry,
                                                          int maxSide);

// Decodes an icon bitmap. At 32 bits per pixel the alpha channel gives the
// transparency when any pixel has non-zero alpha; otherwise the mask does.
[[nodiscard]] std::optional<Pixels32> DecodeIconDib(std::span<const std::uint8_t> entry,
                                                    int maxSide);

// Premultiplies one straight-alpha colour, rounding to nearest.
[[nodiscard]] std::uint32_t Premultiply(std::uint8_t alpha, std::uint8_t red,
                                        std::uint8_t green, std::uint8_t blue);

}  // namespace orv::core
